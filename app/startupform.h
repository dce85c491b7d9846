#pragma once

#include <QElapsedTimer>
#include <QWidget>

#include <functional>

class QLabel;
class QTimer;

namespace vandrel {

// The splash window: stays in front while the main window loads, closes itself after
// about 15 seconds or on a click.
class StartUp : public QWidget {
    Q_OBJECT
public:
    static constexpr int maxShownMs = 15000;

    StartUp();

    // Runs the window's load: the release label, the checkpoint and the program-update
    // question. False when the program must end (the update installer was started).
    bool load(const std::function<bool(const QString& program)>& startProgram);

    QLabel* lblTitel() const { return lblTitel_; }
    QLabel* lblRelease() const { return lblRelease_; }
    // True once a dialog of the program made the splash step back behind it.
    bool steppedBack() const { return steppedBack_; }

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    void tick();
    bool dialogOpen() const;

    QLabel* lblTitel_;
    QLabel* lblEXTRA_;
    QLabel* lblRelease_;
    QTimer* timer1_;
    QElapsedTimer shown_;
    bool steppedBack_ = false;
};

} // namespace vandrel
