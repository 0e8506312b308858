// Start-up, the Mode and Precision menus and the option groups. Every handler
// sets absolute states in a fixed order; none looks at the current state.

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>

#include "calculation/number_conversions.h"
#include "calculation/scale_length.h"
#include "window/filtered_line_edit.h"
#include "window/frm_quillmar.h"
#include "window/results_grid_model.h"

namespace quillmar {

namespace {

// Positions in the half-fret boxes, in the order of HalfFretSet.
constexpr std::size_t kSixPlus = 4;
constexpr std::size_t kThirteenPlus = 9;

}  // namespace

void frmQuillmar::Form_Load() {
    model_->Update([](ResultsGrid& grid) {
        SetColWidth(grid);
        WriteHeaders(grid);
    });
    for (const char* denominator : {"2", "4", "8", "16", "32", "64"}) {
        cboFraction2->addItem(QString::fromLatin1(denominator));
    }
    cboFraction2->setCurrentIndex(0);
    for (const PresetScale& preset : kPresetScales) {
        cboScaleCommon->addItem(QString::fromUtf8(preset.caption));
    }
    cboScaleCommon->setCurrentIndex(0);
    for (QLineEdit* box : {txtScale, txtNumberFrets, txtWhole, txtFraction1}) {
        box->setText(QString());
    }
}

void frmQuillmar::Form_Activate() {
    mnuStandard->setChecked(true);
    ShowSummary(lblMode, QStringLiteral("Mode: Standard"));
    ShowSummary(lblScaleLength, QStringLiteral("Scale Length:"));
    ShowSummary(lblNumFrets, QStringLiteral("Number of Frets:"));
    ShowSummary(lblCalcMethod, QStringLiteral("Calc Method:"));

    frameHalfFrets->setEnabled(false);
    for (std::size_t i = 0; i < halfFretBoxes_.size(); ++i) {
        if (i == kSixPlus || i == kThirteenPlus) {
            halfFretBoxes_[i]->setChecked(true);
        }
        halfFretBoxes_[i]->setEnabled(false);
    }

    txtScale->setFocus();
    optDisplayDecimal->click();
    optScaleDecimal->click();
    for (QWidget* hidden : std::initializer_list<QWidget*>{txtWhole, txtFraction1, txtDivisor,
                                                           cboFraction2, cboScaleCommon}) {
        hidden->setVisible(false);
    }
    optCalcMethod12root2->click();
    txtCustom->setEnabled(false);
    model_->Update([](ResultsGrid& grid) { grid.SetRows(25); });
    MetricPrecision = 10;
    InchPrecision = 1000;
    mnuPrecision1000->setChecked(true);
}

void frmQuillmar::SetHalfFretsEnabled(bool enabled) {
    frameHalfFrets->setEnabled(enabled);
    for (QCheckBox* box : halfFretBoxes_) {
        box->setEnabled(enabled);
    }
}

void frmQuillmar::mnuDulcimer_Click() {
    mnuStandard->setChecked(false);
    mnuDulcimer->setChecked(true);
    SetHalfFretsEnabled(true);
    txtNumberFrets->setText(QStringLiteral("17"));
    txtNumberFrets->setEnabled(false);
}

void frmQuillmar::mnuStandard_Click() {
    mnuStandard->setChecked(true);
    mnuDulcimer->setChecked(false);
    SetHalfFretsEnabled(false);
    txtNumberFrets->setEnabled(true);
    txtNumberFrets->setText(QString::number(form_.LastFretCount));
    ShowSummary(lblNumFrets, QStringLiteral("Number of Frets: ") +
                                 QString::fromStdString(NumberToText(form_.NumFrets)));
}

void frmQuillmar::ShowPrecision(std::int16_t value) {
    const bool known = value == 10 || value == 100 || value == 1000 || value == 10000;
    if (!known) {
        return;
    }
    for (QAction* item : precisionItems_->actions()) {
        item->setChecked(item->data().toInt() == value);
    }
}

void frmQuillmar::mnuPrecision_Click(std::int16_t value) {
    ShowPrecision(value);
    if (optDisplayMetric->isChecked()) {
        MetricPrecision = value;
    } else {
        InchPrecision = value;
    }
}

void frmQuillmar::SetPrecisionMenuEnabled(bool enabled) {
    mnuPrecision->setEnabled(enabled);
    mnuPrecision->menuAction()->setEnabled(enabled);
}

void frmQuillmar::ShowScaleEntry(bool scale, bool fraction, bool common) {
    txtScale->setVisible(scale);
    for (QWidget* part :
         std::initializer_list<QWidget*>{txtWhole, txtFraction1, txtDivisor, cboFraction2}) {
        part->setVisible(fraction);
    }
    cboScaleCommon->setVisible(common);
}

void frmQuillmar::optScaleDecimal_Click() {
    ShowScaleEntry(true, false, false);
    txtScale->setFocus();
    SetPrecisionMenuEnabled(true);
}

void frmQuillmar::optScaleMetric_Click() {
    optScaleDecimal_Click();
}

void frmQuillmar::optScaleFraction_Click() {
    ShowScaleEntry(false, true, false);
    txtWhole->setFocus();
}

void frmQuillmar::optScaleCommon_Click() {
    ShowScaleEntry(false, false, true);
    cboScaleCommon->setFocus();
    SetPrecisionMenuEnabled(true);
}

void frmQuillmar::optDisplayDecimal_Click() {
    SetPrecisionMenuEnabled(true);
    ShowPrecision(InchPrecision);
}

void frmQuillmar::optDisplayFraction_Click() {
    SetPrecisionMenuEnabled(false);
}

void frmQuillmar::optDisplayMetric_Click() {
    SetPrecisionMenuEnabled(true);
    ShowPrecision(MetricPrecision);
}

void frmQuillmar::optCalcMethodFixed_Click() {
    txtCustom->setText(QString());
    txtCustom->setEnabled(false);
}

void frmQuillmar::optCalcMethodCustom_Click() {
    txtCustom->setEnabled(true);
}

void frmQuillmar::RefuseKey() {
    QApplication::beep();
    Q_EMIT keyRefused();
}

}  // namespace quillmar
