#include "tools/hostsim/sessionfaults.h"

namespace vandrel::hostsim {

namespace {

// A fault that sets a whole number of at least min.
Fault number(const char* name, const char* help, int SessionScript::*field, int min = 1)
{
    return {QString::fromLatin1(name), QString::fromLatin1(help), [field, min](SimConfig& c, const QString& value) {
                bool ok = false;
                const int n = value.toInt(&ok);
                if (!ok || n < min)
                    return false;
                c.sessions.*field = n;
                return true;
            }};
}

Fault flag(const char* name, const char* help, bool SessionScript::*field)
{
    return {QString::fromLatin1(name), QString::fromLatin1(help), [field](SimConfig& c, const QString& value) {
                if (!value.isEmpty())
                    return false;
                c.sessions.*field = true;
                return true;
            }};
}

} // namespace

QList<Fault> sessionFaults()
{
    return {
        number("order-error", "order-error=N: refuse the Nth order once with \"* ERROR:\"", &SessionScript::orderErrorAt),
        flag("processing-error", "answer \"ERROR\" while processing the orders", &SessionScript::processingError),
        number("drop-after-order", "drop-after-order=N: hang up after storing the Nth order", &SessionScript::dropAfterOrder),
        flag("prepare-error", "answer \"ERROR\" while preparing the update", &SessionScript::prepareError),
        number("download-error", "download-error=N: refuse the first N download requests", &SessionScript::downloadErrors),
        flag("serial-silence", "announce an X/Y/ZMODEM download, then send nothing", &SessionScript::serialSilence),
        number("block-size", "block-size=N: OB-XFER data blocks of N bytes (default 4096)", &SessionScript::blockSize),
        number("bad-check", "bad-check=N: send OB-XFER data block N once with a wrong check digit", &SessionScript::badCheckBlock),
        flag("bad-check-always", "send every OB-XFER data block with a wrong check digit", &SessionScript::badCheckAlways),
        number("split-frames", "split-frames=N: send OB-XFER frames in pieces of N bytes", &SessionScript::splitFrames),
        number("silence-after-block", "silence-after-block=N: leave the acknowledgement of block N unanswered",
               &SessionScript::silenceAfterBlock),
        number("drop-after-block", "drop-after-block=N: hang up after OB-XFER data block N", &SessionScript::dropAfterBlock),
        {QStringLiteral("obxfer-name"), QStringLiteral("obxfer-name=NAME: the file name in the OB-XFER header"),
         [](SimConfig& c, const QString& value) {
             c.sessions.fileName = value.toLatin1();
             return true;
         }},
    };
}

} // namespace vandrel::hostsim
