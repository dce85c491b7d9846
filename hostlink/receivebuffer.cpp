#include "hostlink/receivebuffer.h"

namespace vandrel {

QByteArray ReceiveBuffer::takeAll()
{
    QByteArray all;
    all.swap(data_);
    return all;
}

qsizetype ReceiveBuffer::indexOfCaseBlind(const QByteArray& text) const
{
    return vandrel::indexOfCaseBlind(data_, text);
}

qsizetype indexOfCaseBlind(const QByteArray& haystack, const QByteArray& needle, qsizetype from)
{
    // Host prompts are ASCII; only A-Z/a-z fold, other bytes must match exactly.
    return haystack.toLower().indexOf(needle.toLower(), from);
}

bool containsCaseBlind(const QByteArray& haystack, const QByteArray& needle)
{
    return indexOfCaseBlind(haystack, needle) >= 0;
}

} // namespace vandrel
