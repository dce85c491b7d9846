#pragma once

#include <QPixmap>
#include <QWidget>

namespace vandrel {

// The main window's own surface: paints the background tile and knows whether the left
// button is held on it (then resizing waits with the re-layout).
class WindowSurface : public QWidget {
    Q_OBJECT
public:
    explicit WindowSurface(QWidget* parent = nullptr);
    void setTile(const QPixmap& tile) { tile_ = tile; update(); }
    bool mouseHeld() const { return mouseHeld_; }

signals:
    void mouseHeldChanged(bool held);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPixmap tile_;
    bool mouseHeld_ = false;
};

} // namespace vandrel
