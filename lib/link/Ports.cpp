#include "Ports.h"

#include <QFileInfo>
#include <QSerialPortInfo>

#include <algorithm>

namespace {

std::function<QList<TPortInfo>()> &portFinder()
{
    static std::function<QList<TPortInfo>()> finder;
    return finder;
}

// Orders "ttyS2" before "ttyS10" and "COM3" before "COM12".
bool NaturalLess(const QString &a, const QString &b)
{
    int i = 0;
    int j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            int ei = i;
            int ej = j;
            while (ei < a.size() && a[ei].isDigit())
                ++ei;
            while (ej < b.size() && b[ej].isDigit())
                ++ej;
            const qulonglong na = a.mid(i, ei - i).toULongLong();
            const qulonglong nb = b.mid(j, ej - j).toULongLong();
            if (na != nb)
                return na < nb;
            i = ei;
            j = ej;
            continue;
        }
        if (a[i] != b[j])
            return a[i] < b[j];
        ++i;
        ++j;
    }
    return a.size() - i < b.size() - j;
}

QString DevicePath(const QString &device)
{
#if defined(Q_OS_WIN)
    return device;
#else
    return device.startsWith(u'/') ? device : QStringLiteral("/dev/") + device;
#endif
}

QList<TPortInfo> SystemPorts()
{
    QList<TPortInfo> ports;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
        QString name = info.portName();
#if defined(Q_OS_WIN)
        if (!name.startsWith(QStringLiteral("COM"), Qt::CaseInsensitive))
            continue;
        const int number = PortNumber(name);
        if (number < 1 || number > 256)
            continue;
        name = QStringLiteral("COM%1").arg(number);
#endif
        // Only a port that can be opened now is of use; one held by another program is not.
        QSerialPort probe(info);
        if (!probe.open(QIODevice::ReadWrite))
            continue;
        probe.close();
        QString description = info.description();
        if (description.isEmpty())
            description = info.manufacturer();
        ports.append({name, description});
    }
    std::sort(ports.begin(), ports.end(),
              [](const TPortInfo &a, const TPortInfo &b) { return NaturalLess(a.Port, b.Port); });
    return ports;
}

} // namespace

QList<TPortInfo> FindPorts()
{
    return portFinder() ? portFinder()() : SystemPorts();
}

void ListPorts(QStringList *list)
{
    if (!list)
        return;
    for (const TPortInfo &p : FindPorts())
        list->append(p.Port);
}

void SetPortFinder(std::function<QList<TPortInfo>()> finder)
{
    portFinder() = std::move(finder);
}

QString PortSystemName(const QString &comPort)
{
#if defined(Q_OS_WIN)
    bool ok = false;
    const int number = comPort.mid(3).toInt(&ok, 10);
    if (comPort.size() <= 3 || !ok || number < 0)
        return QString();
    return QStringLiteral("COM%1").arg(number);
#else
    return comPort.trimmed();
#endif
}

int PortNumber(const QString &comPort)
{
    bool ok = false;
    const int number = comPort.mid(3, 3).toInt(&ok, 10);
    return ok ? number : 0;
}

QString OpenFailureReason(const QString &device, QSerialPort::SerialPortError error,
                          const QString &systemText)
{
    const QString path = DevicePath(device);
    QString reason = systemText.isEmpty() ? QStringLiteral("The port could not be opened.") : systemText;
    if (!reason.endsWith(u'.'))
        reason += u'.';
    if (error == QSerialPort::PermissionError) {
#if defined(Q_OS_WIN)
        return QStringLiteral("%1: %2 Another program may be using the port; close it and try again.")
            .arg(path, reason);
#else
        QString group = QFileInfo(path).group();
        if (group.isEmpty() || group == QStringLiteral("root"))
            group = QStringLiteral("dialout");
        return QStringLiteral("%1: %2 Join the group \"%3\" that owns the port (sudo usermod -aG %3 $USER), "
                              "then log in again.")
            .arg(path, reason, group);
#endif
    }
    return QStringLiteral("%1: %2").arg(path, reason);
}
