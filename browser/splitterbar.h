#pragma once

#include <QPushButton>

#include <functional>

namespace vandrel {

// A button used as a bar: the main window's splitters. It reports the mouse to the
// window's splitter routine as (buttons, x, y) in pixels relative to the bar.
class SplitterBar : public QPushButton {
    Q_OBJECT
public:
    using Routine = std::function<void(Qt::MouseButtons, int, int)>;
    SplitterBar(const QString& objectName, Qt::Orientation orientation, QWidget* parent);

    void setRoutine(Routine routine) { routine_ = std::move(routine); }
    Qt::Orientation orientation() const { return orientation_; }
    // &H808080 while dragged, &HC0C0C0 otherwise.
    void setDragged(bool dragged);
    bool isDragged() const { return dragged_; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    Qt::Orientation orientation_;
    Routine routine_;
    bool dragged_ = false;
};

} // namespace vandrel
