#pragma once

// A small drawing of the whole board as it is set, scaled to fit, the bass
// edge on top as the board is seen from the front with the nut on the left:
// the display list every output draws, without its labels.

#include <QWidget>
#include <optional>

#include "presentation/board_drawing.h"

namespace quillmar {

class BoardPreview : public QWidget {
    Q_OBJECT

public:
    explicit BoardPreview(QWidget* parent = nullptr);

    // No drawing: the note is shown in place of the board.
    void setBoard(std::optional<DisplayList> board, const QString& note = {});
    QSize sizeHint() const override { return {640, 170}; }
    QSize minimumSizeHint() const override { return {320, 90}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<DisplayList> board_;
    QString note_;
};

}  // namespace quillmar
