#include "window/frm_quillmar.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <utility>

#include "window/board_settings_store.h"
#include "window/design_file.h"
#include "window/filtered_line_edit.h"
#include "window/results_grid_model.h"
#include "window/results_grid_view.h"
#include "window/twip_layout.h"

namespace quillmar {

namespace {

// The design fonts do not exist here; Liberation Sans has the same metrics
// as the sans font the layout was drawn for.
QFont DesignFont(double points, bool bold) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

constexpr int kClientWidthTwips = 9315;
constexpr int kClientHeightTwips = 6585;
constexpr int kSummaryTwips = 2055;
constexpr int kSummaryWidestTwips = 4815 - 2 * 120;

}  // namespace

frmQuillmar::frmQuillmar(QWidget* parent)
    : QMainWindow(parent),
      printerChooser_(DefaultPrinterChooser()),
      previewShower_(DefaultPreviewShower()),
      saveChooser_(DefaultSaveChooser()),
      unsavedQuestion_(DefaultUnsavedQuestion()),
      designChooser_(DefaultDesignChooser()),
      board_(LoadBoardSettings()),
      layout_(std::make_unique<TwipLayout>()) {
    setObjectName(QStringLiteral("frmQuillmar"));
    setWindowTitle(QStringLiteral("Quillmar " QUILLMAR_VERSION));
    setFont(DesignFont(8.25, false));
    setCentralWidget(new QWidget(this));

    createMenus();
    createGrid();
    createScaleLengthFrame();
    createFretsFrame();
    createCalcMethodFrame();
    createHalfFretsFrame();
    createSettingsFrame();
    createCommandButtons();
    orderTabs();
    connectHandlers();
    placeWindow();
    ShowRecentDesigns();

    Form_Load();
}

frmQuillmar::~frmQuillmar() = default;

void frmQuillmar::createMenus() {
    const auto addItem = [this](QMenu* menu, const char* name, const QString& caption,
                                const QKeySequence& shortcut = {}) {
        QAction* item = menu->addAction(caption);
        item->setObjectName(QString::fromLatin1(name));
        item->setShortcut(shortcut);
        return item;
    };
    const auto addMenu = [](auto* parent, const char* name, const QString& caption) {
        QMenu* menu = parent->addMenu(caption);
        menu->setObjectName(QString::fromLatin1(name));
        return menu;
    };

    mnuFile = addMenu(menuBar(), "mnuFile", QStringLiteral("&File"));
    // Ctrl+S is Standard mode's, so saving in place takes Ctrl+Shift+S.
    mnuOpenDesign = addItem(mnuFile, "mnuOpenDesign", QStringLiteral("&Open Design..."),
                            QKeySequence(Qt::CTRL | Qt::Key_O));
    mnuSaveDesign = addItem(mnuFile, "mnuSaveDesign", QStringLiteral("&Save Design"),
                            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    mnuSaveDesignAs = addItem(mnuFile, "mnuSaveDesignAs", QStringLiteral("Save Design &As..."));
    mnuRecentDesigns = addMenu(mnuFile, "mnuRecentDesigns", QStringLiteral("&Recent Designs"));
    mnuFile->addSeparator()->setObjectName(QStringLiteral("mnuSep2"));
    mnuPrint =
        addItem(mnuFile, "mnuPrint", QStringLiteral("&Print"), QKeySequence(Qt::CTRL | Qt::Key_P));
    mnuPrintPreview = addItem(mnuFile, "mnuPrintPreview", QStringLiteral("Print Pre&view..."),
                              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
    mnuPrintTemplate = addItem(mnuFile, "mnuPrintTemplate", QStringLiteral("Print &Template..."),
                               QKeySequence(Qt::CTRL | Qt::Key_T));
    // No shortcuts: Ctrl+E and its neighbours belong to the text boxes.
    mnuExport = addMenu(mnuFile, "mnuExport", QStringLiteral("&Export"));
    mnuExportDxf = addItem(mnuExport, "mnuExportDxf", QStringLiteral("Template as &DXF..."));
    mnuExportSvg = addItem(mnuExport, "mnuExportSvg", QStringLiteral("Template as &SVG..."));
    mnuExportCsv = addItem(mnuExport, "mnuExportCsv", QStringLiteral("Table as &CSV..."));
    mnuFile->addSeparator()->setObjectName(QStringLiteral("mnuSep1"));
    mnuExit =
        addItem(mnuFile, "mnuExit", QStringLiteral("E&xit"), QKeySequence(Qt::CTRL | Qt::Key_Q));

    Calc = addMenu(menuBar(), "Calc", QStringLiteral("Ca&lc"));
    mnuMode = addMenu(Calc, "mnuMode", QStringLiteral("&Mode"));
    mnuStandard = addItem(mnuMode, "mnuStandard", QStringLiteral("&Standard"),
                          QKeySequence(Qt::CTRL | Qt::Key_S));
    // "Dulicmer" is the item's established caption.
    mnuDulcimer = addItem(mnuMode, "mnuDulcimer", QStringLiteral("&Dulicmer"),
                          QKeySequence(Qt::CTRL | Qt::Key_D));
    Calc->addSeparator()->setObjectName(QStringLiteral("mnuSep"));
    mnuPrecision = addMenu(Calc, "mnuPrecision", QStringLiteral("&Precision"));
    mnuPrecision10 = addItem(mnuPrecision, "mnuPrecision10", QStringLiteral(".1"));
    mnuPrecision100 = addItem(mnuPrecision, "mnuPrecision100", QStringLiteral(".01"));
    mnuPrecision1000 = addItem(mnuPrecision, "mnuPrecision1000", QStringLiteral(".001"));
    mnuPrecision10000 = addItem(mnuPrecision, "mnuPrecision10000", QStringLiteral(".0001"));
    mnuFretboard = addItem(Calc, "mnuFretboard", QStringLiteral("Fret&board..."));

    mnuAbout = addMenu(menuBar(), "mnuAbout", QStringLiteral("&About"));
    mnuAboutQuillmar = addItem(mnuAbout, "mnuAboutQuillmar", QStringLiteral("&About Quillmar"));

    // The groups only route the choice to one handler: the handlers set every
    // check mark themselves, in their own order, so the groups must not.
    modeItems_ = new QActionGroup(this);
    modeItems_->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
    precisionItems_ = new QActionGroup(this);
    precisionItems_->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
    for (QAction* item : {mnuStandard, mnuDulcimer}) {
        item->setCheckable(true);
        modeItems_->addAction(item);
    }
    const std::array<std::pair<QAction*, int>, 4> precisions{{{mnuPrecision10, 10},
                                                              {mnuPrecision100, 100},
                                                              {mnuPrecision1000, 1000},
                                                              {mnuPrecision10000, 10000}}};
    for (const auto& [item, value] : precisions) {
        item->setCheckable(true);
        item->setData(value);
        precisionItems_->addAction(item);
    }
}

void frmQuillmar::createGrid() {
    model_ = new ResultsGridModel(this);
    grdTable = new ResultsGridView(centralWidget());
    grdTable->setObjectName(QStringLiteral("grdTable"));
    grdTable->setAccessibleName(QStringLiteral("Fret table"));
    grdTable->SetGridModel(model_);
    layout_->Place(grdTable, 240, 240, 3855, 6135);
}

FilteredLineEdit* frmQuillmar::newTextBox(QWidget* parent, const char* name, TextRule rule) {
    auto* box = new FilteredLineEdit(rule.allowPoint, rule.maxLength, parent);
    box->setObjectName(QString::fromLatin1(name));
    connect(box, &FilteredLineEdit::refused, this, &frmQuillmar::RefuseKey);
    return box;
}

namespace {

QGroupBox* NewFrame(QWidget* parent, const char* name, const QString& caption) {
    auto* frame = new QGroupBox(caption, parent);
    frame->setObjectName(QString::fromLatin1(name));
    return frame;
}

template <typename Widget>
Widget* NewCaptioned(QWidget* parent, const char* name, const QString& caption) {
    auto* widget = new Widget(caption, parent);
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QComboBox* NewList(QWidget* parent, const char* name, const QString& accessibleName) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setEditable(false);
    list->setAccessibleName(accessibleName);
    return list;
}

}  // namespace

// Option buttons of one frame stand at the same left edge, one line high.
template <typename Id>
QRadioButton* frmQuillmar::newOption(QButtonGroup* group, QWidget* frame, const char* name,
                                     const QString& caption, Id id, int top, int width) {
    auto* option = NewCaptioned<QRadioButton>(frame, name, caption);
    group->addButton(option, static_cast<int>(id));
    layout_->Place(option, 120, top, width, 255);
    return option;
}

void frmQuillmar::createScaleLengthFrame() {
    frameScaleLength =
        NewFrame(centralWidget(), "frameScaleLength", QStringLiteral("Scale Length"));
    layout_->Place(frameScaleLength, 4200, 120, 2295, 1935);
    QWidget* frame = frameScaleLength;

    lblScale = NewCaptioned<QLabel>(frame, "lblScale", QStringLiteral("Scale Length"));
    layout_->Place(lblScale, 120, 240, 1335, 255);

    txtScale = newTextBox(frame, "txtScale", kScaleRule);
    txtScale->setAccessibleName(QStringLiteral("Scale Length"));
    layout_->Place(txtScale, 120, 480, 1695, 285);

    txtWhole = newTextBox(frame, "txtWhole", kWholeRule);
    txtWhole->setAccessibleName(QStringLiteral("Scale Length, whole inches"));
    layout_->Place(txtWhole, 120, 480, 495, 285);

    txtFraction1 = newTextBox(frame, "txtFraction1", kNumeratorRule);
    txtFraction1->setAccessibleName(QStringLiteral("Scale Length, numerator"));
    layout_->Place(txtFraction1, 720, 480, 375, 285);

    // The fixed slash between numerator and denominator: read, never tabbed to.
    txtDivisor = newTextBox(frame, "txtDivisor", TextRule{false, 0});
    txtDivisor->SetFixedText(QStringLiteral(" /"));
    txtDivisor->setFont(DesignFont(8.25, true));
    txtDivisor->setFocusPolicy(Qt::ClickFocus);
    txtDivisor->setAccessibleName(QStringLiteral("divided by"));
    QPalette grey = txtDivisor->palette();
    grey.setColor(QPalette::Base, QColor(0xC0, 0xC0, 0xC0));
    txtDivisor->setPalette(grey);
    layout_->Place(txtDivisor, 1080, 480, 255, 285);

    cboFraction2 = NewList(frame, "cboFraction2", QStringLiteral("Scale Length, denominator"));
    layout_->Place(cboFraction2, 1320, 480, 735, 315);
    cboScaleCommon = NewList(frame, "cboScaleCommon", QStringLiteral("Common scale length"));
    layout_->Place(cboScaleCommon, 120, 480, 2055, 315);

    scaleOptions_ = new QButtonGroup(this);
    optScaleDecimal = newOption(scaleOptions_, frame, "optScaleDecimal",
                                QStringLiteral("Inches - decimal"), ScaleEntry::Decimal, 840, 1455);
    optScaleFraction =
        newOption(scaleOptions_, frame, "optScaleFraction", QStringLiteral("Inches - fraction"),
                  ScaleEntry::Fraction, 1080, 1455);
    optScaleMetric = newOption(scaleOptions_, frame, "optScaleMetric",
                               QStringLiteral("Millimeters"), ScaleEntry::Metric, 1320, 1095);
    optScaleCommon = newOption(scaleOptions_, frame, "optScaleCommon", QStringLiteral("Common"),
                               ScaleEntry::Common, 1560, 1815);
}

void frmQuillmar::createFretsFrame() {
    frameNumberFrets = NewFrame(centralWidget(), "frameNumberFrets", QStringLiteral("Frets"));
    layout_->Place(frameNumberFrets, 6720, 120, 2295, 1935);
    QWidget* frame = frameNumberFrets;

    lblNumberFrets =
        NewCaptioned<QLabel>(frame, "lblNumberFrets", QStringLiteral("Number of Frets"));
    layout_->Place(lblNumberFrets, 120, 240, 1215, 255);

    txtNumberFrets = newTextBox(frame, "txtNumberFrets", kFretsRule);
    txtNumberFrets->setAccessibleName(QStringLiteral("Number of Frets"));
    layout_->Place(txtNumberFrets, 120, 480, 1695, 285);

    displayOptions_ = new QButtonGroup(this);
    optDisplayDecimal =
        newOption(displayOptions_, frame, "optDisplayDecimal", QStringLiteral("Inches - decimal"),
                  DisplayUnit::Decimal, 840, 2055);
    optDisplayFraction =
        newOption(displayOptions_, frame, "optDisplayFraction",
                  QStringLiteral("Inches - nearest 1/64\""), DisplayUnit::Fraction, 1080, 2055);
    optDisplayMetric = newOption(displayOptions_, frame, "optDisplayMetric",
                                 QStringLiteral("Millimeters"), DisplayUnit::Metric, 1320, 1815);
}

void frmQuillmar::createCalcMethodFrame() {
    frameCalcMethod = NewFrame(centralWidget(), "frameCalcMethod", QStringLiteral("Calc Method"));
    layout_->Place(frameCalcMethod, 4200, 2280, 2295, 1575);
    QWidget* frame = frameCalcMethod;

    methodOptions_ = new QButtonGroup(this);
    optCalcMethod12root2 =
        newOption(methodOptions_, frame, "optCalcMethod12root2", QStringLiteral("12th Root of 2"),
                  CalcMethod::TwelveRootTwo, 240, 1695);
    optCalcMethodClassic = newOption(methodOptions_, frame, "optCalcMethodClassic",
                                     QStringLiteral("17.817"), CalcMethod::Classic, 480, 2055);
    optCalcMethodTovell = newOption(methodOptions_, frame, "optCalcMethodTovell",
                                    QStringLiteral("17.835"), CalcMethod::Tovell, 720, 1815);
    optCalcMethodCustom = newOption(methodOptions_, frame, "optCalcMethodCustom",
                                    QStringLiteral("Non 12-tone"), CalcMethod::Custom, 960, 1815);

    txtCustom = newTextBox(frame, "txtCustom", kPerOctaveRule);
    txtCustom->setAccessibleName(QStringLiteral("Frets per octave"));
    layout_->Place(txtCustom, 360, 1200, 1215, 285);

    lblTeT = NewCaptioned<QLabel>(frame, "lblTeT", QStringLiteral("Frets"));
    layout_->Place(lblTeT, 1680, 1200, 495, 255);
}

void frmQuillmar::createHalfFretsFrame() {
    frameHalfFrets = NewFrame(centralWidget(), "frameHalfFrets", QStringLiteral("Half Frets"));
    layout_->Place(frameHalfFrets, 6720, 2280, 2295, 1575);

    struct Box {
        const char* name;
        const char* caption;
        int left;
        int top;
        int width;
    };
    static constexpr std::array<Box, 12> kBoxes{{
        {"chkZeroPlus", "0+", 120, 240, 495},
        {"chkOnePlus", "1+", 120, 480, 495},
        {"chkThreePlus", "3+", 120, 720, 495},
        {"chkFourPlus", "4+", 120, 960, 495},
        {"chkSixPlus", "6+", 120, 1200, 495},
        {"chkSevenPlus", "7+", 840, 240, 495},
        {"chkEightPlus", "8+", 840, 480, 615},
        {"chkTenPlus", "10+", 840, 720, 615},
        {"chkElevenPlus", "11+", 840, 960, 615},
        {"chkThirteenPlus", "13+", 840, 1200, 615},
        {"chkFourteenPlus", "14+", 1440, 240, 615},
        {"chkFifteenPlus", "15+", 1440, 480, 615},
    }};
    for (std::size_t i = 0; i < kBoxes.size(); ++i) {
        const Box& box = kBoxes[i];
        halfFretBoxes_[i] =
            NewCaptioned<QCheckBox>(frameHalfFrets, box.name, QString::fromLatin1(box.caption));
        layout_->Place(halfFretBoxes_[i], box.left, box.top, box.width, 255);
    }
}

void frmQuillmar::createSettingsFrame() {
    frameSettings = NewFrame(centralWidget(), "frameSettings", QStringLiteral("Settings"));
    layout_->Place(frameSettings, 4200, 4080, 4815, 1575);

    const auto addSummary = [this](QLabel*& label, const char* name, const QString& caption,
                                   int top) {
        label = NewCaptioned<QLabel>(frameSettings, name, caption);
        layout_->Place(label, 120, top, kSummaryTwips, 255);
    };
    addSummary(lblMode, "lblMode", QStringLiteral("Mode:"), 240);
    addSummary(lblScaleLength, "lblScaleLength", QStringLiteral("Scale Length:"), 480);
    addSummary(lblNumFrets, "lblNumFrets", QStringLiteral("Number of Frets:"), 720);
    addSummary(lblDisplay, "lblDisplay", QStringLiteral("Display:"), 960);
    addSummary(lblCalcMethod, "lblCalcMethod", QStringLiteral("Calc Method:"), 1200);
}

void frmQuillmar::createCommandButtons() {
    const auto addButton = [this](QPushButton*& button, const char* name, const QString& caption,
                                  int left) {
        button = NewCaptioned<QPushButton>(centralWidget(), name, caption);
        button->setFont(DesignFont(9.75, true));
        button->setAutoDefault(false);
        layout_->Place(button, left, 5880, 1215, 495);
    };
    addButton(cmdCalculate, "cmdCalculate", QStringLiteral("&Calculate"), 4440);
    addButton(cmdPrint, "cmdPrint", QStringLiteral("&Print"), 6000);
    addButton(cmdExit, "cmdExit", QStringLiteral("E&xit"), 7560);
    // Drawn as the default button; eventFilter gives Enter its meaning.
    cmdCalculate->setDefault(true);
}

void frmQuillmar::orderTabs() {
    std::vector<QWidget*> order{txtScale,
                                txtWhole,
                                txtFraction1,
                                cboFraction2,
                                cboScaleCommon,
                                optScaleDecimal,
                                optScaleFraction,
                                optScaleMetric,
                                optScaleCommon,
                                txtNumberFrets,
                                optDisplayDecimal,
                                optDisplayFraction,
                                optDisplayMetric,
                                optCalcMethod12root2,
                                optCalcMethodClassic,
                                optCalcMethodTovell,
                                optCalcMethodCustom,
                                txtCustom};
    order.insert(order.end(), halfFretBoxes_.begin(), halfFretBoxes_.end());
    order.insert(order.end(), {cmdCalculate, cmdPrint, cmdExit, grdTable});
    for (std::size_t i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
}

void frmQuillmar::placeWindow() {
    factor_ = layout_->FitFactor();
    const double factor = factor_;
    layout_->Apply(factor);
    grdTable->SetScale(factor);
    centralWidget()->setFixedSize(TwipsToPixels(kClientWidthTwips, factor),
                                  TwipsToPixels(kClientHeightTwips, factor));
    // The window is exactly the menu bar over the fixed client area.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        // Centred, but a window larger than the screen keeps its title bar
        // and menu bar on it.
        const QRect available = screen->availableGeometry();
        QRect frame = frameGeometry();
        frame.moveCenter(available.center());
        move(std::max(frame.left(), available.left()), std::max(frame.top(), available.top()));
    }
}

void frmQuillmar::connectHandlers() {
    // Assistive technology can still press the window's controls while a
    // modal box is open; until the box is answered nothing here runs.
    const auto unlessBehindBox = [this](auto handler) {
        return [this, handler](auto... args) {
            if (!BehindModalDialog(this)) {
                handler(args...);
            }
        };
    };
    // A checkable item flips its own mark before it reports the trigger; an
    // item refused behind a box gets its mark back.
    const auto itemHandler = [this](auto handler) {
        return [this, handler](QAction* item) {
            if (BehindModalDialog(this)) {
                item->setChecked(!item->isChecked());
            } else {
                handler(item);
            }
        };
    };
    connect(modeItems_, &QActionGroup::triggered, this, itemHandler([this](QAction* item) {
                item == mnuDulcimer ? mnuDulcimer_Click() : mnuStandard_Click();
            }));
    connect(precisionItems_, &QActionGroup::triggered, this, itemHandler([this](QAction* item) {
                mnuPrecision_Click(static_cast<std::int16_t>(item->data().toInt()));
            }));
    connect(mnuOpenDesign, &QAction::triggered, this,
            unlessBehindBox([this](bool) { mnuOpenDesign_Click(); }));
    connect(mnuSaveDesign, &QAction::triggered, this,
            unlessBehindBox([this](bool) { mnuSaveDesign_Click(); }));
    connect(mnuSaveDesignAs, &QAction::triggered, this,
            unlessBehindBox([this](bool) { mnuSaveDesignAs_Click(); }));
    connect(mnuPrint, &QAction::triggered, this,
            unlessBehindBox([this](bool) { mnuPrint_Click(); }));
    connect(mnuPrintPreview, &QAction::triggered, this,
            unlessBehindBox([this](bool) { mnuPrintPreview_Click(); }));
    connect(mnuPrintTemplate, &QAction::triggered, this,
            unlessBehindBox([this](bool) { mnuPrintTemplate_Click(); }));
    connect(mnuFretboard, &QAction::triggered, this,
            unlessBehindBox([this](bool) { mnuFretboard_Click(); }));
    const std::array<std::pair<QAction*, ExportFormat>, 3> exports{
        {{mnuExportDxf, ExportFormat::Dxf},
         {mnuExportSvg, ExportFormat::Svg},
         {mnuExportCsv, ExportFormat::Csv}}};
    for (const auto& [item, format] : exports) {
        connect(item, &QAction::triggered, this,
                unlessBehindBox([this, format](bool) { mnuExport_Click(format); }));
    }
    connect(mnuExit, &QAction::triggered, this, unlessBehindBox([this](bool) { mnuExit_Click(); }));
    connect(mnuAboutQuillmar, &QAction::triggered, this,
            unlessBehindBox([this](bool) { mnuAboutQuillmar_Click(); }));

    routeOptions(scaleOptions_, [this](int id) {
        switch (static_cast<ScaleEntry>(id)) {
            case ScaleEntry::Decimal:
                return optScaleDecimal_Click();
            case ScaleEntry::Metric:
                return optScaleMetric_Click();
            case ScaleEntry::Fraction:
                return optScaleFraction_Click();
            case ScaleEntry::Common:
                return optScaleCommon_Click();
        }
    });
    routeOptions(displayOptions_, [this](int id) {
        switch (static_cast<DisplayUnit>(id)) {
            case DisplayUnit::Decimal:
                return optDisplayDecimal_Click();
            case DisplayUnit::Fraction:
                return optDisplayFraction_Click();
            case DisplayUnit::Metric:
                return optDisplayMetric_Click();
        }
    });
    routeOptions(methodOptions_, [this](int id) {
        static_cast<CalcMethod>(id) == CalcMethod::Custom ? optCalcMethodCustom_Click()
                                                          : optCalcMethodFixed_Click();
    });

    connect(cmdCalculate, &QPushButton::clicked, this,
            unlessBehindBox([this](bool) { cmdCalculate_Click(); }));
    connect(cmdPrint, &QPushButton::clicked, this,
            unlessBehindBox([this](bool) { cmdPrint_Click(); }));
    connect(cmdExit, &QPushButton::clicked, this,
            unlessBehindBox([this](bool) { cmdExit_Click(); }));

    // Enter and the menu shortcuts are decided before any control sees them.
    qApp->installEventFilter(this);
}

// The selection itself runs the group's handler, however the option came to
// be selected: mouse, Space, arrow keys, access key, code or assistive
// technology. A click on the option already selected runs it again, as every
// click has (it moves the focus); one click never runs it twice.
void frmQuillmar::routeOptions(QButtonGroup* group, std::function<void(int)> handler) {
    connect(group, &QButtonGroup::idPressed, this,
            [this, group](int id) { reselecting_ = group->button(id)->isChecked(); });
    connect(group, &QButtonGroup::idClicked, this, [this, handler](int id) {
        if (std::exchange(reselecting_, false)) {
            handler(id);
        }
    });
    // The option left is reported first, then the one selected.
    connect(group, &QButtonGroup::idToggled, this, [this, group, handler](int id, bool checked) {
        if (!checked) {
            deselected_ = id;
            return;
        }
        const int left = std::exchange(deselected_, -1);
        if (!BehindModalDialog(this)) {
            handler(id);
        } else if (QAbstractButton* previous = group->button(left)) {
            // Put the selection back without a handler: none ran for the change.
            const QSignalBlocker selected(group->button(id));
            const QSignalBlocker back(previous);
            previous->setChecked(true);
        }
    });
}

bool frmQuillmar::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        ActivateOnce();
    }
    return QMainWindow::event(event);
}

void frmQuillmar::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // Without a window manager nobody activates the window and the platform
    // never reports an activation: ask for it, and do not wait for it.
    if (!shown_) {
        shown_ = true;
        activateWindow();
        QTimer::singleShot(0, this, &frmQuillmar::ActivateOnce);
    }
}

void frmQuillmar::ActivateOnce() {
    if (activated_) {
        return;
    }
    activated_ = true;
    Form_Activate();
}

bool frmQuillmar::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride) {
        return false;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != this) {
        return false;
    }
    if (type == QEvent::ShortcutOverride) {
        // A text box would claim some Ctrl keys for itself; these belong to
        // the menu wherever the focus is.
        const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
        for (const QAction* item : {mnuOpenDesign, mnuSaveDesign, mnuPrint, mnuPrintPreview,
                                    mnuPrintTemplate, mnuExit, mnuStandard, mnuDulcimer}) {
            if (item->shortcut() == pressed) {
                event->ignore();
                return true;
            }
        }
        return false;
    }
    return RunsCalculateOnEnter(widget, event);
}

bool frmQuillmar::RunsCalculateOnEnter(QObject* watched, QEvent* event) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) ||
        (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        return false;
    }
    // An open drop-down list closes itself; the menu bar keeps its own keys.
    if (QApplication::activePopupWidget() != nullptr || qobject_cast<QMenuBar*>(watched)) {
        return false;
    }
    auto* button = qobject_cast<QPushButton*>(watched);
    const bool ownButton = button == cmdPrint || button == cmdExit || button == cmdCalculate;
    (ownButton ? button : cmdCalculate)->click();
    return true;
}

QString frmQuillmar::cellText(int row, int column) const {
    if (row < 0 || row >= gridRows() || column < 0 || column >= ResultsGrid::kColumns) {
        return {};
    }
    if (row == 0 && column == 0) {
        return model_->GridText(0, 0);
    }
    if (row == 0) {
        return model_->headerData(column - 1, Qt::Horizontal, Qt::DisplayRole).toString();
    }
    if (column == 0) {
        return model_->headerData(row - 1, Qt::Vertical, Qt::DisplayRole).toString();
    }
    return model_->index(row - 1, column - 1).data(Qt::DisplayRole).toString();
}

void frmQuillmar::ShowSummary(QLabel* label, const QString& caption) {
    label->setText(caption);
    // A caption longer than the design width (a scale length in exponent
    // form) widens its label up to the frame's inner edge rather than being cut.
    const int design = TwipsToPixels(kSummaryTwips, factor_);
    const int widest = TwipsToPixels(kSummaryWidestTwips, factor_);
    label->resize(std::clamp(label->sizeHint().width(), design, widest), label->height());
}

int frmQuillmar::gridRows() const {
    return model_->grid().Rows();
}

void frmQuillmar::setPrinterChooser(PrinterChooser chooser) {
    printerChooser_ = std::move(chooser);
}

void frmQuillmar::setPreviewShower(PreviewShower shower) {
    previewShower_ = std::move(shower);
}

void frmQuillmar::setSaveChooser(SaveChooser chooser) {
    saveChooser_ = std::move(chooser);
}

}  // namespace quillmar
