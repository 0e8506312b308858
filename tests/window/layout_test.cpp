// The window's geometry and captions: every control where the design puts
// it (at one common scale), every caption exact and shown whole.

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>

#include "window_fixture.h"

namespace quillmar::test {
namespace {

struct Placement {
    const char* name;
    const char* caption;      // nullptr: no caption of its own
    int x, y, width, height;  // twips, in client coordinates
};

// clang-format off
const Placement kPlacements[] = {
    {"grdTable", nullptr, 240, 240, 3855, 6135},
    {"frameScaleLength", "Scale Length", 4200, 120, 2295, 1935},
    {"frameNumberFrets", "Frets", 6720, 120, 2295, 1935},
    {"frameCalcMethod", "Calc Method", 4200, 2280, 2295, 1575},
    {"frameHalfFrets", "Half Frets", 6720, 2280, 2295, 1575},
    {"frameSettings", "Settings", 4200, 4080, 4815, 1575},
    {"cmdCalculate", "&Calculate", 4440, 5880, 1215, 495},
    {"cmdPrint", "&Print", 6000, 5880, 1215, 495},
    {"cmdExit", "E&xit", 7560, 5880, 1215, 495},
    {"lblScale", "Scale Length", 4320, 360, 1335, 255},
    {"txtScale", nullptr, 4320, 600, 1695, 285},
    {"optScaleDecimal", "Inches - decimal", 4320, 960, 1455, 255},
    {"optScaleFraction", "Inches - fraction", 4320, 1200, 1455, 255},
    {"optScaleMetric", "Millimeters", 4320, 1440, 1095, 255},
    {"optScaleCommon", "Common", 4320, 1680, 1815, 255},
    {"lblNumberFrets", "Number of Frets", 6840, 360, 1215, 255},
    {"txtNumberFrets", nullptr, 6840, 600, 1695, 285},
    {"optDisplayDecimal", "Inches - decimal", 6840, 960, 2055, 255},
    {"optDisplayFraction", "Inches - nearest 1/64\"", 6840, 1200, 2055, 255},
    {"optDisplayMetric", "Millimeters", 6840, 1440, 1815, 255},
    {"optCalcMethod12root2", "12th Root of 2", 4320, 2520, 1695, 255},
    {"optCalcMethodClassic", "17.817", 4320, 2760, 2055, 255},
    {"optCalcMethodTovell", "17.835", 4320, 3000, 1815, 255},
    {"optCalcMethodCustom", "Non 12-tone", 4320, 3240, 1815, 255},
    {"txtCustom", nullptr, 4560, 3480, 1215, 285},
    {"lblTeT", "Frets", 5880, 3480, 495, 255},
    {"chkZeroPlus", "0+", 6840, 2520, 495, 255},
    {"chkOnePlus", "1+", 6840, 2760, 495, 255},
    {"chkThreePlus", "3+", 6840, 3000, 495, 255},
    {"chkFourPlus", "4+", 6840, 3240, 495, 255},
    {"chkSixPlus", "6+", 6840, 3480, 495, 255},
    {"chkSevenPlus", "7+", 7560, 2520, 495, 255},
    {"chkEightPlus", "8+", 7560, 2760, 615, 255},
    {"chkTenPlus", "10+", 7560, 3000, 615, 255},
    {"chkElevenPlus", "11+", 7560, 3240, 615, 255},
    {"chkThirteenPlus", "13+", 7560, 3480, 615, 255},
    {"chkFourteenPlus", "14+", 8160, 2520, 615, 255},
    {"chkFifteenPlus", "15+", 8160, 2760, 615, 255},
    {"lblMode", nullptr, 4320, 4320, 2055, 255},
    {"lblScaleLength", nullptr, 4320, 4560, 2055, 255},
    {"lblNumFrets", nullptr, 4320, 4800, 2055, 255},
    {"lblDisplay", nullptr, 4320, 5040, 2055, 255},
    {"lblCalcMethod", nullptr, 4320, 5280, 2055, 255},
};
// clang-format on

QWidget* ClientArea(QMainWindow& window) {
    return window.centralWidget();
}

using LayoutTest = WindowTest;

TEST_F(LayoutTest, ClientAreaHasTheDesignSizeBelowTheMenuBar) {
    EXPECT_EQ(window().windowTitle(), "Quillmar 3.10");
    QWidget* client = ClientArea(window());
    ASSERT_NE(client, nullptr);
    const double scale = client->width() / 621.0;
    EXPECT_GE(scale, 1.0);
    EXPECT_NEAR(client->height(), 439 * scale, 1.0) << "width and height scaled apart";
    EXPECT_GE(client->mapTo(&window(), QPoint(0, 0)).y(), window().menuBar()->height());
    EXPECT_EQ(window().width(), client->width());
}

TEST_F(LayoutTest, EveryControlSitsWhereTheDesignPutsIt) {
    QWidget* client = ClientArea(window());
    ASSERT_NE(client, nullptr);
    const double px = client->width() / 621.0 / 15.0;  // pixels per twip
    for (const Placement& p : kPlacements) {
        QWidget* w = widget(p.name);
        ASSERT_NE(w, nullptr);
        const QPoint at = w->mapTo(client, QPoint(0, 0));
        const QRect want(qRound(p.x * px), qRound(p.y * px), qRound(p.width * px),
                         qRound(p.height * px));
        EXPECT_NEAR(at.x(), want.x(), 1.0) << p.name;
        EXPECT_NEAR(at.y(), want.y(), 1.0) << p.name;
        if (w->parentWidget() == widget("frameSettings")) {
            // A summary label may be widened within its frame for long captions.
            EXPECT_GE(w->width(), want.width() - 1) << p.name;
        } else {
            EXPECT_NEAR(w->width(), want.width(), 1.0) << p.name;
        }
        EXPECT_TRUE(w->parentWidget()->rect().contains(w->geometry()))
            << p.name << " reaches beyond its container";
        EXPECT_NEAR(w->height(), want.height(), 1.0) << p.name;
    }
}

QString CaptionOf(QWidget* w) {
    if (auto* label = qobject_cast<QLabel*>(w)) {
        return label->text();
    }
    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        return button->text();
    }
    if (auto* frame = qobject_cast<QGroupBox*>(w)) {
        return frame->title();
    }
    return {};
}

// Room the caption needs, beside what the widget has, in pixels.
QString ClippedCaption(QWidget* w) {
    QString text = CaptionOf(w);
    text.remove(QLatin1Char('&'));
    const QFontMetrics fm(w->font());
    const int textWidth = fm.horizontalAdvance(text);
    QStyle* style = w->style();
    int needed = textWidth;
    int available = w->width();
    if (auto* label = qobject_cast<QLabel*>(w)) {
        available = label->contentsRect().width();
    } else if (qobject_cast<QRadioButton*>(w) != nullptr) {
        needed += style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, w) +
                  style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, w);
    } else if (qobject_cast<QCheckBox*>(w) != nullptr) {
        needed += style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, w) +
                  style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, w);
    } else if (qobject_cast<QPushButton*>(w) != nullptr) {
        needed += style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, w) +
                  2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, w);
    } else if (qobject_cast<QGroupBox*>(w) != nullptr) {
        needed += 2 * fm.averageCharWidth();  // indent and the line before the title
    }
    if (needed > available || fm.height() > w->height()) {
        return QStringLiteral("'%1' needs %2 x %3 px, has %4 x %5")
            .arg(text)
            .arg(needed)
            .arg(fm.height())
            .arg(available)
            .arg(w->height());
    }
    return {};
}

TEST_F(LayoutTest, CaptionsAreExactAndShownWhole) {
    for (const Placement& p : kPlacements) {
        if (p.caption == nullptr) {
            continue;
        }
        QWidget* w = widget(p.name);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(CaptionOf(w), QString::fromUtf8(p.caption)) << p.name;
        EXPECT_EQ(ClippedCaption(w), "") << p.name;
    }
}

TEST_F(LayoutTest, LongestSummaryCaptionsFit) {
    click("optCalcMethodCustom");
    replaceText("txtCustom", "12");
    calculate("25.5", "1000");
    for (const char* name :
         {"lblMode", "lblScaleLength", "lblNumFrets", "lblDisplay", "lblCalcMethod"}) {
        EXPECT_EQ(ClippedCaption(widget(name)), "") << name;
    }
    trigger("mnuDulcimer");
    click("optScaleMetric");
    click("optDisplayMetric");
    click("optCalcMethod12root2");
    calculate("1234.5", "");
    EXPECT_EQ(find<QLabel>("lblScaleLength")->text(), "Scale Length:  1234.5 mm");
    for (const char* name : {"lblMode", "lblScaleLength", "lblCalcMethod"}) {
        EXPECT_EQ(ClippedCaption(widget(name)), "") << name;
    }
}

TEST_F(LayoutTest, MenuCaptionsAndShortcuts) {
    const struct {
        const char* name;
        const char* caption;
        const char* shortcut;
    } items[] = {
        {"mnuPrint", "&Print", "Ctrl+P"},
        {"mnuExit", "E&xit", "Ctrl+Q"},
        {"mnuStandard", "&Standard", "Ctrl+S"},
        {"mnuDulcimer", "&Dulicmer", "Ctrl+D"},
        {"mnuPrecision10", ".1", ""},
        {"mnuPrecision100", ".01", ""},
        {"mnuPrecision1000", ".001", ""},
        {"mnuPrecision10000", ".0001", ""},
        {"mnuAboutQuillmar", "&About Quillmar", ""},
    };
    for (const auto& i : items) {
        QAction* a = action(i.name);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->text(), QString::fromUtf8(i.caption)) << i.name;
        EXPECT_EQ(a->shortcut().toString(), QString::fromUtf8(i.shortcut)) << i.name;
    }
    QStringList bar;
    for (QAction* a : window().menuBar()->actions()) {
        bar << a->text();
    }
    EXPECT_EQ(bar, (QStringList{"&File", "Ca&lc", "&About"}));
}

}  // namespace
}  // namespace quillmar::test
