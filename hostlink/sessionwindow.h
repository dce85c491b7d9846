#pragma once

#include <QString>

namespace vandrel {

// What a host session drives of the program's windows: the main window it disables
// while it runs, the main window's status caption, and the host link window it closes
// at its end. The entry wires the real windows in; tests record the calls.
class SessionWindow {
public:
    virtual ~SessionWindow() = default;
    virtual void setMainWindowEnabled(bool enabled) = 0;
    virtual void setStatusCaption(const QString& text) = 0;
    // Unloads the host link window (the link hangs up when its port is still open).
    virtual void unloadHostLink() = 0;
};

} // namespace vandrel
