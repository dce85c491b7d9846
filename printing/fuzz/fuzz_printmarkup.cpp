// Any bytes as markup: the parser must end, and its pieces must give the markup back.
#include "printing/printmarkup.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using vandrel::PrintMarkup;
    const QString markup = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    QString rebuilt;
    for (const PrintMarkup::Token& token : PrintMarkup::parse(markup)) {
        rebuilt += token.source;
        if (token.op == PrintMarkup::Op::Memo && token.memo.text.size() >= token.source.size())
            std::abort();
    }
    if (rebuilt != markup)
        std::abort();
    return 0;
}
