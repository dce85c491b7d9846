#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace vandrel {

class HostLink;
class SessionWindow;

// The order upload over the host link: each saved order file goes to the host, a
// receipt is printed of every order the host stored ("@@@END@@@") and its file is
// deleted; then the host is asked to process what it received.
//
// The order file is sent line by line as the program reads it (a line ends at CR LF,
// the file at its Ctrl-Z marker), each line followed by CR LF, then the session's own
// Ctrl-Z. An order file that cannot be read is sent as an empty order (the host
// decides) and is never deleted unless the host stored it.
class OrderUploadSession {
public:
    struct Options {
        QString customerNumber = QStringLiteral("0000000");
        QString orderIntake;  // the number after "TM TO " before each order
        QString orderRestart; // the number after "TM TO " to restart after an error
    };

    OrderUploadSession(HostLink& link, SessionWindow& window, Options options);

    // Prints the receipt of an accepted order file (full path). Default: none.
    void setReceiptPrinter(std::function<void(const QString& orderFile)> print) { print_ = std::move(print); }

    // orders: the full paths, first to last.
    void run(const QStringList& orders);

    static const QString messageTitle; // "Verzenden bestelling"

private:
    void sendOrderFile(const QString& path, int mode);
    void end(const QString& message);

    HostLink& link_;
    SessionWindow& window_;
    Options options_;
    std::function<void(const QString&)> print_;
};

} // namespace vandrel
