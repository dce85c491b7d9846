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
    // Presses on child controls bubble up here too; only a press on the surface itself
    // holds the layout (a control may open a modal window and never see its release).
    if (event->button() == Qt::LeftButton && !childAt(event->position().toPoint())) {
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
