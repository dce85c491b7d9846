// Reads arbitrary bytes as RTF, writes the result and reads that again: nothing may crash,
// and the second reading must give the same text.
#include "printing/rtfreader.h"
#include "printing/rtfwriter.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QTextDocument doc;
    vandrel::readRtf(input, doc);
    const QByteArray written = vandrel::writeRtf(doc);
    QTextDocument again;
    vandrel::readRtf(written, again);
    if (again.toPlainText() != doc.toPlainText())
        std::abort();
    return 0;
}
