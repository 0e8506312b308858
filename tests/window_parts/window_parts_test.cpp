#include <gtest/gtest.h>
#include <QApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QSignalSpy>

#include "window/filtered_line_edit.h"
#include "window/results_grid_model.h"
#include "window/results_grid_view.h"
#include "window/twip_layout.h"

namespace quillmar {
namespace {

struct FactorCase {
    const char* name;
    std::vector<CaptionFit> fits;
    double factor;
};

class CommonFactorTest : public ::testing::TestWithParam<FactorCase> {};

TEST_P(CommonFactorTest, SmallestStepThatFitsEveryCaption) {
    const FactorCase& c = GetParam();
    const double factor = CommonFactor(c.fits);
    EXPECT_DOUBLE_EQ(factor, c.factor);
    for (const CaptionFit& fit : c.fits) {
        if (fit.widthTwips > 0) {
            EXPECT_GE(TwipsToPixels(fit.widthTwips, factor), fit.neededPixels);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Layout, CommonFactorTest,
    ::testing::Values(FactorCase{"NothingToFit", {}, 1.0},
                      FactorCase{"RoomToSpareNeverShrinks", {{40, 1215}}, 1.0},
                      FactorCase{"ExactFit", {{81, 1215}}, 1.0},
                      // 38 px in 495 twips: 1.15 rounds to 38 px, so no step to 1.2.
                      FactorCase{"RoundingCountsAsFit", {{38, 495}}, 1.15},
                      FactorCase{"WorstCaptionDecides", {{38, 495}, {44, 615}, {80, 1215}}, 1.15},
                      FactorCase{"OnePixelShort", {{82, 1215}}, 1.05},
                      FactorCase{"ZeroWidthIgnored", {{50, 0}, {10, 150}}, 1.0}),
    [](const auto& info) { return std::string(info.param.name); });

struct FilterCase {
    const char* name;
    bool allowPoint;
    const char* text;
    bool admitted;
};

class DigitsValidatorTest : public ::testing::TestWithParam<FilterCase> {};

TEST_P(DigitsValidatorTest, AdmitsOnlyAsciiDigitsAndThePointWhereAllowed) {
    const FilterCase& c = GetParam();
    DigitsValidator validator(c.allowPoint, nullptr);
    QSignalSpy refused(&validator, &DigitsValidator::refused);
    QString text = QString::fromUtf8(c.text);
    int pos = 0;
    const QValidator::State state = validator.validate(text, pos);
    EXPECT_EQ(state == QValidator::Acceptable, c.admitted);
    EXPECT_EQ(refused.count(), c.admitted ? 0 : 1);
    EXPECT_EQ(text, QString::fromUtf8(c.text)) << "the text is never fixed up";
}

INSTANTIATE_TEST_SUITE_P(Filter, DigitsValidatorTest,
                         ::testing::Values(FilterCase{"Empty", false, "", true},
                                           FilterCase{"Digits", false, "0123456789", true},
                                           FilterCase{"PointsInScale", true, "25.5.5", true},
                                           FilterCase{"PointInCount", false, "2.5", false},
                                           FilterCase{"Sign", true, "-5", false},
                                           FilterCase{"Blank", true, "25 5", false},
                                           FilterCase{"Comma", true, "25,5", false},
                                           FilterCase{"Exponent", true, "1e3", false},
                                           FilterCase{"ArabicIndicDigit", false, "\u0663", false},
                                           FilterCase{"FullwidthDigit", false, "\uFF11", false}),
                         [](const auto& info) { return std::string(info.param.name); });

// Grid coordinates: row 0 is the header row, column 0 the label column.
class GridViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        model_ = new ResultsGridModel(&view_);
        view_.SetGridModel(model_);
        model_->Update([](ResultsGrid& grid) {
            WriteHeaders(grid);
            grid.SetRows(4);
            const char* rows[3][3] = {
                {"1  ", "1.431", "1.431"}, {"2  ", "          2  1/2", " x "}, {"3  ", "", ""}};
            for (int r = 0; r < 3; ++r) {
                for (int c = 0; c < 3; ++c) {
                    grid.SetText(r + 1, c, rows[r][c]);
                }
            }
        });
    }
    void Select(int row, int column) {
        view_.selectionModel()->select(model_->index(row - 1, column - 1),
                                       QItemSelectionModel::Select);
    }

    ResultsGridView view_{nullptr};
    ResultsGridModel* model_ = nullptr;
};

TEST_F(GridViewTest, HeadersHoldTheHeaderRowAndTheLabelColumn) {
    EXPECT_EQ(model_->rowCount(), 3);
    EXPECT_EQ(model_->columnCount(), 2);
    EXPECT_EQ(model_->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), "Nut to Fret");
    EXPECT_EQ(model_->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), "Fret to Fret");
    EXPECT_EQ(model_->headerData(1, Qt::Vertical, Qt::DisplayRole).toString(), "2  ");
    EXPECT_EQ(model_->index(1, 0).data().toString(), "          2  1/2");
    EXPECT_FALSE(model_->headerData(3, Qt::Vertical, Qt::DisplayRole).isValid());
    // The label column is never narrower than its longest label needs.
    EXPECT_GE(view_.verticalHeader()->width(),
              view_.verticalHeader()->fontMetrics().horizontalAdvance("1000  "));
}

TEST_F(GridViewTest, CopyGivesRowsInOrderAndCellsExactly) {
    // Selected out of order, with a gap in row 2 and an empty row 3.
    Select(2, 2);
    Select(1, 2);
    Select(3, 1);
    Select(2, 1);
    Select(1, 1);
    EXPECT_EQ(view_.SelectedText(), "1.431\t1.431\n          2  1/2\t x \n\n");
}

TEST_F(GridViewTest, SelectAllCopiesEveryDataCell) {
    view_.selectAll();
    EXPECT_EQ(view_.SelectedText(), "1.431\t1.431\n          2  1/2\t x \n\t\n");
}

TEST_F(GridViewTest, ResetDropsTheOldSelection) {
    view_.selectAll();
    model_->Update([](ResultsGrid& grid) { grid.SetRows(1); });
    EXPECT_EQ(model_->rowCount(), 0);
    EXPECT_EQ(view_.SelectedText(), "");
}

}  // namespace
}  // namespace quillmar

int main(int argc, char* argv[]) {
    // Test discovery runs the binary too, with no display to open.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
