#include "window/board_preview.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace quillmar {

BoardPreview::BoardPreview(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("boardPreview"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setAccessibleName(QStringLiteral("Board drawing"));
}

void BoardPreview::setBoard(std::optional<BoardLayout> board, const QString& note) {
    board_ = std::move(board);
    note_ = note;
    update();
}

void BoardPreview::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF frame = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(palette().color(QPalette::Mid));
    p.setBrush(palette().color(QPalette::Base));
    p.drawRoundedRect(frame, 4, 4);
    if (!board_) {
        p.setPen(palette().color(QPalette::PlaceholderText));
        p.drawText(frame, Qt::AlignCenter | Qt::TextWordWrap, note_);
        return;
    }
    const BoardLayout& b = *board_;
    std::vector<SegmentMm> outline{b.nut, b.trebleEdge, b.bassEdge, b.end, b.bridge, b.saddle};
    double left = 0, right = 0, low = 0, high = 0;
    bool first = true;
    for (const SegmentMm& s : outline) {
        for (const PointMm& q : {s.from, s.to}) {
            left = first ? q.x : std::min(left, q.x);
            right = first ? q.x : std::max(right, q.x);
            low = first ? q.y : std::min(low, q.y);
            high = first ? q.y : std::max(high, q.y);
            first = false;
        }
    }
    const double margin = 14.0;
    const double scale = std::min((width() - 2 * margin) / std::max(right - left, 1.0),
                                  (height() - 2 * margin) / std::max(high - low, 1.0));
    // Centred; y is flipped so the bass side is drawn on top.
    const double ox = (width() - scale * (right - left)) / 2 - scale * left;
    const double oy = (height() + scale * (high - low)) / 2 + scale * low;
    const auto at = [&](PointMm q) { return QPointF(ox + scale * q.x, oy - scale * q.y); };
    const auto line = [&](const SegmentMm& s) { p.drawLine(at(s.from), at(s.to)); };

    QPainterPath board;
    board.moveTo(at(b.nut.from));
    board.lineTo(at(b.end.from));
    board.lineTo(at(b.end.to));
    board.lineTo(at(b.nut.to));
    board.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf3, 0xe6, 0xd0));
    p.drawPath(board);

    const QColor ink = palette().color(QPalette::Text);
    p.setPen(QPen(QColor(0x9a, 0x9a, 0x9a), 1.0));
    for (const BoardFretLine& fret : b.frets) {
        line(fret.slot);
    }
    p.setPen(QPen(QColor(0x3b, 0x6e, 0xa8), 0.8));
    for (const SegmentMm& s : b.strings) {
        line(s);
    }
    if (b.centre) {
        p.setPen(QPen(QColor(0xc0, 0x40, 0x40), 0.8, Qt::DashDotLine));
        line(*b.centre);
    }
    p.setPen(QPen(ink, 1.0, Qt::DashLine));
    line(b.bridge);
    p.setPen(QPen(ink, 1.2));
    line(b.saddle);
    p.setPen(QPen(ink, 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawPath(board);
}

}  // namespace quillmar
