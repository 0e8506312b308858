#pragma once

#include <QTableView>

namespace quillmar {

class ResultsGridModel;

// grdTable: the header row and the label column are the view's headers, in
// the button-face colours; light grey lines and light grey beyond the last
// cell. Texts are drawn exactly as held: no wrapping, no eliding. Ctrl+C puts
// the rows of the selected cells on the clipboard, ready for a spreadsheet.
class ResultsGridView : public QTableView {
    Q_OBJECT

public:
    explicit ResultsGridView(QWidget* parent);

    void SetGridModel(ResultsGridModel* model);
    // Pixels per twip times fifteen: the window's common geometry factor.
    void SetScale(double factor);

    // A line for each row with a selected cell, its three texts as a
    // spreadsheet reads them; the header line first when every cell is selected.
    QString SelectedText() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ApplyColumnWidths();
    void PaintCorner(QWidget* corner) const;

    ResultsGridModel* model_ = nullptr;
    QWidget* corner_ = nullptr;
    double factor_ = 1.0;
};

}  // namespace quillmar
