#pragma once

#include "link/LinkPort.h"

#include <QObject>
#include <QTimer>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

// Bytes on the wire.
namespace LinkByte {
constexpr uint8_t Ack = 0x06;
constexpr uint8_t Identify = 0x02;
constexpr uint8_t Read = 0x52;
constexpr uint8_t Write = 0x57;
constexpr uint8_t End = 0x45;
constexpr uint8_t BlockLength = 0x08;
} // namespace LinkByte
inline constexpr char LinkHandshake[] = "PROGRAM";

// The blocking pauses of a session. Tests install their own to record them and keep
// their runs short; nullptr restores the real sleep.
void Pause(int ms);
void SetPauseFunction(std::function<void(int ms)> pause);

// What the read and write sessions share: the serial port, the receive assembly, the
// drain wait, the handshake and identification, the timers and the error latch. A
// session is the working part of a link dialog; the dialog (or the command-line tool)
// shows its progress, enables its Ok button and closes when asked.
//
// The program always speaks first and the radio only answers: a send, then a wait for a
// reply of known length, bounded by a timer. A missing or wrong reply ends the session
// with one message.
class TLinkSession : public QObject
{
    Q_OBJECT

public:
    static constexpr int ProgressMax = 44;
    static constexpr int RxBufSize = 51;
    static constexpr int RxStoreLimit = 48; // the last index a received byte is stored at

    ~TLinkSession() override;

    // 0 idle, 1 handshake, 2 identification, 3 transfer.
    int Step = 0;
    // Length of the awaited reply; the reply handler runs once this many bytes are in.
    int WantLen = 0;
    // Bytes stored in RxBuf since the last send.
    int RxLen = 0;
    // Received bytes. Not cleared between replies; only RxLen is reset.
    std::array<uint8_t, RxBufSize> RxBuf{};
    // The error latch: the first failure message of a session sets it, and every later
    // failure path stays quiet.
    bool ErrorShown = false;
    // Radio address of the block in transfer.
    int BlockAddr = 0;

    // Waits for the handshake acknowledge and for the identification reply.
    QTimer HeadTime;
    // Waits for each reply during the transfer.
    QTimer TryTime;
    // Closes the dialog after a failure or a completed read.
    QTimer CloseTime;

    // Configures and opens the port; on failure shows "Cannot Open Commcmication Port."
    // with the system's reason under the error latch and returns false.
    bool OpenPort();
    // Sends "PROGRAM", one byte at a time.
    bool SendHandshake();
    // Sends an acknowledge and waits for the radio's.
    void SendAck();
    // Waits until the bytes written have left the port, within a bound of pauses.
    void WaitSent();
    // Acts on a complete reply, by Step.
    virtual void HandleReply();

    // Stops every timer and closes the port: the dialog is closing. No end byte is sent.
    virtual void Close();

    TLinkPort *Port() const { return m_port.get(); }
    int Progress() const { return m_progress; }
    bool OkEnabled() const { return m_okEnabled; }
    // The port text the session opens; the session state's ComPort unless set.
    QString ComPort() const;
    void SetComPort(const QString &comPort) { m_comPort = comPort; }

Q_SIGNALS:
    void ProgressChanged(int position);
    void OkEnabledChanged(bool enabled);
    // The dialog should close now.
    void CloseRequested();
    // A session came to an end: completed, or a failure was reported (or the user
    // declined to go on). The command-line tool waits for this.
    void SessionEnded(bool completed);

protected:
    TLinkSession(std::unique_ptr<TLinkPort> port, int drainBound, int drainPauseMs, QObject *parent);

    bool Send(const QByteArray &bytes);
    bool Send(std::initializer_list<uint8_t> bytes);
    void SetProgress(int position);
    void SetOkEnabled(bool enabled);
    // Shows a failure message unless one was shown in this session already. Returns
    // whether it was shown.
    bool ShowFailure(const QString &text);
    // "Cannot Open Commcmication Port." with the reason on its own line.
    QString PortErrorText(const QString &reason) const;
    // The model code in an identification reply (bytes 1 to 4).
    QString ReplyModelCode() const;

    virtual void HeadTimeExpired();
    virtual void TryTimeExpired() = 0;
    virtual void LineError() = 0;
    // The read dialog closes the port and discards stale input before opening.
    virtual bool ClearsOnOpen() const { return false; }

    bool m_closed = false;

private:
    void DataAvailable();

    std::unique_ptr<TLinkPort> m_port;
    int m_drainBound;
    int m_drainPauseMs;
    int m_progress = 0;
    bool m_okEnabled = true;
    QString m_comPort;
};
