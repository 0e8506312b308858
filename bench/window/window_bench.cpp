// The window's cost as the user feels it: one Calculate click for 1000 frets
// until the grid shows the new table, against a floor of the same view
// reset to fixed texts; building and showing the window; peak memory.

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <QAbstractTableModel>
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <memory>

#include "window/frm_quillmar.h"

namespace {

constexpr int kFrets = 1000;

// The floor: the cheapest table the view could show, 1000 rows of three
// fixed texts (two cells and the row label).
class FixedTextModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;
    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : kFrets;
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : 2;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole) {
            return {};
        }
        return index.column() == 0 ? cell1_ : cell2_;
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (role != Qt::DisplayRole) {
            return {};
        }
        if (orientation == Qt::Horizontal) {
            return section == 0 ? QStringLiteral("Nut to Fret") : QStringLiteral("Fret to Fret");
        }
        return label_;
    }
    void Reset() {
        beginResetModel();
        endResetModel();
    }

private:
    QString cell1_ = QStringLiteral("12.750");
    QString cell2_ = QStringLiteral("0.758");
    QString label_ = QStringLiteral("1000  ");
};

std::unique_ptr<frmQuillmar> ShownWindow() {
    auto window = std::make_unique<frmQuillmar>();
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get())) {
        qFatal("the window was never shown");
    }
    // Let the start-up work run before anything is measured.
    QTest::qWait(50);
    return window;
}

QTableView* Grid(frmQuillmar& window) {
    return window.findChild<QTableView*>(QStringLiteral("grdTable"));
}

long PeakResidentKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void BM_Calculate1000Frets(benchmark::State& state) {
    auto window = ShownWindow();
    window->findChild<QLineEdit*>(QStringLiteral("txtScale"))->setText(QStringLiteral("25.5"));
    window->findChild<QLineEdit*>(QStringLiteral("txtNumberFrets"))
        ->setText(QString::number(kFrets));
    auto* calculate = window->findChild<QPushButton*>(QStringLiteral("cmdCalculate"));
    QTableView* grid = Grid(*window);
    for (auto _ : state) {
        calculate->click();
        QCoreApplication::processEvents();
        QPixmap shown = grid->grab();
        benchmark::DoNotOptimize(shown);
    }
    if (window->cellText(kFrets, 0) != QStringLiteral("1000  ")) {
        state.SkipWithError("the table was not filled");
    }
    state.counters["peak_rss_KiB"] = static_cast<double>(PeakResidentKiB());
}
BENCHMARK(BM_Calculate1000Frets)->Unit(benchmark::kMillisecond);

void BM_FloorResetSameView(benchmark::State& state) {
    auto window = ShownWindow();
    QTableView* grid = Grid(*window);
    FixedTextModel floor;
    grid->setModel(&floor);
    for (auto _ : state) {
        floor.Reset();
        QCoreApplication::processEvents();
        QPixmap shown = grid->grab();
        benchmark::DoNotOptimize(shown);
    }
    grid->setModel(nullptr);
}
BENCHMARK(BM_FloorResetSameView)->Unit(benchmark::kMillisecond);

// Constructing frmQuillmar (Form_Load included), showing it and its first
// paint on the offscreen platform. Process start, the QApplication and the
// first font loading are outside this figure.
void BM_ConstructAndShowWindow(benchmark::State& state) {
    for (auto _ : state) {
        frmQuillmar window;
        window.show();
        if (!QTest::qWaitForWindowExposed(&window)) {
            state.SkipWithError("the window was never shown");
            break;
        }
        QPixmap shown = window.grab();
        benchmark::DoNotOptimize(shown);
    }
}
BENCHMARK(BM_ConstructAndShowWindow)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    ::benchmark::Initialize(&argc, argv);
    ::benchmark::RunSpecifiedBenchmarks();
    ::benchmark::Shutdown();
    return 0;
}
