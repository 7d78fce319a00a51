// Port names, the port list, opening failures and their reasons, and backups.

#include "LinkTestSupport.h"

#include "file/DataFile.h"
#include "link/Ports.h"
#include "link/ReadSession.h"
#include "link/WriteSession.h"

#include <QDir>
#include <QFile>

class TestLinkPorts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void portNumber_data();
    void portNumber();
    void listPorts();
    void portCannotOpen_data();
    void portCannotOpen();
    void permissionReason();
    void backupsAreKeptAYear();
};

void TestLinkPorts::portNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("number");
    QTest::newRow("COM1") << QStringLiteral("COM1") << 1;
    QTest::newRow("case does not matter") << QStringLiteral("Com12") << 12;
    QTest::newRow("three digits") << QStringLiteral("COM256") << 256;
    QTest::newRow("no number") << QStringLiteral("COM") << 0;
    QTest::newRow("letters") << QStringLiteral("COMx") << 0;
    QTest::newRow("device name") << QStringLiteral("ttyUSB0") << 0;
}

void TestLinkPorts::portNumber()
{
    QFETCH(QString, text);
    QFETCH(int, number);
    QCOMPARE(PortNumber(text), number);
#if defined(Q_OS_WIN)
    QCOMPARE(PortSystemName(text), number > 0 ? QStringLiteral("COM%1").arg(number) : QString());
#endif
}

void TestLinkPorts::listPorts()
{
    SetPortFinder([] {
        return QList<TPortInfo>{{QStringLiteral("ttyUSB0"), QStringLiteral("USB Serial")},
                                {QStringLiteral("ttyUSB1"), QString()}};
    });
    QStringList list{QStringLiteral("kept")};
    ListPorts(&list);
    QCOMPARE(list,
             (QStringList{QStringLiteral("kept"), QStringLiteral("ttyUSB0"), QStringLiteral("ttyUSB1")}));
    ListPorts(nullptr);
    SetPortFinder(nullptr);
}

void TestLinkPorts::portCannotOpen_data()
{
    QTest::addColumn<bool>("write");
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("reason");
#if defined(Q_OS_WIN)
    const QString absent = QStringLiteral("COM199");
#else
    const QString absent = QStringLiteral("/nonexistent/ttyX");
#endif
    QTest::newRow("read, absent device") << false << absent << absent + QStringLiteral(": ");
    QTest::newRow("write, absent device") << true << absent << absent + QStringLiteral(": ");
    QTest::newRow("no port at all") << false << QString() << QStringLiteral("does not name a serial port");
}

void TestLinkPorts::portCannotOpen()
{
    QFETCH(bool, write);
    QFETCH(QString, port);
    QFETCH(QString, reason);
    LinkScratch scratch;
    myAll->ComPort = port;
    std::unique_ptr<TLinkSession> session;
    bool opened = true;
    if (write) {
        auto s = std::make_unique<TWriteSession>();
        opened = s->Show();
        session = std::move(s);
    } else {
        auto s = std::make_unique<TReadSession>();
        opened = s->Show();
        session = std::move(s);
    }
    QSignalSpy closes(session.get(), &TLinkSession::CloseRequested);
    QVERIFY(!opened);
    QCOMPARE(scratch.messages.messages.size(), 1);
    const QStringList lines = scratch.messages.messages.first().text.split(u'\n');
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines.first(), QStringLiteral("Cannot Open Commcmication Port."));
    QVERIFY2(lines.last().contains(reason), qPrintable(lines.last()));
    QCOMPARE(scratch.messages.messages.first().caption, QStringLiteral("Confirmation"));
    QTRY_COMPARE_WITH_TIMEOUT(closes.count(), 1, 1000);
}

void TestLinkPorts::permissionReason()
{
    const QString text = OpenFailureReason(QStringLiteral("ttyUSB0"), QSerialPort::PermissionError,
                                           QStringLiteral("Permission denied"));
#if defined(Q_OS_WIN)
    QVERIFY(text.contains(QStringLiteral("another program")));
#else
    QVERIFY2(text.startsWith(QStringLiteral("/dev/ttyUSB0: Permission denied.")), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("dialout")));
    QVERIFY(text.contains(QStringLiteral("log in again")));
    // Other reasons are passed on as they are.
    QCOMPARE(OpenFailureReason(QStringLiteral("/dev/pts/9"), QSerialPort::DeviceNotFoundError,
                               QStringLiteral("No such file or directory")),
             QStringLiteral("/dev/pts/9: No such file or directory."));
#endif
}

void TestLinkPorts::backupsAreKeptAYear()
{
    LinkScratch scratch;
    const QDir dir(BackupFolder());
    QVERIFY(dir.mkpath(QStringLiteral(".")));
    const QStringList old{QStringLiteral("read-20230518-134508.dat"),
                          QStringLiteral("write-20220101-000000-3.dat")};
    const QStringList kept{QStringLiteral("read-20230518-134510.dat"), QStringLiteral("notes.txt"),
                           QStringLiteral("read-latest.dat")};
    for (const QString &name : old + kept) {
        QFile f(dir.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }

    // Two backups in the same second get distinct names.
    const QString first = SaveBackup(QStringLiteral("read"));
    const QString second = SaveBackup(QStringLiteral("read"));
    QCOMPARE(QFileInfo(first).fileName(), QStringLiteral("read-20240517-134509.dat"));
    QCOMPARE(QFileInfo(second).fileName(), QStringLiteral("read-20240517-134509-2.dat"));
    QFile f(first);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), BuildDataFile());

    QStringList expected = kept + QStringList{QFileInfo(first).fileName(), QFileInfo(second).fileName()};
    expected.sort();
    QCOMPARE(dir.entryList(QDir::Files, QDir::Name), expected);

    // A folder that cannot be made is reported, not thrown.
    QFile blocker(scratch.session.path(QStringLiteral("blocker")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    SetBackupFolder(blocker.fileName() + QStringLiteral("/backups"));
    QString error;
    QCOMPARE(SaveBackup(QStringLiteral("write"), &error), QString());
    QVERIFY(!error.isEmpty());
}

QTEST_GUILESS_MAIN(TestLinkPorts)
#include "tst_linkports.moc"
