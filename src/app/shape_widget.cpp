#include "app/shape_widget.h"

#include <QPainter>

namespace vaziduvu {

ShapeWidget::ShapeWidget(Kind kind, QWidget *parent)
    : QWidget(parent)
    , kind_(kind)
{
}

void ShapeWidget::setBrushColor(const QColor &color)
{
    brush_ = color;
    update();
}

void ShapeWidget::setPenColor(const QColor &color)
{
    pen_ = color;
    update();
}

void ShapeWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, kind_ == Kind::Circle);
    painter.setPen(pen_);
    painter.setBrush(brush_);
    const QRectF area = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    if (kind_ == Kind::Circle)
        painter.drawEllipse(area);
    else
        painter.drawRect(area);
}

}  // namespace vaziduvu
