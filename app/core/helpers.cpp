#include "app/core/helpers.h"

#include "app/core/apptitle.h"
#include "app/core/commandline.h"
#include "app/core/ui.h"

#include <QDir>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QTableView>

#include <cmath>

namespace vandrel {

namespace {
int checkpointCounter = 0;

double logicalDpi(bool horizontal)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return 96.0;
    const double dpi = horizontal ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY();
    return dpi > 0 ? dpi : 96.0;
}
} // namespace

void DebugCheckpoint(const QString& text)
{
    if (!commandline::has(QStringLiteral("/DEBUG")))
        return;
    ++checkpointCounter;
    msgBox(QStringLiteral("Debug checkpoint #") + QString::number(checkpointCounter) +
               QStringLiteral(". ") + text,
           MsgIcon::Information, MsgButtons::Ok, AppTitle::programTitle);
}

int debugCheckpointCount() { return checkpointCounter; }

QString AddBackslash(const QString& directory)
{
    if (directory.endsWith(QDir::separator()))
        return directory;
    return directory + QDir::separator();
}

QStringList Conv2Word(const QString& text, int maxWords, QChar separator)
{
    AppTitle::Scope title(QStringLiteral("Conv2Word"));
    QStringList words;
    qsizetype i = 0;
    while (i < text.size() && words.size() < maxWords) {
        while (i < text.size() && text[i] == separator)
            ++i;
        const qsizetype start = i;
        while (i < text.size() && text[i] != separator)
            ++i;
        if (i > start)
            words << text.mid(start, i - start);
    }
    return words;
}

void ReplaceText(QString& text, const QString& search, const QString& replacement)
{
    if (search.isEmpty())
        return;
    text.replace(search, replacement, Qt::CaseInsensitive);
}

QVariant ValueOrDefault(const QVariant& value, const QVariant& defaultValue)
{
    if (value.isNull() || !value.isValid() || value.toString().isEmpty())
        return defaultValue;
    return value;
}

double Val(const QString& text)
{
    QString digits;
    bool seenDigit = false;
    bool seenPoint = false;
    bool seenExponent = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') ||
            c == QLatin1Char('\r'))
            continue;
        if (c.isDigit() && c.unicode() < 128) {
            digits += c;
            seenDigit = true;
        } else if ((c == QLatin1Char('-') || c == QLatin1Char('+')) &&
                   (digits.isEmpty() || digits.endsWith(QLatin1Char('e')))) {
            digits += c;
        } else if (c == QLatin1Char('.') && !seenPoint && !seenExponent) {
            digits += c;
            seenPoint = true;
        } else if ((c == QLatin1Char('e') || c == QLatin1Char('E') || c == QLatin1Char('d') ||
                    c == QLatin1Char('D')) &&
                   seenDigit && !seenExponent) {
            digits += QLatin1Char('e');
            seenExponent = true;
        } else {
            break;
        }
    }
    // Cut a dangling exponent or sign so the rest still reads.
    while (!digits.isEmpty() && !digits.back().isDigit() && digits.back() != QLatin1Char('.'))
        digits.chop(1);
    bool ok = false;
    const double v = digits.toDouble(&ok);
    return ok && std::isfinite(v) ? v : 0.0;
}

double twipsPerPixelX() { return 1440.0 / logicalDpi(true); }
double twipsPerPixelY() { return 1440.0 / logicalDpi(false); }
int twipsToPixelsX(double twips) { return int(std::lround(twips / twipsPerPixelX())); }
int twipsToPixelsY(double twips) { return int(std::lround(twips / twipsPerPixelY())); }
double pixelsToTwipsX(int pixels) { return pixels * twipsPerPixelX(); }
double pixelsToTwipsY(int pixels) { return pixels * twipsPerPixelY(); }

void FitPicture(QLabel* picture, double boxHeight, double boxWidth, double& factor)
{
    factor = 0;
    if (!picture)
        return;
    const QPixmap pixmap = picture->pixmap();
    if (pixmap.isNull() || pixmap.width() <= 0 || pixmap.height() <= 0)
        return;
    picture->hide();
    picture->setScaledContents(false);
    const double h = pixelsToTwipsY(pixmap.height());
    const double w = pixelsToTwipsX(pixmap.width());
    factor = std::min(boxHeight / h, boxWidth / w);
    picture->setScaledContents(true);
    picture->resize(twipsToPixelsX(w * factor), twipsToPixelsY(h * factor));
    picture->update();
    picture->show();
}

void SetGridDefaults(QTableView* grid)
{
    if (!grid)
        return;
    grid->horizontalHeader()->setSectionsMovable(true);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
}

void CenterForm(QWidget* window)
{
    if (!window)
        return;
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QSize s = screen->size();
    const QSize w = window->frameGeometry().size();
    const int left = std::abs(s.width() / 2 - w.width() / 2);
    const int top = std::abs(s.height() / 2 - w.height() / 2);
    window->move(left, top);
}

void TilePicture(QPainter& painter, const QSize& target, const QPixmap& picture, int startHeight)
{
    const int w = picture.width();
    const int h = picture.height();
    if (w <= 0 || h <= 0)
        return;
    for (int y = startHeight; y < target.height(); y += h) {
        for (int x = 0; x < target.width(); x += w)
            painter.drawPixmap(x, y, w, h, picture);
    }
}

} // namespace vandrel
