#include "tools/hostsim/ordercommands.h"

#include <QDir>
#include <QFile>

namespace vandrel::hostsim {

bool OrderCommands::accepts(const QByteArray& line) const
{
    const QByteArray upper = line.trimmed().toUpper();
    return upper.startsWith("TM TO ") || upper.startsWith("RUN VDORDERS");
}

void OrderCommands::handle(HostSession& session, const QByteArray& line)
{
    const SessionScript& script = session.config().sessions;
    if (line.trimmed().toUpper().startsWith("TM TO ")) {
        session.sendLine("@@@BEGIN@@@");
        receiveOrder(session);
        return;
    }
    session.sendLine("* BEGIN APPLICATION (SYNC) *");
    session.sendLine("Verwerken van " + QByteArray::number(orders_.size()) + " bestelling(en)");
    if (script.processingError) {
        session.sendLine("ERROR: verwerking van de bestellingen mislukt");
        return;
    }
    session.sendLine("* APPLICATION ENDED (SYNC) *");
    session.sendLine("READY");
}

void OrderCommands::receiveOrder(HostSession& session)
{
    auto order = std::make_shared<QByteArray>();
    session.captureInput([this, order](HostSession& s, QByteArray& input) {
        const qsizetype end = input.indexOf('\x1a');
        if (end < 0) {
            *order += input;
            input.clear();
            return false;
        }
        *order += input.left(end);
        input.remove(0, end + 1);
        store(s, *order);
        return true;
    });
}

void OrderCommands::store(HostSession& session, const QByteArray& received)
{
    const SessionScript& script = session.config().sessions;
    QByteArray order = received;
    static const QByteArray account = "%VANDRELACCOUNT:";
    if (order.startsWith(account)) {
        const qsizetype eol = order.indexOf("\r\n");
        accounts_ << QString::fromLatin1(order.mid(account.size(), eol - account.size()));
        order.remove(0, eol < 0 ? order.size() : eol + 2);
    }
    ++received_;
    if (received_ == script.orderErrorAt && !refused_) {
        refused_ = true;
        session.sendLine("* ERROR: artikelnummer onbekend in regel 2");
        session.sendLine("READY");
        return;
    }
    orders_ << order;
    const QString dir = session.config().ordersDir;
    if (!dir.isEmpty()) {
        QDir().mkpath(dir);
        QFile file(QDir(dir).filePath(QStringLiteral("ORDER-%1.VDB").arg(orders_.size())));
        if (file.open(QIODevice::WriteOnly))
            file.write(order);
    }
    session.sendLine("@@@END@@@");
    if (script.dropAfterOrder > 0 && int(orders_.size()) == script.dropAfterOrder) {
        session.end();
        return;
    }
    session.sendLine("READY");
}

} // namespace vandrel::hostsim
