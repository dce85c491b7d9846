#include "hostlink/obxferreceiver.h"

#include "app/core/cp1252.h"
#include "app/core/helpers.h"
#include "app/core/ui.h"

#include <QDir>
#include <QElapsedTimer>

#include <cmath>

namespace vandrel {

using namespace obxfer;

const QString ObxferReceiver::messageTitle = QStringLiteral("OB-XFER download");

namespace {

QByteArray twoDigits(const QByteArray& field)
{
    const int n = int(Val(QString::fromLatin1(field)));
    return QByteArray::number(std::clamp(n, 0, 99)).rightJustified(2, '0');
}

qint64 monotonicMs()
{
    static QElapsedTimer timer;
    if (!timer.isValid())
        timer.start();
    return timer.elapsed();
}

} // namespace

bool isPlainFileName(const QString& name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (const QChar c : name)
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':') || c.unicode() < 32
            || c.unicode() == 127)
            return false;
    return true;
}

ObxferReceiver::ObxferReceiver(ObxferChannel& channel, Options options)
    : channel_(channel), options_(std::move(options)), now_(monotonicMs)
{
}

ObxferReceiver::~ObxferReceiver() = default;

void ObxferReceiver::showStatus(const QString& text)
{
    if (status_)
        status_(text);
}

void ObxferReceiver::closeFile()
{
    if (file_)
        file_->close();
    file_.reset();
}

bool ObxferReceiver::cancel(const QString& message, const QString& status)
{
    channel_.send(BuildFrame("CD" + blockNumber_));
    msgBox(message, MsgIcon::Critical, MsgButtons::Ok, messageTitle);
    showStatus(status);
    closeFile(); // a partial file after too many errors or a write error is kept
    blockNumber_ = "00";
    channel_.setTransferInProgress(false);
    return false;
}

bool ObxferReceiver::receive(QString& fileName)
{
    accumulator_.clear();
    blockNumber_ = "00";
    closeFile();
    bytesWritten_ = 0;
    errorCount_ = 0;
    silenceSince_ = now_();
    channel_.setTransferInProgress(true);
    const bool ok = receiveFrames(fileName);
    const QByteArray rest = accumulator_.takeRemaining();
    if (!rest.isEmpty())
        channel_.putBack(rest);
    return ok;
}

bool ObxferReceiver::receiveFrames(QString& fileName)
{
    bool tookFrame = false;
    for (;;) {
        if (!channel_.isConnected()) {
            if (file_) {
                const QString path = file_->fileName();
                closeFile();
                QFile::remove(path);
            }
            channel_.setTransferInProgress(false);
            return false;
        }
        // Frames already waiting are taken without waiting for more.
        accumulator_.append(channel_.receive(tookFrame ? 0 : options_.pollMs));

        QByteArray payload;
        tookFrame = accumulator_.takeFrame(payload);
        if (!tookFrame) {
            if (now_() - silenceSince_ > options_.silenceMs) {
                channel_.send(BuildFrame((errorCount_ == 0 ? "NU" : "RU") + blockNumber_));
                silenceSince_ = now_();
            }
            continue;
        }
        if (payload.isEmpty())
            continue;
        silenceSince_ = now_();
        const QByteArray rest = payload.mid(2);
        switch (FrameType(payload)) {
        case TypeIU:
            if (!file_ && !handleHeader(rest, fileName))
                return false;
            break;
        case TypeUB:
            if (file_) {
                const int outcome = handleData(rest);
                if (outcome != 0)
                    return outcome > 0;
            }
            break;
        default:
            break;
        }
    }
}

bool ObxferReceiver::handleHeader(const QByteArray& rest, QString& fileName)
{
    blockNumber_ = twoDigits(rest.left(2));
    acknowledgement_ = BuildFrame("NU" + blockNumber_);
    fileSize_ = qint64(Val(QString::fromLatin1(rest.mid(2, 8))));
    if (fileSize_ < 0)
        fileSize_ = 0;
    name_ = cp1252::toUnicode(rest.mid(10));
    fileName = name_;
    showStatus(QStringLiteral("Ontvangen ") + name_
               + (options_.internet ? QStringLiteral(" via OB-XFER") : QString())
               + QStringLiteral(", totaal ") + QString::number(fileSize_) + QStringLiteral(" Bytes"));

    const QString fileMessage =
        QStringLiteral("Het te downloaden bestand kan niet worden aangemaakt of overschreven!");
    const QString fileStatus = QStringLiteral("Bestandsfout tijdens download, update afgebroken");
    if (!isPlainFileName(name_))
        return cancel(fileMessage, fileStatus);
    auto file = std::make_unique<QFile>(AddBackslash(options_.downloadDirectory) + name_);
    if (!file->open(QIODevice::ReadWrite | QIODevice::Truncate) || !file->resize(fileSize_)
        || !file->seek(0))
        return cancel(fileMessage, fileStatus);
    file_ = std::move(file);
    bytesWritten_ = 0;
    channel_.send(acknowledgement_);
    return true;
}

int ObxferReceiver::handleData(const QByteArray& rest)
{
    blockNumber_ = twoDigits(rest.left(2));
    const QByteArray check = rest.mid(2, 1);
    const QByteArray data = rest.mid(3);
    if (check.size() != 1 || check[0] != char('0' + CheckDigit(data))) {
        if (errorCount_ >= options_.maxBadBlocks) {
            cancel(QStringLiteral("Er zijn teveel fouten tijdens de download ontstaan!"),
                   QStringLiteral("Te veel fouten tijdens download opgetreden, update afgebroken"));
            return -1;
        }
        channel_.send(BuildFrame("RU" + blockNumber_));
        ++errorCount_;
        return 0;
    }
    errorCount_ = 0;

    if (data.isEmpty()) {
        const bool cut = file_->flush() && file_->resize(bytesWritten_);
        closeFile();
        silenceSince_ = 0;
        if (!cut) {
            cancel(QStringLiteral("Er is een schrijffout tijdens de download ontstaan!"),
                   QStringLiteral("schrijffout tijdens download opgetreden, update afgebroken"));
            return -1;
        }
        showStatus(QStringLiteral("Bestand is succesvol gedownload"));
        channel_.setTransferInProgress(false);
        return 1;
    }

    if (file_->write(data) != data.size()) {
        cancel(QStringLiteral("Er is een schrijffout tijdens de download ontstaan!"),
               QStringLiteral("schrijffout tijdens download opgetreden, update afgebroken"));
        return -1;
    }
    bytesWritten_ += data.size();
    const int percent = fileSize_ > 0
        ? int(std::clamp<double>(std::round(double(bytesWritten_) / double(fileSize_) * 100.0), 0, 100))
        : 100;
    showStatus(QStringLiteral("Ontvangen ") + name_ + QStringLiteral(" via OB-XFER, ")
               + QString::number(percent) + QStringLiteral("% gereed..."));
    channel_.send(acknowledgement_);
    return 0;
}

} // namespace vandrel
