// Open Design, Save Design, Save Design As, the recent designs and the
// question about unsaved changes.

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QRadioButton>

#include "window/board_settings_store.h"
#include "window/design_file.h"
#include "window/filtered_line_edit.h"
#include "window/frm_quillmar.h"
#include "window/target_file.h"
#include "window/wait_cursor.h"

namespace quillmar {

namespace {

constexpr qsizetype kRecentDesigns = 5;
const QString kRecentKey = QStringLiteral("designs/recent");

}  // namespace

void frmQuillmar::setUnsavedQuestion(UnsavedQuestion question) {
    unsavedQuestion_ = std::move(question);
}

void frmQuillmar::setDesignChooser(DesignChooser chooser) {
    designChooser_ = std::move(chooser);
}

Design frmQuillmar::CurrentDesign() const {
    Design design;
    design.inputs = ReadInputs();
    design.inchPrecision = InchPrecision;
    design.metricPrecision = MetricPrecision;
    design.board = board_;
    return design;
}

// As a user would set them: each choice through its own handler, so what
// the handlers enable, show and remember follows, and texts after the
// choices that would empty or disable their boxes.
void frmQuillmar::ApplyDesign(const Design& design) {
    const CalcInputs& in = design.inputs;
    // Standard puts the last table's count back; the design's text replaces it.
    (in.mode == FretMode::Dulcimer ? mnuDulcimer : mnuStandard)->trigger();
    if (in.mode == FretMode::Standard) {
        txtNumberFrets->setText(QString::fromStdString(in.fretsText));
    }
    for (std::size_t i = 0; i < halfFretBoxes_.size(); ++i) {
        halfFretBoxes_[i]->setChecked(in.halfFrets[i] == BoxState::Checked);
    }

    scaleOptions_->button(static_cast<int>(in.scaleEntry))->click();
    txtScale->setText(QString::fromStdString(in.scaleText));
    txtWhole->setText(QString::fromStdString(in.wholeText));
    txtFraction1->setText(QString::fromStdString(in.numeratorText));
    cboFraction2->setCurrentIndex(
        cboFraction2->findText(QString::fromStdString(in.denominatorText)));
    cboScaleCommon->setCurrentIndex(in.presetIndex);

    methodOptions_->button(static_cast<int>(in.method))->click();
    if (in.method == CalcMethod::Custom) {
        txtCustom->setText(QString::fromStdString(in.fretsPerOctaveText));
    }

    // Each decimal unit's precision chosen under it; the unit whose precision
    // stays checked goes last, then the design's display unit.
    const auto choose = [this](DisplayUnit unit, std::int16_t precision) {
        displayOptions_->button(static_cast<int>(unit))->click();
        mnuPrecision_Click(precision);
    };
    const std::int16_t checked = PrecisionOfPlaces(in.precision.value_or(0));
    const bool metricLast =
        in.displayUnit == DisplayUnit::Metric ||
        (in.displayUnit == DisplayUnit::Fraction && checked != design.inchPrecision);
    if (metricLast) {
        choose(DisplayUnit::Decimal, design.inchPrecision);
        choose(DisplayUnit::Metric, design.metricPrecision);
    } else {
        choose(DisplayUnit::Metric, design.metricPrecision);
        choose(DisplayUnit::Decimal, design.inchPrecision);
    }
    displayOptions_->button(static_cast<int>(in.displayUnit))->click();

    board_ = design.board;
    cmdCalculate_Click();
}

void frmQuillmar::ShowWarning(const QString& message) {
    {
        const ArrowCursor arrow;
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Quillmar"), message, QMessageBox::Ok,
                        this);
        box.exec();
    }
    activateWindow();
}

bool frmQuillmar::openDesign(const QString& path) {
    QString message;
    // A bad file is refused before any question about the open design.
    std::optional<Design> design = ReadDesignFile(path, message);
    if (!design) {
        ShowWarning(message);
        return false;
    }
    // A design opened at start goes over the start-up values, never under them.
    ActivateOnce();
    if (!LeaveDesign()) {
        return false;
    }
    // Saving the open design may have just written this very file.
    design = ReadDesignFile(path, message);
    if (!design) {
        ShowWarning(message);
        return false;
    }
    ApplyDesign(*design);
    designPath_ = QFileInfo(path).absoluteFilePath();
    savedDesign_ = DesignToJson(CurrentDesign());
    RememberDesign(designPath_);
    return true;
}

void frmQuillmar::mnuOpenDesign_Click() {
    const QString start = designPath_.isEmpty() ? QDir::homePath() : designPath_;
    const QString path = designChooser_(this, false, start);
    if (!path.isEmpty()) {
        openDesign(path);
    }
}

bool frmQuillmar::mnuSaveDesign_Click() {
    return designPath_.isEmpty() ? mnuSaveDesignAs_Click() : SaveDesignTo(designPath_);
}

bool frmQuillmar::mnuSaveDesignAs_Click() {
    // A new design is named after its table, as its printout is.
    const QString start =
        designPath_.isEmpty()
            ? QDir::home().filePath(QString::fromStdString(ReportTitle(reportSource())) +
                                    QStringLiteral(".") + kDesignSuffix)
            : designPath_;
    const QString path = designChooser_(this, true, start);
    if (path.isEmpty()) {
        return false;
    }
    return SaveDesignTo(WithSuffix(path, QString::fromLatin1(kDesignSuffix)));
}

bool frmQuillmar::SaveDesignTo(const QString& path) {
    const QByteArray bytes = DesignToJson(CurrentDesign());
    QString reason;
    bool written = false;
    {
        const WaitCursor wait;
        written = WriteWholeFile(path, bytes, reason);
    }
    if (!written) {
        ShowWarning(
            QStringLiteral("The design could not be saved to \"%1\": %2.").arg(path, reason));
        return false;
    }
    designPath_ = QFileInfo(path).absoluteFilePath();
    savedDesign_ = bytes;
    RememberDesign(designPath_);
    return true;
}

// True when the window may leave the open design: none is open, it has no
// unsaved changes, or the user saved or discarded them.
bool frmQuillmar::LeaveDesign() {
    if (designPath_.isEmpty() || DesignToJson(CurrentDesign()) == savedDesign_) {
        return true;
    }
    switch (unsavedQuestion_(this, designPath_)) {
        case UnsavedAnswer::Save:
            return mnuSaveDesign_Click();
        case UnsavedAnswer::Discard:
            return true;
        case UnsavedAnswer::Cancel:
            break;
    }
    return false;
}

void frmQuillmar::closeEvent(QCloseEvent* event) {
    if (LeaveDesign()) {
        event->accept();
    } else {
        event->ignore();
    }
}

void frmQuillmar::RememberDesign(const QString& path) {
    QSettings settings = QuillmarSettings();
    QStringList recent = settings.value(kRecentKey).toStringList();
    recent.removeAll(path);
    recent.prepend(path);
    settings.setValue(kRecentKey, recent.mid(0, kRecentDesigns));
    ShowRecentDesigns();
}

void frmQuillmar::ShowRecentDesigns() {
    const QSettings settings = QuillmarSettings();
    const QStringList recent = settings.value(kRecentKey).toStringList().mid(0, kRecentDesigns);
    mnuRecentDesigns->clear();
    for (qsizetype i = 0; i < recent.size(); ++i) {
        const QString path = recent[i];
        QAction* item = mnuRecentDesigns->addAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()));
        item->setObjectName(QStringLiteral("mnuRecentDesign%1").arg(i + 1));
        item->setToolTip(QDir::toNativeSeparators(path));
        item->setStatusTip(item->toolTip());
        connect(item, &QAction::triggered, this, [this, path] {
            if (!BehindModalDialog(this)) {
                openDesign(path);
            }
        });
    }
    mnuRecentDesigns->setEnabled(!recent.isEmpty());
    mnuRecentDesigns->menuAction()->setEnabled(!recent.isEmpty());
}

}  // namespace quillmar
