#include "browser/splitterbar.h"

#include <QMouseEvent>
#include <QPainter>

namespace vandrel {

SplitterBar::SplitterBar(const QString& objectName, Qt::Orientation orientation, QWidget* parent)
    : QPushButton(parent), orientation_(orientation)
{
    setObjectName(objectName);
    setFocusPolicy(Qt::NoFocus);
    setCursor(orientation == Qt::Horizontal ? Qt::SizeVerCursor : Qt::SizeHorCursor);
    setDragged(false);
}

void SplitterBar::setDragged(bool dragged)
{
    dragged_ = dragged;
    update();
}

void SplitterBar::mousePressEvent(QMouseEvent* event)
{
    if (routine_ && event->button() == Qt::LeftButton)
        routine_(Qt::LeftButton, 0, 0);
    event->accept();
}

void SplitterBar::mouseMoveEvent(QMouseEvent* event)
{
    if (routine_ && (event->buttons() & Qt::LeftButton)) {
        const QPoint p = event->position().toPoint();
        routine_(event->buttons(), p.x(), p.y());
    }
    event->accept();
}

void SplitterBar::mouseReleaseEvent(QMouseEvent* event)
{
    if (routine_ && event->button() == Qt::LeftButton) {
        const QPoint p = event->position().toPoint();
        routine_(event->buttons(), p.x(), p.y());
    }
    event->accept();
}

void SplitterBar::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), dragged_ ? QColor(0x80, 0x80, 0x80) : QColor(0xC0, 0xC0, 0xC0));
    p.setPen(QColor(0xF0, 0xF0, 0xF0));
    if (orientation_ == Qt::Horizontal)
        p.drawLine(0, 0, width(), 0);
    else
        p.drawLine(0, 0, 0, height());
    p.setPen(QColor(0x70, 0x70, 0x70));
    if (orientation_ == Qt::Horizontal)
        p.drawLine(0, height() - 1, width(), height() - 1);
    else
        p.drawLine(width() - 1, 0, width() - 1, height());
    // A grip in the middle.
    p.setPen(QColor(0x60, 0x60, 0x60));
    const QPoint c = rect().center();
    for (int i = -2; i <= 2; ++i) {
        if (orientation_ == Qt::Horizontal)
            p.drawPoint(c.x() + i * 4, c.y());
        else
            p.drawPoint(c.x(), c.y() + i * 4);
    }
}

} // namespace vandrel
