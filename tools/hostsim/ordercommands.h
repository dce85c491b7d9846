#pragma once

#include "tools/hostsim/hostsession.h"

#include <QStringList>

namespace vandrel::hostsim {

// The order upload on the host: "TM TO <number>" opens an order ("@@@BEGIN@@@"), the
// program sends "%VANDRELACCOUNT:<customer>", the order's lines and Ctrl-Z; the host
// stores it ("@@@END@@@", "READY") in --orders-dir as ORDER-<n>.VDB, the bytes exactly as
// received between the account line and the Ctrl-Z. "RUN VDORDERS <code> <customer>
// SYNC" processes what came.
class OrderCommands final : public CommandHandler {
public:
    bool accepts(const QByteArray& line) const override;
    void handle(HostSession& session, const QByteArray& line) override;

    // The orders stored, in order of arrival (bytes between the account line and Ctrl-Z).
    const QList<QByteArray>& orders() const { return orders_; }
    const QStringList& accounts() const { return accounts_; }

private:
    void receiveOrder(HostSession& session);
    void store(HostSession& session, const QByteArray& order);

    QList<QByteArray> orders_;
    QStringList accounts_;
    int received_ = 0;
    bool refused_ = false;
};

} // namespace vandrel::hostsim
