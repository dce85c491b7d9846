#include "tools/hostsim/modememulator.h"

#include "tools/hostsim/transcript.h"

#include <QTimer>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace vandrel::hostsim {
namespace {

const QString channelName = QStringLiteral("modem");

void makeRaw(int fd)
{
    termios t{};
    if (tcgetattr(fd, &t) == 0) {
        cfmakeraw(&t);
        tcsetattr(fd, TCSANOW, &t);
    }
}

} // namespace

ModemEmulator::ModemEmulator(const SimConfig& config, const QList<std::shared_ptr<CommandHandler>>& handlers,
                             Transcript& transcript, QObject* parent)
    : QObject(parent), config_(config), handlers_(handlers), transcript_(transcript)
{
}

ModemEmulator::~ModemEmulator()
{
    session_.reset();
    notifier_.reset();
    if (master_ >= 0)
        ::close(master_);
    if (slave_ >= 0)
        ::close(slave_);
}

bool ModemEmulator::open(QString* error)
{
    char name[256] = {};
    if (openpty(&master_, &slave_, name, nullptr, nullptr) != 0) {
        if (error)
            *error = QStringLiteral("openpty: ") + QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    // No line discipline on either side: CR stays CR, nothing is echoed by the kernel.
    makeRaw(master_);
    makeRaw(slave_);
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    slavePath_ = QString::fromLocal8Bit(name);
    notifier_ = std::make_unique<QSocketNotifier>(master_, QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &ModemEmulator::onReadable);
    return true;
}

void ModemEmulator::onReadable()
{
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n <= 0)
            break;
        const QByteArray bytes(buffer, qsizetype(n));
        if (online_ && bytes == "+++") {
            // The escape, sent alone between guard times.
            transcript_.record(channelName, Transcript::FromClient, bytes);
            online_ = false;
            answer("OK");
            continue;
        }
        if (online_ && session_)
            session_->receive(bytes);
        else
            commandBytes(bytes);
    }
}

void ModemEmulator::commandBytes(const QByteArray& bytes)
{
    transcript_.record(channelName, Transcript::FromClient, bytes);
    if (!config_.modemAnswers)
        return;
    for (const char c : bytes) {
        if (echo_)
            writeRaw(QByteArray(1, c));
        if (c == '\r') {
            const QByteArray line = commandLine_.trimmed();
            commandLine_.clear();
            if (!line.isEmpty())
                command(line);
        } else if (c != '\n') {
            commandLine_ += c;
        }
    }
}

void ModemEmulator::command(const QByteArray& line)
{
    const QByteArray upper = line.toUpper();
    if (!upper.startsWith("AT")) {
        answer("ERROR");
        return;
    }
    const QByteArray rest = upper.mid(2);
    if (rest.startsWith('D')) {
        const QByteArray result = config_.dialAnswer;
        answer(result);
        if (result.startsWith("CONNECT")) {
            online_ = true;
            session_ = std::make_unique<HostSession>(*this, channelName, config_, handlers_, transcript_);
            session_->start();
        }
        return;
    }
    if (rest.startsWith('H')) {
        if (session_) {
            transcript_.note(channelName, QStringLiteral("program hangs up"));
            session_.reset();
        }
        online_ = false;
    }
    if (rest.contains("E0"))
        echo_ = false;
    else if (rest.contains("E1"))
        echo_ = true;
    answer("OK");
}

void ModemEmulator::answer(const QByteArray& text)
{
    const QByteArray bytes = "\r\n" + text + "\r\n";
    transcript_.record(channelName, Transcript::ToClient, bytes);
    writeRaw(bytes);
}

void ModemEmulator::writeRaw(const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(master_, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0) {
            if (errno == EAGAIN || errno == EINTR) {
                usleep(1000);
                continue;
            }
            return;
        }
        done += n;
    }
}

void ModemEmulator::hangUp()
{
    // Called by the session itself: let it finish its call before it goes.
    online_ = false;
    answer("NO CARRIER");
    QTimer::singleShot(0, this, [this] { session_.reset(); });
}

} // namespace vandrel::hostsim
