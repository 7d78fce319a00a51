#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <memory>

// The serial port as the read and write sessions see it. The program uses the real
// serial port; tests put an in-memory port in its place for what a pseudo-terminal
// cannot show.
class TLinkPort : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Opens the device named by the port text with the radio's line settings: 2400 baud,
    // 8 data bits, no parity, 2 stop bits, no flow control, DTR and RTS on where the
    // device has modem lines. On failure reason says why, in the operating system's words.
    virtual bool Open(const QString &comPort, QString *reason) = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    // Hands the bytes to the driver at once. False when the port cannot take them.
    virtual bool Write(const QByteArray &bytes) = 0;
    // Everything received so far.
    virtual QByteArray ReadAll() = 0;
    // Bytes written that have not yet left: our own buffer and the driver's queue.
    virtual int OutputCount() = 0;
    // Discards pending input and output. False when the port is not usable.
    virtual bool Clear() = 0;
    // The last failure, in the operating system's words.
    virtual QString ErrorText() const = 0;

Q_SIGNALS:
    // Received bytes are waiting. Delivered through the event loop.
    void DataAvailable();
    // The line failed (read or write error, device gone). The port is closed by then.
    void LineError();
};

// The real serial port.
std::unique_ptr<TLinkPort> CreateSerialPort();
