#pragma once

// The main window. It owns every control; the controls are the state. A
// Calculate click reads the controls into a CalcInputs, hands it to the core
// (RunCalculate), and applies what comes back: the summary captions, the grid
// (through its model), and for a bad input the message box, then the field
// emptied and focused. No fret is computed here.
//
// Start-up: the constructor builds the controls and runs Form_Load; the window
// is shown; Form_Activate runs once, at the first activation (or right after
// the first show where the platform never reports one).

#include <QMainWindow>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "calculation/board_settings.h"
#include "command/calculate_command.h"
#include "window/design_command.h"
#include "window/export_command.h"
#include "window/print_command.h"
#include "window/template_command.h"

class QAction;
class QActionGroup;
class QButtonGroup;
class QCloseEvent;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;

namespace quillmar {

class FilteredLineEdit;
struct Design;
struct TextRule;
class ResultsGridModel;
class ResultsGridView;
class TwipLayout;

class frmQuillmar : public QMainWindow {
    Q_OBJECT

public:
    explicit frmQuillmar(QWidget* parent = nullptr);
    ~frmQuillmar() override;

    // Grid coordinates: row 0 is the header row, column 0 the label column.
    QString cellText(int row, int column) const;
    int gridRows() const;

    // The precision remembered for each unit.
    std::int16_t inchPrecision() const { return InchPrecision; }
    std::int16_t metricPrecision() const { return MetricPrecision; }

    // The fretboard drawn around the frets, as the Fretboard dialog last set it.
    const BoardSettings& boardSettings() const { return board_; }

    void setPrinterChooser(PrinterChooser chooser);
    void setPreviewShower(PreviewShower shower);
    void setSaveChooser(SaveChooser chooser);
    void setUnsavedQuestion(UnsavedQuestion question);
    void setDesignChooser(DesignChooser chooser);

    // Opens a design file as File > Open Design does, after the file dialog:
    // a refused file changes nothing. False when refused or cancelled.
    bool openDesign(const QString& path);
    // The design open, empty when none is.
    QString designPath() const { return designPath_; }

Q_SIGNALS:
    // Every refused key or paste, together with the beep.
    void keyRefused();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // Asks about unsaved changes of an open design; with none open it closes as ever.
    void closeEvent(QCloseEvent* event) override;

private:
    // Construction, one step per frame.
    void createMenus();
    void createGrid();
    void createScaleLengthFrame();
    void createFretsFrame();
    void createCalcMethodFrame();
    void createHalfFretsFrame();
    void createSettingsFrame();
    void createCommandButtons();
    void orderTabs();
    void connectHandlers();
    void routeOptions(QButtonGroup* group, std::function<void(int)> handler);
    void placeWindow();
    FilteredLineEdit* newTextBox(QWidget* parent, const char* name, TextRule rule);
    template <typename Id>
    QRadioButton* newOption(QButtonGroup* group, QWidget* frame, const char* name,
                            const QString& caption, Id id, int top, int width);

    // Start-up.
    void Form_Load();
    void Form_Activate();
    void ActivateOnce();

    // Mode and precision menus.
    void mnuStandard_Click();
    void mnuDulcimer_Click();
    void mnuPrecision_Click(std::int16_t value);
    void SetHalfFretsEnabled(bool enabled);
    void ShowPrecision(std::int16_t value);
    void SetPrecisionMenuEnabled(bool enabled);

    // Option groups.
    void optScaleDecimal_Click();
    void optScaleMetric_Click();
    void optScaleFraction_Click();
    void optScaleCommon_Click();
    void ShowScaleEntry(bool scale, bool fraction, bool common);
    void optDisplayDecimal_Click();
    void optDisplayFraction_Click();
    void optDisplayMetric_Click();
    void optCalcMethodFixed_Click();
    void optCalcMethodCustom_Click();
    void RefuseKey();

    // Commands.
    void cmdCalculate_Click();
    void cmdPrint_Click();
    void mnuPrint_Click() { cmdPrint_Click(); }
    void mnuPrintPreview_Click();
    void mnuPrintTemplate_Click();
    void mnuFretboard_Click();
    void mnuExport_Click(ExportFormat format);
    ReportSource reportSource() const;
    void cmdExit_Click();
    void mnuExit_Click() { cmdExit_Click(); }
    void mnuAboutQuillmar_Click();
    CalcInputs ReadInputs() const;
    void ActOnProblem(const InputProblem& problem);
    DisplayUnit SelectedDisplay() const;
    bool RunsCalculateOnEnter(QObject* watched, QEvent* event);
    void ShowSummary(QLabel* label, const QString& caption);

    // Designs.
    void mnuOpenDesign_Click();
    bool mnuSaveDesign_Click();
    bool mnuSaveDesignAs_Click();
    bool SaveDesignTo(const QString& path);
    bool LeaveDesign();
    Design CurrentDesign() const;
    void ApplyDesign(const Design& design);
    void RememberDesign(const QString& path);
    void ShowRecentDesigns();
    void ShowWarning(const QString& message);

    // Form-level values.
    FormValues form_;
    std::int16_t InchPrecision = 0;
    std::int16_t MetricPrecision = 0;
    bool activated_ = false;
    bool shown_ = false;
    bool reselecting_ = false;  // the option pressed was selected already
    int deselected_ = -1;       // the option the last selection left
    PrinterChooser printerChooser_;
    PreviewShower previewShower_;
    SaveChooser saveChooser_;
    UnsavedQuestion unsavedQuestion_;
    DesignChooser designChooser_;
    QString designPath_;
    QByteArray savedDesign_;  // the open design as last opened or saved
    // The table of the last Calculate that wrote one, for the template.
    std::optional<ComputedTable> table_;
    BoardSettings board_;
    std::unique_ptr<TwipLayout> layout_;
    double factor_ = 1.0;  // the common geometry factor

    // Menus.
    QMenu* mnuFile = nullptr;
    QMenu* mnuExport = nullptr;
    QMenu* mnuRecentDesigns = nullptr;
    QAction* mnuOpenDesign = nullptr;
    QAction* mnuSaveDesign = nullptr;
    QAction* mnuSaveDesignAs = nullptr;
    QMenu* Calc = nullptr;
    QMenu* mnuMode = nullptr;
    QMenu* mnuPrecision = nullptr;
    QMenu* mnuAbout = nullptr;
    QAction* mnuPrint = nullptr;
    QAction* mnuPrintPreview = nullptr;
    QAction* mnuPrintTemplate = nullptr;
    QAction* mnuExportDxf = nullptr;
    QAction* mnuExportSvg = nullptr;
    QAction* mnuExportCsv = nullptr;
    QAction* mnuExit = nullptr;
    QAction* mnuStandard = nullptr;
    QAction* mnuDulcimer = nullptr;
    QAction* mnuPrecision10 = nullptr;
    QAction* mnuPrecision100 = nullptr;
    QAction* mnuPrecision1000 = nullptr;
    QAction* mnuPrecision10000 = nullptr;
    QAction* mnuFretboard = nullptr;
    QAction* mnuAboutQuillmar = nullptr;
    QActionGroup* modeItems_ = nullptr;
    QActionGroup* precisionItems_ = nullptr;

    // The grid.
    ResultsGridModel* model_ = nullptr;
    ResultsGridView* grdTable = nullptr;

    // Scale Length.
    QGroupBox* frameScaleLength = nullptr;
    QLabel* lblScale = nullptr;
    FilteredLineEdit* txtScale = nullptr;
    FilteredLineEdit* txtWhole = nullptr;
    FilteredLineEdit* txtFraction1 = nullptr;
    FilteredLineEdit* txtDivisor = nullptr;
    QComboBox* cboFraction2 = nullptr;
    QComboBox* cboScaleCommon = nullptr;
    QRadioButton* optScaleDecimal = nullptr;
    QRadioButton* optScaleFraction = nullptr;
    QRadioButton* optScaleMetric = nullptr;
    QRadioButton* optScaleCommon = nullptr;
    QButtonGroup* scaleOptions_ = nullptr;

    // Frets.
    QGroupBox* frameNumberFrets = nullptr;
    QLabel* lblNumberFrets = nullptr;
    FilteredLineEdit* txtNumberFrets = nullptr;
    QRadioButton* optDisplayDecimal = nullptr;
    QRadioButton* optDisplayFraction = nullptr;
    QRadioButton* optDisplayMetric = nullptr;
    QButtonGroup* displayOptions_ = nullptr;

    // Calc Method.
    QGroupBox* frameCalcMethod = nullptr;
    QRadioButton* optCalcMethod12root2 = nullptr;
    QRadioButton* optCalcMethodClassic = nullptr;
    QRadioButton* optCalcMethodTovell = nullptr;
    QRadioButton* optCalcMethodCustom = nullptr;
    QButtonGroup* methodOptions_ = nullptr;
    FilteredLineEdit* txtCustom = nullptr;
    QLabel* lblTeT = nullptr;

    // Half Frets, in the order of HalfFretSet.
    QGroupBox* frameHalfFrets = nullptr;
    std::array<QCheckBox*, 12> halfFretBoxes_{};

    // Settings.
    QGroupBox* frameSettings = nullptr;
    QLabel* lblMode = nullptr;
    QLabel* lblScaleLength = nullptr;
    QLabel* lblNumFrets = nullptr;
    QLabel* lblDisplay = nullptr;
    QLabel* lblCalcMethod = nullptr;

    QPushButton* cmdCalculate = nullptr;
    QPushButton* cmdPrint = nullptr;
    QPushButton* cmdExit = nullptr;
};

}  // namespace quillmar

// The class is known by its plain name too.
using quillmar::frmQuillmar;
