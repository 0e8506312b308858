#pragma once

#include <QAbstractTableModel>
#include <functional>

#include "presentation/results_grid.h"

namespace quillmar {

// grdTable's model over the core's ResultsGrid. Grid row 0 (the headers) is
// the horizontal header and grid column 0 (the labels) the vertical header,
// so both stay in view when the table scrolls; the model's cells are the data
// cells, grid rows 1.. and columns 1..2.
class ResultsGridModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit ResultsGridModel(QObject* parent);

    const ResultsGrid& grid() const { return grid_; }
    // Every change goes through here as one model reset, however many rows
    // it writes.
    void Update(const std::function<void(ResultsGrid&)>& change);

    // A text in grid coordinates, as the view shows it.
    QString GridText(int row, int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    ResultsGrid grid_;
};

}  // namespace quillmar
