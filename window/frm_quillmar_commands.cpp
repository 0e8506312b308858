// Calculate, Print, the previews, Export, About and Exit.

#include <QAction>
#include <QActionGroup>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>

#include "window/board_dialog.h"
#include "window/board_settings_store.h"
#include "window/filtered_line_edit.h"
#include "window/frm_quillmar.h"
#include "window/results_grid_model.h"
#include "window/wait_cursor.h"

namespace quillmar {

namespace {

BoxState StateOf(const QCheckBox* box) {
    switch (box->checkState()) {
        case Qt::Checked:
            return BoxState::Checked;
        case Qt::PartiallyChecked:
            return BoxState::Grayed;
        case Qt::Unchecked:
            break;
    }
    return BoxState::Unchecked;
}

template <typename Enum>
Enum SelectedOf(const QButtonGroup* group, Enum fallback) {
    const int id = group->checkedId();
    return id < 0 ? fallback : static_cast<Enum>(id);
}

}  // namespace

DisplayUnit frmQuillmar::SelectedDisplay() const {
    return SelectedOf(displayOptions_, DisplayUnit::Decimal);
}

CalcInputs frmQuillmar::ReadInputs() const {
    CalcInputs inputs;
    inputs.scaleEntry = SelectedOf(scaleOptions_, ScaleEntry::Decimal);
    inputs.scaleText = txtScale->text().toStdString();
    inputs.wholeText = txtWhole->text().toStdString();
    inputs.numeratorText = txtFraction1->text().toStdString();
    inputs.denominatorText = cboFraction2->currentText().toStdString();
    inputs.presetIndex = static_cast<std::int16_t>(cboScaleCommon->currentIndex());
    inputs.fretsText = txtNumberFrets->text().toStdString();
    inputs.method = SelectedOf(methodOptions_, CalcMethod::TwelveRootTwo);
    inputs.fretsPerOctaveText = txtCustom->text().toStdString();
    inputs.displayUnit = SelectedDisplay();

    // The first checked Precision item, in menu order; none checked is none.
    inputs.precision.reset();
    const QList<QAction*> precisions = precisionItems_->actions();
    for (qsizetype i = 0; i < precisions.size(); ++i) {
        if (precisions[i]->isChecked()) {
            inputs.precision = static_cast<Precision>(i + 1);
            break;
        }
    }
    inputs.mode = mnuDulcimer->isChecked() ? FretMode::Dulcimer : FretMode::Standard;
    for (std::size_t i = 0; i < halfFretBoxes_.size(); ++i) {
        inputs.halfFrets[i] = StateOf(halfFretBoxes_[i]);
    }
    return inputs;
}

void frmQuillmar::cmdCalculate_Click() {
    const WaitCursor wait;
    const CalcInputs inputs = ReadInputs();
    CalculateOutcome outcome;
    model_->Update([&](ResultsGrid& grid) { outcome = RunCalculate(inputs, form_, grid); });
    form_ = outcome.form;
    if (outcome.table) {
        table_ = std::move(outcome.table);
    }
    if (const auto& captions = outcome.captions) {
        ShowSummary(lblMode, QString::fromStdString(captions->lblMode));
        ShowSummary(lblScaleLength, QString::fromStdString(captions->lblScaleLength));
        ShowSummary(lblNumFrets, QString::fromStdString(captions->lblNumFrets));
        ShowSummary(lblDisplay, QString::fromStdString(captions->lblDisplay));
        ShowSummary(lblCalcMethod, QString::fromStdString(captions->lblCalcMethod));
    }
    if (outcome.problem) {
        ActOnProblem(*outcome.problem);
    }
}

void frmQuillmar::ActOnProblem(const InputProblem& problem) {
    {
        const ArrowCursor arrow;
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Quillmar"),
                        QString::fromStdString(problem.message), QMessageBox::Ok, this);
        box.exec();
    }
    activateWindow();
    FilteredLineEdit* field = txtScale;
    switch (problem.field) {
        case InputField::txtScale:
            break;
        case InputField::txtWhole:
            field = txtWhole;
            break;
        case InputField::txtFraction1:
            field = txtFraction1;
            break;
        case InputField::txtNumberFrets:
            field = txtNumberFrets;
            break;
        case InputField::txtCustom:
            field = txtCustom;
            break;
    }
    field->setText(QString());
    field->setFocus();
}

ReportSource frmQuillmar::reportSource() const {
    // The unit of the table on view, whatever option is selected since.
    return ReportSourceOf(form_, table_ ? table_->display : SelectedDisplay(), model_->grid());
}

void frmQuillmar::cmdPrint_Click() {
    PrintTable(this, reportSource(), printerChooser_, designPath_);
}

void frmQuillmar::mnuPrintPreview_Click() {
    PreviewReport(this, reportSource(), previewShower_, printerChooser_, designPath_);
}

void frmQuillmar::mnuPrintTemplate_Click() {
    PreviewTemplate(this, table_, previewShower_, printerChooser_,
                    TemplateJobFor(reportSource(), board_, designPath_));
}

void frmQuillmar::mnuFretboard_Click() {
    // The board is drawn around the last table; before the first Calculate,
    // around the table the inputs would give, which nothing else sees.
    std::optional<ComputedTable> table = table_;
    if (!table || table->rows.empty()) {
        ResultsGrid scratch;
        table = RunCalculate(ReadInputs(), form_, scratch).table;
    }
    BoardDialog dialog(board_, std::move(table), this);
    if (dialog.exec() == QDialog::Accepted) {
        board_ = dialog.settings();
        SaveBoardSettings(board_);
    }
}

void frmQuillmar::mnuExport_Click(ExportFormat format) {
    ExportTable(this, format, table_, reportSource(), saveChooser_, board_, designPath_);
}

void frmQuillmar::cmdExit_Click() {
    close();
}

void frmQuillmar::mnuAboutQuillmar_Click() {
    const QString message = QStringLiteral("Quillmar " QUILLMAR_VERSION "\n") +
                            QStringLiteral("Fret positions for the luthier's bench.\n") +
                            QStringLiteral("\n") + QStringLiteral("quillmar@example.org\n") +
                            QStringLiteral("https://quillmar.example.org");
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("About Quillmar " QUILLMAR_VERSION),
                    message, QMessageBox::Ok, this);
    box.exec();
    activateWindow();
}

}  // namespace quillmar
