#include "LinkPort.h"

#include "link/Ports.h"

#include <QSerialPort>

#include <utility>

#if defined(Q_OS_WIN)
#include <windows.h>
#elif defined(Q_OS_UNIX)
#include <sys/ioctl.h>
#include <termios.h>
#endif

namespace {

// Bytes the driver still holds for sending. QSerialPort only knows its own buffer, and a
// USB adapter's driver can hold a whole frame after QSerialPort has handed it over.
int DriverOutputQueue(decltype(std::declval<QSerialPort>().handle()) handle)
{
#if defined(Q_OS_WIN)
    COMSTAT status{};
    DWORD errors = 0;
    if (ClearCommError(handle, &errors, &status))
        return int(status.cbOutQue);
    return 0;
#elif defined(TIOCOUTQ)
    int queued = 0;
    if (::ioctl(handle, TIOCOUTQ, &queued) == 0)
        return queued;
    return 0;
#else
    Q_UNUSED(handle);
    return 0;
#endif
}

bool IsLineError(QSerialPort::SerialPortError error)
{
    return error == QSerialPort::ReadError || error == QSerialPort::WriteError ||
           error == QSerialPort::ResourceError;
}

class TSerialLinkPort : public TLinkPort
{
public:
    TSerialLinkPort()
    {
        // Both are delivered through the event loop, so a session never runs inside
        // QSerialPort's own signal emission and may show a message box from there.
        connect(&m_port, &QSerialPort::readyRead, this, &TLinkPort::DataAvailable, Qt::QueuedConnection);
        connect(&m_port, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError error) {
            if (!IsLineError(error) || !m_port.isOpen())
                return;
            // A port whose device is gone reports the same error again and again until
            // it is closed.
            m_lastError = m_port.errorString();
            m_port.close();
            const int generation = m_generation;
            QMetaObject::invokeMethod(
                this,
                [this, generation] {
                    if (generation == m_generation)
                        Q_EMIT LineError();
                },
                Qt::QueuedConnection);
        });
    }

    bool Open(const QString &comPort, QString *reason) override
    {
        ++m_generation;
        if (m_port.isOpen())
            m_port.close();
        const QString device = PortSystemName(comPort);
        if (device.isEmpty()) {
            m_lastError = QStringLiteral("\"%1\" does not name a serial port.").arg(comPort);
            if (reason)
                *reason = m_lastError;
            return false;
        }
        m_port.setPortName(device);
        m_port.setBaudRate(2400);
        m_port.setDataBits(QSerialPort::Data8);
        m_port.setParity(QSerialPort::NoParity);
        m_port.setStopBits(QSerialPort::TwoStop);
        m_port.setFlowControl(QSerialPort::NoFlowControl);
        if (!m_port.open(QIODevice::ReadWrite)) {
            m_lastError = OpenFailureReason(m_port.portName(), m_port.error(), m_port.errorString());
            if (reason)
                *reason = m_lastError;
            return false;
        }
        // A pseudo-terminal or a three-wire adapter has no modem lines; the radio's
        // cable does not need them there.
        m_port.setDataTerminalReady(true);
        m_port.setRequestToSend(true);
        m_port.clearError();
        return true;
    }

    void Close() override
    {
        ++m_generation;
        if (m_port.isOpen())
            m_port.close();
    }

    bool IsOpen() const override { return m_port.isOpen(); }

    bool Write(const QByteArray &bytes) override
    {
        if (!m_port.isOpen()) {
            m_lastError = QStringLiteral("The port is not open.");
            return false;
        }
        if (m_port.write(bytes) != bytes.size()) {
            m_lastError = m_port.errorString();
            return false;
        }
        // QSerialPort would otherwise hold the bytes until the event loop runs again.
        m_port.flush();
        return true;
    }

    QByteArray ReadAll() override { return m_port.isOpen() ? m_port.readAll() : QByteArray(); }

    int OutputCount() override
    {
        if (!m_port.isOpen())
            return 0;
        m_port.flush();
        return int(m_port.bytesToWrite()) + DriverOutputQueue(m_port.handle());
    }

    bool Clear() override
    {
        if (!m_port.isOpen()) {
            m_lastError = QStringLiteral("The port is not open.");
            return false;
        }
        if (!m_port.clear(QSerialPort::AllDirections)) {
            m_lastError = m_port.errorString();
            return false;
        }
        return true;
    }

    QString ErrorText() const override { return m_lastError; }

private:
    QSerialPort m_port;
    QString m_lastError;
    int m_generation = 0;
};

} // namespace

std::unique_ptr<TLinkPort> CreateSerialPort()
{
    return std::make_unique<TSerialLinkPort>();
}
