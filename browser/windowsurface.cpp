#include "browser/windowsurface.h"

#include "app/core/helpers.h"

#include <QMouseEvent>
#include <QPainter>

namespace vandrel {

WindowSurface::WindowSurface(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("surface"));
}

void WindowSurface::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (tile_.isNull())
        p.fillRect(rect(), palette().window());
    else
        TilePicture(p, size(), tile_, 0);
}

void WindowSurface::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        mouseHeld_ = true;
        emit mouseHeldChanged(true);
    }
    QWidget::mousePressEvent(event);
}

void WindowSurface::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        mouseHeld_ = false;
        emit mouseHeldChanged(false);
    }
    QWidget::mouseReleaseEvent(event);
}

} // namespace vandrel
