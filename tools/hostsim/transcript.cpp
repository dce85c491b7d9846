#include "tools/hostsim/transcript.h"

#include <QDateTime>

namespace vandrel::hostsim {

bool Transcript::openLog(const QString& fileName)
{
    log_.setFileName(fileName);
    return log_.open(QIODevice::WriteOnly | QIODevice::Append);
}

void Transcript::record(const QString& channel, Direction direction, const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return;
    entries_.append({channel, direction, bytes});
    if (log_.isOpen()) {
        log_.write(QTime::currentTime().toString(QStringLiteral("HH:mm:ss.zzz")).toLatin1() + ' ' +
                   channel.toLatin1() + (direction == FromClient ? " < " : " > ") + escaped(bytes) + '\n');
        log_.flush();
    }
}

void Transcript::note(const QString& channel, const QString& text)
{
    if (log_.isOpen()) {
        log_.write(QTime::currentTime().toString(QStringLiteral("HH:mm:ss.zzz")).toLatin1() + ' ' +
                   channel.toLatin1() + " * " + text.toUtf8() + '\n');
        log_.flush();
    }
}

QByteArray Transcript::joined(Direction direction, const QString& prefix) const
{
    QByteArray all;
    for (const Entry& e : entries_)
        if (e.direction == direction && e.channel.startsWith(prefix))
            all += e.bytes;
    return all;
}

QByteArray Transcript::received(const QString& channelPrefix) const
{
    return joined(FromClient, channelPrefix);
}

QByteArray Transcript::sent(const QString& channelPrefix) const
{
    return joined(ToClient, channelPrefix);
}

QByteArray Transcript::escaped(const QByteArray& bytes)
{
    QByteArray out;
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        case '\\': out += "\\\\"; break;
        default:
            if (c < 32 || c > 126)
                out += "\\x" + QByteArray::number(c, 16).rightJustified(2, '0');
            else
                out += ch;
        }
    }
    return out;
}

} // namespace vandrel::hostsim
