#pragma once

#include <QList>
#include <QSerialPort>
#include <QString>
#include <QStringList>

#include <functional>

// A serial port that is present, as the port dialog and the command-line tool show it.
struct TPortInfo
{
    QString Port;        // the port text a session opens: "COM3", "ttyUSB0"
    QString Description; // what the system says the device is, for instance a USB adapter's product name
};

// The serial ports present that can be opened now, in ascending order. A port held open
// by another program is left out. On Windows the names are "COM" and the number;
// elsewhere the device names as the system lists them ("ttyUSB0").
QList<TPortInfo> FindPorts();

// Appends the names of the ports that FindPorts finds to the list; does nothing when
// given no list.
void ListPorts(QStringList *list);

// Replaces the search for ports (tests); nullptr restores the real one.
void SetPortFinder(std::function<QList<TPortInfo>()> finder);

// The device that a port text names, in the form QSerialPort takes; empty when the text
// names none. On Windows the text is "COM" and a number from its fourth character on, in
// any case ("Com1", "COM12"). Elsewhere it is a device name ("ttyUSB0") or a full path
// ("/dev/ttyUSB0", "/dev/pts/3").
QString PortSystemName(const QString &comPort);

// The port number in characters 4 to 6 of a port text ("COM12" gives 12); 0 when they
// hold no number.
int PortNumber(const QString &comPort);

// The operating system's reason why a port could not be opened, for the line under
// "Cannot Open Commcmication Port.". A permission problem says how to fix it.
QString OpenFailureReason(const QString &device, QSerialPort::SerialPortError error,
                          const QString &systemText);
