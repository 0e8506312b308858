#include "presentation/display_painter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <QString>
#include <cmath>
#include <numbers>

namespace quillmar {

namespace {

void SetPen(QPainter& painter, double width, StrokeStyle style) {
    QPen pen(Qt::black, width, style == StrokeStyle::Dashed ? Qt::DashLine : Qt::SolidLine,
             Qt::FlatCap);
    if (style == StrokeStyle::Dashed) {
        pen.setDashPattern({10.0, 5.0});  // in pen widths: 2 mm on, 1 mm off at 0.2 mm
    }
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
}

}  // namespace

QFont DrawingFont(int points, const QPaintDevice& device) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSize(points);
    return QFont(font, &device);
}

void PaintDisplayList(QPainter& painter, const QPaintDevice& device, double dotsPerMm,
                      const DisplayList& list) {
    for (const Stroke& stroke : list.strokes) {
        SetPen(painter, stroke.width, stroke.style);
        painter.drawLine(QPointF(stroke.line.from.x, stroke.line.from.y),
                         QPointF(stroke.line.to.x, stroke.line.to.y));
    }
    for (const Circle& circle : list.circles) {
        SetPen(painter, circle.width, StrokeStyle::Solid);
        painter.drawEllipse(QPointF(circle.centre.x, circle.centre.y), circle.radius,
                            circle.radius);
    }
    int points = 0;
    for (const Label& label : list.labels) {
        if (label.points != points) {
            points = label.points;
            painter.setFont(DrawingFont(points, device));
        }
        const QFontMetricsF metrics(painter.font(), &device);
        const QString text = QString::fromStdString(label.text);
        const PointMm along = label.direction;
        const PointMm down{-along.y, along.x};  // the text's own down, y running down
        double back = 0.0;                      // from the anchor to the start, along it
        if (label.align != TextAlign::Start) {
            back = metrics.horizontalAdvance(text) / dotsPerMm;
            back = label.align == TextAlign::End ? back : back / 2.0;
        }
        const double drop =
            label.middle ? (metrics.ascent() - metrics.descent()) / 2.0 / dotsPerMm : 0.0;
        const double across = drop - label.raise;
        painter.save();
        painter.translate(label.at.x - along.x * back + down.x * across,
                          label.at.y - along.y * back + down.y * across);
        painter.scale(1.0 / dotsPerMm, 1.0 / dotsPerMm);
        if (along.y != 0.0 || along.x < 0.0) {
            painter.rotate(std::atan2(along.y, along.x) * 180.0 / std::numbers::pi);
        }
        painter.drawText(QPointF(0.0, 0.0), text);
        painter.restore();
    }
}

}  // namespace quillmar
