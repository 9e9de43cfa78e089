#pragma once

#include <QColor>
#include <QWidget>

namespace vaziduvu {

// A plain filled shape: the change light (a circle), its frame and the thin
// divider lines of the main window.
class ShapeWidget : public QWidget {
public:
    enum class Kind { Rectangle, Circle };
    explicit ShapeWidget(Kind kind, QWidget *parent = nullptr);

    QColor brushColor() const { return brush_; }
    void setBrushColor(const QColor &color);
    void setPenColor(const QColor &color);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Kind kind_;
    QColor brush_ = Qt::white;
    QColor pen_ = Qt::black;
};

}  // namespace vaziduvu
