#include "window/board_preview.h"

#include <QPainter>
#include <algorithm>

#include "presentation/display_painter.h"

namespace quillmar {

BoardPreview::BoardPreview(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("boardPreview"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setAccessibleName(QStringLiteral("Board drawing"));
}

void BoardPreview::setBoard(std::optional<DisplayList> board, const QString& note) {
    board_ = std::move(board);
    if (board_) {
        board_->labels.clear();  // unreadable at this size
    }
    note_ = note;
    update();
}

void BoardPreview::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF frame = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(palette().color(QPalette::Mid));
    p.setBrush(QColor(Qt::white));  // the drawing's ink is black, as on paper
    p.drawRoundedRect(frame, 4, 4);
    if (!board_ || board_->strokes.empty()) {
        p.setPen(palette().color(QPalette::PlaceholderText));
        p.drawText(frame, Qt::AlignCenter | Qt::TextWordWrap, note_);
        return;
    }
    PointMm low = board_->strokes.front().line.from, high = low;
    for (const Stroke& s : board_->strokes) {
        for (const PointMm& q : {s.line.from, s.line.to}) {
            low = {std::min(low.x, q.x), std::min(low.y, q.y)};
            high = {std::max(high.x, q.x), std::max(high.y, q.y)};
        }
    }
    const double margin = 14.0;
    const double scale = std::min((width() - 2 * margin) / std::max(high.x - low.x, 1.0),
                                  (height() - 2 * margin) / std::max(high.y - low.y, 1.0));
    // Centred, y flipped so the bass side is on top; a 0.1 mm line a pixel wide.
    DisplayList list = *board_;
    for (Stroke& s : list.strokes) {
        s.width *= 10.0 / scale;
    }
    p.translate((width() - scale * (high.x - low.x)) / 2 - scale * low.x,
                (height() + scale * (high.y - low.y)) / 2 + scale * low.y);
    p.scale(scale, -scale);
    PaintDisplayList(p, *this, scale, list);
}

}  // namespace quillmar
