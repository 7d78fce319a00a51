#include "RadioSim.h"

#include <QFile>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <mutex>
#include <thread>

#include <fcntl.h>
#include <sys/select.h>
#include <termios.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

constexpr uint8_t Ack = 0x06;
constexpr uint8_t Identify = 0x02;
constexpr uint8_t ReadCommand = 0x52;
constexpr uint8_t WriteCommand = 0x57;
constexpr uint8_t EndByte = 0x45;
constexpr uint8_t StrayByte = 0x00;
constexpr char Handshake[] = "PROGRAM";
constexpr int HandshakeLength = 7;
constexpr int GarbageLength = 100;
// A re-plugged cable: the new terminal appears this long after the hang-up.
constexpr auto ReplugDelay = std::chrono::milliseconds(100);
// A session the program abandoned without the end byte ends after this much silence.
constexpr auto SessionSilence = std::chrono::seconds(30);
// Pieces of a split reply are this far apart, on top of the line's own pace.
constexpr auto SplitGap = std::chrono::milliseconds(3);

struct FaultName
{
    RadioSim::FaultKind kind;
    const char *name;
    bool takesBlock;
    int defaultBlock;
    const char *help;
};

const FaultName faultNames[] = {
    {RadioSim::FaultKind::NoHandshakeAck, "no-handshake-ack", false, 0, "\"PROGRAM\" is not acknowledged"},
    {RadioSim::FaultKind::NoIdent, "no-ident", false, 0, "the identification request is not answered"},
    {RadioSim::FaultKind::UnknownModel, "unknown-model", false, 0, "the radio reports the model code 0000"},
    {RadioSim::FaultKind::NoAck, "no-ack", true, 0, "no acknowledge for block N"},
    {RadioSim::FaultKind::StrayHandshakeAck, "stray-handshake-ack", false, 0,
     "a stray byte ahead of the handshake acknowledge"},
    {RadioSim::FaultKind::StrayAck, "stray-ack", true, -1,
     "a stray byte ahead of the acknowledge for block N (without @N: of the transfer start)"},
    {RadioSim::FaultKind::Split, "split", false, 0, "every reply comes in pieces"},
    {RadioSim::FaultKind::Garbage, "garbage", true, 0,
     "100 bytes of noise in place of the data reply for block N"},
    {RadioSim::FaultKind::Hangup, "hangup", true, 0, "the line goes dead at block N (the cable pulled)"},
};

} // namespace

struct RadioSim::Private
{
    enum class State { Idle, WaitIdent, WaitStart, Transfer };
    struct Timed
    {
        uint8_t byte;
        Clock::time_point due;
    };

    // Settings.
    QByteArray modelCode = "6105";
    Clock::duration byteTime{0};
    QList<Fault> faults;
    int faultSessions = -1;
    QString link;

    // The terminal.
    int master = -1;
    int slave = -1; // held open so that the terminal lives between the program's sessions
    int wake[2] = {-1, -1};
    QString path;
    bool reopenPending = false;
    Clock::time_point reopenAt;

    // The line in both directions, paced to deadlines.
    std::deque<Timed> rx;
    std::deque<Timed> tx;
    Clock::time_point rxLast;
    Clock::time_point txLast;

    // The radio's side of the protocol.
    State state = State::Idle;
    int handshakePos = 0;
    QByteArray frame;
    int pendingReadAck = -2; // the block whose data reply awaits the program's acknowledge
    bool wrote = false;
    int sessionIndex = 0;
    Clock::time_point lastActivity;

    // Shared with other threads.
    mutable std::mutex mutex;
    QByteArray memory = QByteArray(MemorySize, char(0xFF));
    QByteArray received;
    int sessionsEnded = 0;
    int hangups = 0;
    std::atomic<bool> stopRequested{false};
    std::thread thread;

    RadioSim *q = nullptr;

    bool OpenTerminal(QString *error);
    void CloseTerminal();
    bool UpdateLink(QString *error);
    bool FaultOn(FaultKind kind, int block = -3) const;
    void Queue(const QByteArray &bytes);
    void Process(uint8_t b);
    void MatchHandshake(uint8_t b);
    void RestartHandshake();
    void BeginSession();
    void EndSession(bool withEndByte);
    void AckBlock(int block);
    void HangUp();
    void WriteDue(Clock::time_point now);
    void ReadAvailable(Clock::time_point now);
};

bool RadioSim::ParseFault(const QString &text, Fault *fault, QString *error)
{
    const int at = text.indexOf(u'@');
    const QString name = at < 0 ? text : text.left(at);
    for (const FaultName &f : faultNames) {
        if (name != QLatin1String(f.name))
            continue;
        Fault parsed{f.kind, f.defaultBlock};
        if (at >= 0) {
            bool ok = false;
            const int block = text.mid(at + 1).toInt(&ok, 10);
            if (!f.takesBlock || !ok || block < 0 || block > 45) {
                if (error)
                    *error = f.takesBlock
                                 ? QStringLiteral("%1: the block must be a number from 0 to 45").arg(text)
                                 : QStringLiteral("%1: this fault takes no block").arg(text);
                return false;
            }
            parsed.block = block;
        }
        *fault = parsed;
        return true;
    }
    if (error)
        *error = QStringLiteral("%1: no such fault").arg(text);
    return false;
}

QString RadioSim::FaultHelp()
{
    QString out;
    for (const FaultName &f : faultNames) {
        const QString name = QLatin1String(f.name) + (f.takesBlock ? QStringLiteral("[@N]") : QString());
        out += QStringLiteral("  %1  %2\n").arg(name.leftJustified(23), QLatin1String(f.help));
    }
    out += QStringLiteral(
        "N counts the blocks from 0 (radio address 8 x N, up to 45); it is 0 when not given.\n");
    return out;
}

RadioSim::RadioSim() : d(std::make_unique<Private>())
{
    d->q = this;
    if (::pipe(d->wake) == 0) {
        ::fcntl(d->wake[0], F_SETFL, O_NONBLOCK);
        ::fcntl(d->wake[1], F_SETFL, O_NONBLOCK);
    }
}

RadioSim::~RadioSim()
{
    Stop();
    d->CloseTerminal();
    if (!d->link.isEmpty()) {
        // Only our own link goes; another radio may have taken the name since.
        if (QFile::symLinkTarget(d->link) == d->path || d->path.isEmpty())
            QFile::remove(d->link);
    }
    for (int fd : d->wake)
        if (fd >= 0)
            ::close(fd);
}

void RadioSim::SetMemory(const QByteArray &memory)
{
    std::lock_guard lock(d->mutex);
    d->memory = memory.left(MemorySize);
    if (d->memory.size() < MemorySize)
        d->memory.append(QByteArray(MemorySize - d->memory.size(), char(0xFF)));
}

QByteArray RadioSim::Memory() const
{
    std::lock_guard lock(d->mutex);
    return d->memory;
}

void RadioSim::SetModelCode(const QByteArray &code)
{
    d->modelCode = code.left(4).leftJustified(4, ' ');
}

void RadioSim::SetBaud(int baud)
{
    using namespace std::chrono;
    d->byteTime =
        baud > 0 ? duration_cast<Clock::duration>(nanoseconds(11'000'000'000LL / baud)) : Clock::duration(0);
}

void RadioSim::AddFault(const Fault &fault)
{
    d->faults.append(fault);
}

void RadioSim::SetFaultSessions(int sessions)
{
    d->faultSessions = sessions;
}

bool RadioSim::Open(QString *error)
{
    return d->OpenTerminal(error);
}

QString RadioSim::TerminalPath() const
{
    return d->path;
}

bool RadioSim::SetLink(const QString &path, QString *error)
{
    d->link = path;
    return d->UpdateLink(error);
}

QByteArray RadioSim::Received() const
{
    std::lock_guard lock(d->mutex);
    return d->received;
}

void RadioSim::ClearReceived()
{
    std::lock_guard lock(d->mutex);
    d->received.clear();
}

int RadioSim::SessionsEnded() const
{
    std::lock_guard lock(d->mutex);
    return d->sessionsEnded;
}

int RadioSim::Hangups() const
{
    std::lock_guard lock(d->mutex);
    return d->hangups;
}

void RadioSim::Start()
{
    d->stopRequested = false;
    d->thread = std::thread([this] { Run(false, nullptr); });
}

void RadioSim::RequestStop()
{
    d->stopRequested = true;
    if (d->wake[1] >= 0) {
        const char b = 1;
        [[maybe_unused]] ssize_t n = ::write(d->wake[1], &b, 1);
    }
}

void RadioSim::Stop()
{
    RequestStop();
    if (d->thread.joinable())
        d->thread.join();
}

bool RadioSim::Run(bool once, QString *error)
{
    if (d->master < 0 && !d->reopenPending && !d->OpenTerminal(error))
        return false;
    d->lastActivity = Clock::now();
    while (!d->stopRequested) {
        Clock::time_point now = Clock::now();
        if (d->master < 0 && d->reopenPending && now >= d->reopenAt) {
            d->reopenPending = false;
            if (!d->OpenTerminal(error) || !d->UpdateLink(error))
                return false;
            if (OnNewTerminal)
                OnNewTerminal(d->path);
        }
        while (!d->rx.empty() && d->rx.front().due <= now) {
            const uint8_t b = d->rx.front().byte;
            d->rx.pop_front();
            d->Process(b);
        }
        d->WriteDue(now);
        if (d->state != Private::State::Idle && now - d->lastActivity > SessionSilence)
            d->EndSession(false);
        if (once && SessionsEnded() > 0 && d->tx.empty())
            break;

        // Sleep until the next byte is due, something arrives or a stop is asked for.
        Clock::time_point next = now + std::chrono::seconds(1);
        if (!d->rx.empty())
            next = std::min(next, d->rx.front().due);
        if (!d->tx.empty())
            next = std::min(next, d->tx.front().due);
        if (d->reopenPending)
            next = std::min(next, d->reopenAt);
        const auto wait = std::max(Clock::duration(0), next - now);
        const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(wait).count();
        timespec timeout{time_t(ns / 1'000'000'000), long(ns % 1'000'000'000)};
        // pselect rather than poll: it sleeps to the nanosecond, and every Unix has it.
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(d->wake[0], &readable);
        int highest = d->wake[0];
        if (d->master >= 0) {
            FD_SET(d->master, &readable);
            highest = std::max(highest, d->master);
        }
        if (::pselect(highest + 1, &readable, nullptr, nullptr, &timeout, nullptr) < 0) {
            if (errno == EINTR)
                continue;
            if (error)
                *error = QString::fromLocal8Bit(std::strerror(errno));
            return false;
        }
        if (FD_ISSET(d->wake[0], &readable)) {
            char buf[64];
            while (::read(d->wake[0], buf, sizeof buf) > 0) {
            }
        }
        if (d->master >= 0 && FD_ISSET(d->master, &readable))
            d->ReadAvailable(Clock::now());
    }
    return true;
}

bool RadioSim::Private::OpenTerminal(QString *error)
{
    const auto fail = [&](const char *what) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(QLatin1String(what),
                                                  QString::fromLocal8Bit(std::strerror(errno)));
        CloseTerminal();
        return false;
    };
    master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0)
        return fail("Cannot create a pseudo-terminal");
    if (::grantpt(master) != 0 || ::unlockpt(master) != 0)
        return fail("Cannot unlock the pseudo-terminal");
    const char *name = ::ptsname(master);
    if (!name)
        return fail("Cannot name the pseudo-terminal");
    path = QString::fromLocal8Bit(name);
    slave = ::open(name, O_RDWR | O_NOCTTY);
    if (slave < 0)
        return fail("Cannot open the pseudo-terminal");
    // A raw line: no echo, no line editing, no translation of bytes.
    termios tio{};
    if (::tcgetattr(slave, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::tcsetattr(slave, TCSANOW, &tio);
    }
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
    rx.clear();
    tx.clear();
    rxLast = txLast = Clock::now();
    return true;
}

void RadioSim::Private::CloseTerminal()
{
    if (master >= 0)
        ::close(master);
    if (slave >= 0)
        ::close(slave);
    master = slave = -1;
}

bool RadioSim::Private::UpdateLink(QString *error)
{
    if (link.isEmpty())
        return true;
    // Replace the link in one step, so the program never finds it missing.
    const QByteArray target = path.toLocal8Bit();
    const QByteArray name = QFile::encodeName(link);
    const QByteArray temp = name + ".new";
    ::unlink(temp.constData());
    if (::symlink(target.constData(), temp.constData()) != 0 ||
        ::rename(temp.constData(), name.constData()) != 0) {
        if (error)
            *error = QStringLiteral("Cannot link %1 to %2: %3")
                         .arg(link, path, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    return true;
}

bool RadioSim::Private::FaultOn(FaultKind kind, int block) const
{
    if (faultSessions >= 0 && sessionIndex > faultSessions)
        return false;
    for (const Fault &f : faults)
        if (f.kind == kind && (block == -3 || f.block == block))
            return true;
    return false;
}

void RadioSim::Private::Queue(const QByteArray &bytes)
{
    const Clock::time_point now = Clock::now();
    const bool split = FaultOn(FaultKind::Split);
    int piece = 0;
    int pieceSize = 1;
    for (int i = 0; i < bytes.size(); ++i) {
        Clock::time_point start = std::max(now, txLast);
        if (split && i > 0 && piece == pieceSize) {
            start += SplitGap;
            piece = 0;
            pieceSize = std::min(pieceSize + 1, 3);
        }
        ++piece;
        txLast = start + byteTime;
        tx.push_back({uint8_t(bytes[i]), txLast});
    }
}

void RadioSim::Private::WriteDue(Clock::time_point now)
{
    if (master < 0 || tx.empty())
        return;
    QByteArray out;
    for (const Timed &t : tx) {
        if (t.due > now)
            break;
        out.append(char(t.byte));
    }
    if (out.isEmpty())
        return;
    const ssize_t n = ::write(master, out.constData(), size_t(out.size()));
    for (ssize_t i = 0; i < n; ++i)
        tx.pop_front();
}

void RadioSim::Private::ReadAvailable(Clock::time_point now)
{
    char buf[4096];
    const ssize_t n = ::read(master, buf, sizeof buf);
    if (n <= 0) {
        // Nothing there although the terminal woke us: do not spin on it.
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return;
    }
    for (ssize_t i = 0; i < n; ++i) {
        rxLast = std::max(now, rxLast) + byteTime;
        rx.push_back({uint8_t(buf[i]), rxLast});
    }
}

void RadioSim::Private::Process(uint8_t b)
{
    {
        std::lock_guard lock(mutex);
        received.append(char(b));
    }
    lastActivity = Clock::now();
    switch (state) {
    case State::Idle:
        MatchHandshake(b);
        return;
    case State::WaitIdent:
        if (b == Identify) {
            state = State::WaitStart;
            if (FaultOn(FaultKind::NoIdent))
                return;
            QByteArray reply(16, '\0');
            reply[0] = char(Identify);
            const QByteArray code = FaultOn(FaultKind::UnknownModel) ? QByteArray("0000") : modelCode;
            reply.replace(1, 4, code);
            Queue(reply);
        } else if (b == uint8_t(Handshake[0])) {
            RestartHandshake();
        }
        return;
    case State::WaitStart:
        if (b == Ack) {
            state = State::Transfer;
            AckBlock(-1);
        } else if (b == uint8_t(Handshake[0])) {
            RestartHandshake();
        }
        return;
    case State::Transfer:
        break;
    }

    if (frame.isEmpty()) {
        if (b == ReadCommand || b == WriteCommand) {
            frame.append(char(b));
        } else if (b == Ack && pendingReadAck > -2) {
            const int block = pendingReadAck;
            pendingReadAck = -2;
            AckBlock(block);
        } else if (b == EndByte) {
            EndSession(true);
        } else if (b == uint8_t(Handshake[0])) {
            RestartHandshake();
        }
        return;
    }
    frame.append(char(b));
    const uint8_t command = uint8_t(frame[0]);
    if (command == ReadCommand && frame.size() == 4) {
        const int address = (uint8_t(frame[1]) << 8) | uint8_t(frame[2]);
        const int block = address / 8;
        frame.clear();
        if (FaultOn(FaultKind::Hangup, block)) {
            HangUp();
            return;
        }
        pendingReadAck = block;
        if (FaultOn(FaultKind::Garbage, block)) {
            QByteArray noise;
            for (int i = 0; i < GarbageLength; ++i)
                noise.append(char((i * 37 + 11) & 0xFF));
            Queue(noise);
            return;
        }
        QByteArray reply;
        reply.append(char(WriteCommand));
        reply.append(char(address >> 8));
        reply.append(char(address & 0xFF));
        reply.append(char(8));
        {
            std::lock_guard lock(mutex);
            for (int i = 0; i < 8; ++i)
                reply.append(address + i < MemorySize ? memory[address + i] : char(0xFF));
        }
        Queue(reply);
    } else if (command == WriteCommand && frame.size() == 12) {
        const int address = (uint8_t(frame[1]) << 8) | uint8_t(frame[2]);
        const int block = address / 8;
        const QByteArray data = frame.mid(4, 8);
        frame.clear();
        if (FaultOn(FaultKind::Hangup, block)) {
            HangUp();
            return;
        }
        {
            std::lock_guard lock(mutex);
            for (int i = 0; i < 8 && address + i < MemorySize; ++i)
                memory[address + i] = data[i];
        }
        wrote = true;
        AckBlock(block);
    }
}

void RadioSim::Private::MatchHandshake(uint8_t b)
{
    if (b == uint8_t(Handshake[handshakePos])) {
        if (++handshakePos < HandshakeLength)
            return;
        handshakePos = 0;
        BeginSession();
        state = State::WaitIdent;
        if (FaultOn(FaultKind::NoHandshakeAck))
            return;
        if (FaultOn(FaultKind::StrayHandshakeAck))
            Queue(QByteArray(1, char(StrayByte)));
        Queue(QByteArray(1, char(Ack)));
        return;
    }
    handshakePos = b == uint8_t(Handshake[0]) ? 1 : 0;
}

void RadioSim::Private::RestartHandshake()
{
    EndSession(false);
    handshakePos = 1;
}

void RadioSim::Private::BeginSession()
{
    ++sessionIndex;
    wrote = false;
    frame.clear();
    pendingReadAck = -2;
}

void RadioSim::Private::EndSession(bool withEndByte)
{
    state = State::Idle;
    handshakePos = 0;
    frame.clear();
    pendingReadAck = -2;
    const bool saved = withEndByte && wrote;
    wrote = false;
    QByteArray copy;
    {
        std::lock_guard lock(mutex);
        ++sessionsEnded;
        copy = memory;
    }
    if (saved && q->OnWritten)
        q->OnWritten(copy);
}

void RadioSim::Private::AckBlock(int block)
{
    if (FaultOn(FaultKind::NoAck, block))
        return;
    if (FaultOn(FaultKind::StrayAck, block))
        Queue(QByteArray(1, char(StrayByte)));
    Queue(QByteArray(1, char(Ack)));
}

void RadioSim::Private::HangUp()
{
    CloseTerminal();
    rx.clear();
    tx.clear();
    {
        std::lock_guard lock(mutex);
        ++hangups;
    }
    EndSession(false);
    // The cable goes back in a moment later, on a new terminal.
    reopenPending = true;
    reopenAt = Clock::now() + ReplugDelay;
}
