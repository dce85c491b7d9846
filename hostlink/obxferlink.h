#pragma once

#include "hostlink/obxferreceiver.h"

#include <QString>

#include <functional>

namespace vandrel {

class HostLink;

// The OB-XFER receiver on the host link. The internet form takes the link's receive
// buffer each pass (filled by the socket); the modem form empties the serial input at
// the start, switches the port's receive notifications off and reads the port itself,
// with the Receive lamp yellow while it reads, and switches them back on at the end.
// status gets the progress texts (the link's status line for the internet form, the
// main window's status caption for the modem form).
struct ObxferTarget {
    QString downloadDirectory;
    std::function<void(const QString&)> status;
    int silenceMs = 30000; // tests shorten it
};

bool ReceiveFileTcp(HostLink& link, const ObxferTarget& target, QString& fileName);
bool ReceiveFile(HostLink& link, const ObxferTarget& target, QString& fileName);

} // namespace vandrel
