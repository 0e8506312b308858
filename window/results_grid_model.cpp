#include "window/results_grid_model.h"

namespace quillmar {

ResultsGridModel::ResultsGridModel(QObject* parent) : QAbstractTableModel(parent) {}

void ResultsGridModel::Update(const std::function<void(ResultsGrid&)>& change) {
    beginResetModel();
    change(grid_);
    endResetModel();
}

QString ResultsGridModel::GridText(int row, int column) const {
    return QString::fromStdString(grid_.Text(row, column));
}

int ResultsGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : grid_.Rows() - 1;
}

int ResultsGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ResultsGrid::kColumns - 1;
}

QVariant ResultsGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || role != Qt::DisplayRole) {
        return {};
    }
    return GridText(index.row() + 1, index.column() + 1);
}

QVariant ResultsGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || section < 0) {
        return {};
    }
    if (orientation == Qt::Horizontal) {
        return section < columnCount() ? GridText(0, section + 1) : QVariant();
    }
    return section < rowCount() ? GridText(section + 1, 0) : QVariant();
}

}  // namespace quillmar
