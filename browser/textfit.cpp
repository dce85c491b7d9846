#include "browser/textfit.h"

#include <QFontMetrics>
#include <QTextLayout>

namespace vandrel {

namespace {

int wrappedLines(const QString& text, const QFont& font, int width)
{
    if (text.isEmpty())
        return 0;
    const QFontMetrics fm(font);
    const QRect r = fm.boundingRect(QRect(0, 0, width, 1 << 20), Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text);
    return std::max(1, (r.height() + fm.lineSpacing() / 2) / fm.lineSpacing());
}

} // namespace

FittedText fitTextToLines(const QString& text, const QFont& font, int width, int maxLines)
{
    FittedText result;
    result.text = text;
    result.lines = wrappedLines(text, font, width);
    if (maxLines < 1 || result.lines <= maxLines)
        return result;
    // Drop words from the end until the rest with its ellipsis fits.
    const QString ellipsis = QStringLiteral("\u2026");
    QString kept = text;
    while (!kept.isEmpty()) {
        int cut = kept.lastIndexOf(QLatin1Char(' '));
        kept = cut > 0 ? kept.left(cut).trimmed() : QString();
        if (wrappedLines(kept + ellipsis, font, width) <= maxLines)
            break;
    }
    result.text = kept.isEmpty() ? ellipsis : kept + ellipsis;
    result.lines = wrappedLines(result.text, font, width);
    result.cut = true;
    return result;
}

} // namespace vandrel
