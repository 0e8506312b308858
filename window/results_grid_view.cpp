#include "window/results_grid_view.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOptionHeader>
#include <QStyledItemDelegate>
#include <algorithm>
#include <vector>

#include "presentation/grid_copy.h"
#include "window/results_grid_model.h"
#include "window/twip_layout.h"

namespace quillmar {

namespace {

const QColor kLightGrey(0xC0, 0xC0, 0xC0);

class GridLineStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_Table_GridLineColor) {
            return static_cast<int>(kLightGrey.rgb());
        }
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// The viewport is light grey so the area beyond the last cell shows grey;
// each cell paints its own window-coloured background.
class CellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        painter->fillRect(option.rect, option.palette.brush(QPalette::Base));
        QStyledItemDelegate::paint(painter, option, index);
    }
};

}  // namespace

ResultsGridView::ResultsGridView(QWidget* parent) : QTableView(parent) {
    auto* style = new GridLineStyle;
    style->setParent(this);
    setStyle(style);
    setItemDelegate(new CellDelegate(this));

    QPalette grey = viewport()->palette();
    grey.setColor(QPalette::Base, kLightGrey);
    viewport()->setPalette(grey);

    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    setEditTriggers(NoEditTriggers);
    setSelectionMode(ExtendedSelection);
    setSelectionBehavior(SelectItems);
    setTabKeyNavigation(false);

    for (QHeaderView* header : {horizontalHeader(), verticalHeader()}) {
        header->setTextElideMode(Qt::ElideNone);
        header->setHighlightSections(false);
        header->setSectionsClickable(true);
        header->setMinimumSectionSize(1);
        header->setSectionResizeMode(QHeaderView::Fixed);
    }
    verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    // The corner cell holds the label column's header, "Fret No.".
    corner_ = findChild<QAbstractButton*>();
    if (corner_ != nullptr) {
        corner_->installEventFilter(this);
    }
    SetScale(1.0);
}

void ResultsGridView::SetGridModel(ResultsGridModel* model) {
    model_ = model;
    setModel(model);
    connect(model, &QAbstractItemModel::modelReset, this, &ResultsGridView::ApplyColumnWidths);
    ApplyColumnWidths();
}

void ResultsGridView::SetScale(double factor) {
    factor_ = factor;
    const int rowHeight = std::max(TwipsToPixels(240, factor_), fontMetrics().height() + 4);
    verticalHeader()->setDefaultSectionSize(rowHeight);
    horizontalHeader()->setFixedHeight(rowHeight);
    ApplyColumnWidths();
}

void ResultsGridView::ApplyColumnWidths() {
    if (model_ == nullptr) {
        return;
    }
    const ResultsGrid& grid = model_->grid();
    for (int column = 1; column < ResultsGrid::kColumns; ++column) {
        horizontalHeader()->resizeSection(column - 1,
                                          TwipsToPixels(grid.ColWidth(column), factor_));
    }
    // The label column keeps its design width, but never less than its
    // widest usual text needs.
    const QFontMetrics metrics(verticalHeader()->font());
    const int margins = 2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, this) + 4;
    int width = TwipsToPixels(grid.ColWidth(0), factor_);
    for (const QString& text : {model_->GridText(0, 0), QStringLiteral("1000  ")}) {
        width = std::max(width, metrics.horizontalAdvance(text) + margins);
    }
    verticalHeader()->setFixedWidth(width);
    if (corner_ != nullptr) {
        corner_->update();
    }
}

QString ResultsGridView::SelectedText() const {
    if (model_ == nullptr || selectionModel() == nullptr) {
        return {};
    }
    const QModelIndexList cells = selectionModel()->selectedIndexes();
    std::vector<int> rows;
    for (const QModelIndex& cell : cells) {
        rows.push_back(cell.row() + 1);  // the model's rows start below the grid's header row
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    const bool wholeTable =
        !cells.isEmpty() && cells.size() == model_->rowCount() * model_->columnCount();
    return QString::fromStdString(CopiedRows(model_->grid(), rows, wholeTable));
}

void ResultsGridView::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        QGuiApplication::clipboard()->setText(SelectedText());
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

bool ResultsGridView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == corner_ && event->type() == QEvent::Paint) {
        PaintCorner(corner_);
        return true;
    }
    return QTableView::eventFilter(watched, event);
}

void ResultsGridView::PaintCorner(QWidget* corner) const {
    QStyleOptionHeader option;
    option.initFrom(corner);
    option.state = isEnabled() ? QStyle::State_Enabled : QStyle::State_None;
    if (isActiveWindow()) {
        option.state |= QStyle::State_Active;
    }
    option.rect = corner->rect();
    option.position = QStyleOptionHeader::OnlyOneSection;
    option.text = model_ != nullptr ? model_->GridText(0, 0) : QString();
    option.textAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    QPainter painter(corner);
    corner->style()->drawControl(QStyle::CE_Header, &option, &painter, corner);
}

}  // namespace quillmar
