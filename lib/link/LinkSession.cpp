#include "LinkSession.h"

#include "app/All.h"
#include "lang/Language.h"

#include <QThread>

namespace {

std::function<void(int)> &pauseFunction()
{
    static std::function<void(int)> pause;
    return pause;
}

} // namespace

void Pause(int ms)
{
    if (pauseFunction())
        pauseFunction()(ms);
    else
        QThread::msleep(ulong(ms));
}

void SetPauseFunction(std::function<void(int ms)> pause)
{
    pauseFunction() = std::move(pause);
}

TLinkSession::TLinkSession(std::unique_ptr<TLinkPort> port, int drainBound, int drainPauseMs, QObject *parent)
    : QObject(parent), m_port(port ? std::move(port) : CreateSerialPort()), m_drainBound(drainBound),
      m_drainPauseMs(drainPauseMs)
{
    m_port->setParent(nullptr);
    const auto setUp = [](QTimer &timer, int ms) {
        timer.setInterval(ms);
        timer.setSingleShot(true);
        timer.setTimerType(Qt::PreciseTimer);
    };
    setUp(HeadTime, 500);
    setUp(TryTime, 450);
    setUp(CloseTime, 300);
    connect(&HeadTime, &QTimer::timeout, this, [this] {
        HeadTime.stop();
        if (!m_closed)
            HeadTimeExpired();
    });
    connect(&TryTime, &QTimer::timeout, this, [this] {
        TryTime.stop();
        if (!m_closed)
            TryTimeExpired();
    });
    connect(&CloseTime, &QTimer::timeout, this, [this] {
        CloseTime.stop();
        if (!m_closed)
            Q_EMIT CloseRequested();
    });
    connect(m_port.get(), &TLinkPort::DataAvailable, this, &TLinkSession::DataAvailable);
    connect(m_port.get(), &TLinkPort::LineError, this, [this] {
        if (!m_closed)
            LineError();
    });
}

TLinkSession::~TLinkSession()
{
    HeadTime.stop();
    TryTime.stop();
    CloseTime.stop();
    m_port->Close();
}

QString TLinkSession::ComPort() const
{
    return m_comPort.isEmpty() ? myAll->ComPort : m_comPort;
}

bool TLinkSession::OpenPort()
{
    m_closed = false;
    if (ClearsOnOpen())
        m_port->Close();
    Pause(50);
    Step = 0;
    QString reason;
    bool opened = m_port->Open(ComPort(), &reason);
    if (opened && ClearsOnOpen() && !m_port->Clear()) {
        reason = m_port->ErrorText();
        m_port->Close();
        opened = false;
    }
    if (!opened)
        ShowFailure(PortErrorText(reason));
    return opened;
}

bool TLinkSession::SendHandshake()
{
    Step = 1;
    WantLen = 1;
    RxLen = 0;
    for (int i = 0; i < 7; ++i) {
        if (!Send({uint8_t(LinkHandshake[i])}))
            return false;
        if (i < 6)
            Pause(2);
    }
    return true;
}

void TLinkSession::SendAck()
{
    WantLen = 1;
    RxLen = 0;
    Send({LinkByte::Ack});
    WaitSent();
    TryTime.start();
}

void TLinkSession::WaitSent()
{
    int pauses = 0;
    while (m_port->OutputCount() != 0 && pauses <= m_drainBound) {
        Pause(m_drainPauseMs);
        ++pauses;
    }
}

void TLinkSession::HandleReply()
{
    if (Step != 1)
        return;
    // A radio may send one stray byte ahead of its acknowledge.
    if (RxBuf[0] != LinkByte::Ack && RxBuf[1] != LinkByte::Ack)
        return;
    HeadTime.stop();
    Step = 2;
    WantLen = 16;
    RxLen = 0;
    Pause(5);
    Send({LinkByte::Identify});
    WaitSent();
    HeadTime.start();
}

void TLinkSession::Close()
{
    m_closed = true;
    HeadTime.stop();
    TryTime.stop();
    CloseTime.stop();
    m_port->Close();
}

bool TLinkSession::Send(const QByteArray &bytes)
{
    return m_port->Write(bytes);
}

bool TLinkSession::Send(std::initializer_list<uint8_t> bytes)
{
    QByteArray frame;
    for (uint8_t b : bytes)
        frame.append(char(b));
    return Send(frame);
}

void TLinkSession::SetProgress(int position)
{
    position = qBound(0, position, ProgressMax);
    if (position == m_progress)
        return;
    m_progress = position;
    Q_EMIT ProgressChanged(position);
}

void TLinkSession::SetOkEnabled(bool enabled)
{
    if (enabled == m_okEnabled)
        return;
    m_okEnabled = enabled;
    Q_EMIT OkEnabledChanged(enabled);
}

bool TLinkSession::ShowFailure(const QString &text)
{
    if (ErrorShown)
        return false;
    ErrorShown = true;
    MsgBox(myLanguage->Confirmation, text, MsgInformation);
    Q_EMIT SessionEnded(false);
    return true;
}

QString TLinkSession::PortErrorText(const QString &reason) const
{
    if (reason.isEmpty())
        return myLanguage->LPortError;
    return myLanguage->LPortError + u'\n' + reason;
}

QString TLinkSession::ReplyModelCode() const
{
    // The first eight bytes as characters, one per byte; the code is characters 2 to 5.
    const QString text = QString::fromLatin1(reinterpret_cast<const char *>(RxBuf.data()), 8);
    return text.mid(1, 4);
}

void TLinkSession::HeadTimeExpired()
{
    Step = 0;
    if (ErrorShown)
        return;
    Pause(2500);
    if (ShowFailure(myLanguage->ComError))
        CloseTime.start();
}

void TLinkSession::DataAvailable()
{
    if (m_closed)
        return;
    const QByteArray data = m_port->ReadAll();
    if (data.isEmpty())
        return;
    // At most 49 bytes are kept since the last send; the rest is dropped, and a reply
    // handler that waits for them is not run again until the next send.
    for (char c : data) {
        if (RxLen <= RxStoreLimit)
            RxBuf[size_t(RxLen++)] = uint8_t(c);
    }
    if (RxLen >= WantLen && RxLen <= RxStoreLimit)
        HandleReply();
}
