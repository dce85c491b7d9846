#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>

namespace vandrel::hostsim {

// Every byte the simulator receives and sends, per channel ("tcp#1", "modem", "http#2"),
// kept in memory and written to the log file when there is one.
class Transcript {
public:
    enum Direction { FromClient, ToClient };
    struct Entry {
        QString channel;
        Direction direction;
        QByteArray bytes;
    };

    bool openLog(const QString& fileName);
    void record(const QString& channel, Direction direction, const QByteArray& bytes);
    void note(const QString& channel, const QString& text);
    const QList<Entry>& entries() const { return entries_; }
    // All bytes of one direction on channels starting with the prefix, in order.
    QByteArray received(const QString& channelPrefix = QString()) const;
    QByteArray sent(const QString& channelPrefix = QString()) const;

    // Printable form: CR, LF, TAB, backslash and bytes outside 32..126 as escapes.
    static QByteArray escaped(const QByteArray& bytes);

private:
    QByteArray joined(Direction direction, const QString& prefix) const;

    QList<Entry> entries_;
    QFile log_;
};

} // namespace vandrel::hostsim
