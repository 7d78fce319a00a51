// The link commands of tq6105-cli, driven through the binary against tq6105-sim at full
// speed, as a dealer's script would drive them.

#include "TestSupport.h"

#include "file/DataFile.h"
#include "functions/Settings.h"
#include "model/MacType.h"
#include "model/RadioImage.h"

#include "CliRunner.h"
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

namespace {

using Run = CliRun;

QByteArray ReadAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// tq6105-sim in a process of its own, on a link in the test's folder.
class SimProcess
{
public:
    SimProcess(const QString &link, const QStringList &options) : m_link(link)
    {
        m_process.start(
            QStringLiteral(TQ_BIN_DIR "/tq6105-sim"),
            QStringList{QStringLiteral("--baud"), QStringLiteral("0"), QStringLiteral("--link"), link} +
                options);
    }
    ~SimProcess()
    {
        m_process.terminate();
        m_process.waitForFinished(5000);
    }
    bool ready()
    {
        for (int i = 0; i < 100 && !QFileInfo::exists(m_link); ++i)
            QTest::qWait(20);
        return QFileInfo::exists(m_link);
    }

private:
    QString m_link;
    QProcess m_process;
};

} // namespace

class TestLinkCli : public QObject
{
    Q_OBJECT

    std::unique_ptr<ScratchSession> session;

    QString path(const QString &name) const { return session->path(name); }

    Run cli(const QStringList &args)
    {
        return RunCliBinary(args, {{QStringLiteral("TQ6105_NOW"), QStringLiteral("2024-05-17 13:45:09")},
                                   {QStringLiteral("TQ6105_BACKUP_DIR"), path(QStringLiteral("backups"))}});
    }

    // A data file for a VHF radio whose channel bytes show their address, with its
    // settings as a read would leave them.
    QString MakeFile(const QString &name, uint8_t channelByte)
    {
        ApplyModelBand(0xF0, true);
        NewImage();
        NormaliseSettings();
        for (int a = 0x010; a < 0x110; ++a)
            myAll->RadioImage[size_t(a)] = uint8_t(a + channelByte);
        const QString file = path(name);
        if (!WriteDataFile(file))
            return QString();
        return file;
    }

private Q_SLOTS:
    void init() { session = std::make_unique<ScratchSession>(); }
    void cleanup() { session.reset(); }

    void readWriteVerify();
    void readFailureLeavesFile_data();
    void readFailureLeavesFile();
    void writeToOtherModel();
    void portsAndUsage();
};

void TestLinkCli::readWriteVerify()
{
    const QString radioFile = MakeFile(QStringLiteral("radio.dat"), 0);
    const QString link = path(QStringLiteral("radio"));
    const QString saved = path(QStringLiteral("saved.dat"));
    SimProcess sim(link, {QStringLiteral("--image"), radioFile, QStringLiteral("--save"), saved,
                          QStringLiteral("--model-code"), QStringLiteral("5105")});
    QVERIFY(sim.ready());

    const QString copy = path(QStringLiteral("copy.dat"));
    Run r = cli({QStringLiteral("read"), QStringLiteral("--port"), link, copy});
    QCOMPARE(r.code, 0);
    QVERIFY2(r.err.contains(QStringLiteral("Reading Completed.")), qPrintable(r.err));
    QVERIFY(r.err.contains(QStringLiteral("Reading: 100%")));
    QCOMPARE(ReadAll(copy).mid(DataFileHeaderSize, RadioExchangeSize),
             ReadAll(radioFile).mid(DataFileHeaderSize, RadioExchangeSize));
    QVERIFY(QFile::exists(path(QStringLiteral("backups/read-20240517-134509.dat"))));

    // Another image goes in; the radio holds it afterwards, and verify says so.
    const QString other = MakeFile(QStringLiteral("other.dat"), 1);
    r = cli({QStringLiteral("write"), QStringLiteral("--port"), link, other});
    QCOMPARE(r.code, 0);
    QVERIFY2(r.err.contains(QStringLiteral("Writing Completed.")), qPrintable(r.err));
    for (int i = 0; i < 50 && !QFile::exists(saved); ++i)
        QTest::qWait(20);
    QCOMPARE(ReadAll(saved).mid(DataFileHeaderSize + 0x010, 0x100),
             ReadAll(other).mid(DataFileHeaderSize + 0x010, 0x100));

    r = cli({QStringLiteral("verify"), QStringLiteral("--port"), link, other});
    QCOMPARE(r.code, 0);
    QCOMPARE(r.out, QString());

    // The first file differs in every channel byte: each address is listed.
    r = cli({QStringLiteral("verify"), QStringLiteral("--port"), link, radioFile});
    QCOMPARE(r.code, 1);
    const QStringList lines = r.out.split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 0x100);
    QCOMPARE(lines.first(), QStringLiteral("0x010: file 10, radio 11"));
    QCOMPARE(lines.last(), QStringLiteral("0x10F: file 0F, radio 10"));
}

void TestLinkCli::readFailureLeavesFile_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("message");
    QTest::newRow("radio stops answering") << QStringLiteral("no-ack@3")
                                           << QStringLiteral("Please check all connections and communication "
                                                             "port settings.");
    QTest::newRow("unknown model") << QStringLiteral("unknown-model") << QStringLiteral("Model Type Wrong.");
    QTest::newRow("no such port") << QString() << QStringLiteral("Cannot Open Commcmication Port.\n");
}

void TestLinkCli::readFailureLeavesFile()
{
    QFETCH(QString, fault);
    QFETCH(QString, message);
    const QString link = path(QStringLiteral("radio"));
    std::unique_ptr<SimProcess> sim;
    if (!fault.isEmpty()) {
        sim = std::make_unique<SimProcess>(link, QStringList{QStringLiteral("--fault"), fault});
        QVERIFY(sim->ready());
    }
    const QString existing = MakeFile(QStringLiteral("existing.dat"), 7);
    const QByteArray before = ReadAll(existing);

    for (const QString &target : {existing, path(QStringLiteral("new.dat"))}) {
        const Run r = cli({QStringLiteral("read"), QStringLiteral("--port"), link, target});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QVERIFY(!r.err.contains(QStringLiteral("Reading Completed.")));
    }
    QCOMPARE(ReadAll(existing), before);
    QVERIFY(!QFile::exists(path(QStringLiteral("new.dat"))));
    QVERIFY(!QFile::exists(path(QStringLiteral("backups"))));
}

void TestLinkCli::writeToOtherModel()
{
    const QString link = path(QStringLiteral("radio"));
    const QString saved = path(QStringLiteral("saved.dat"));
    SimProcess sim(link,
                   {QStringLiteral("--model-code"), QStringLiteral("6105"), QStringLiteral("--save"), saved});
    QVERIFY(sim.ready());
    const QString vhf = MakeFile(QStringLiteral("vhf.dat"), 0);

    Run r = cli({QStringLiteral("write"), QStringLiteral("--port"), link, vhf});
    QCOMPARE(r.code, 1);
    QVERIFY2(r.err.contains(QStringLiteral("Do you wish to Force write data?")), qPrintable(r.err));
    QVERIFY(r.err.contains(QStringLiteral("--force")));
    QTest::qWait(100);
    QVERIFY(!QFile::exists(saved));

    r = cli({QStringLiteral("write"), QStringLiteral("--port"), link, QStringLiteral("--force"), vhf});
    QCOMPARE(r.code, 0);
    QVERIFY(r.err.contains(QStringLiteral("Writing Completed.")));
    for (int i = 0; i < 50 && !QFile::exists(saved); ++i)
        QTest::qWait(20);
    QCOMPARE(ReadAll(saved).mid(DataFileHeaderSize + 0x010, 0x100),
             ReadAll(vhf).mid(DataFileHeaderSize + 0x010, 0x100));
}

void TestLinkCli::portsAndUsage()
{
    Run r = cli({QStringLiteral("ports"), QStringLiteral("--json")});
    QCOMPARE(r.code, 0);
    const QJsonDocument doc = QJsonDocument::fromJson(r.out.toUtf8());
    QVERIFY(doc.isArray());
    for (const QJsonValue &v : doc.array()) {
        QVERIFY(v.toObject().value(QStringLiteral("port")).isString());
        QVERIFY(v.toObject().value(QStringLiteral("description")).isString());
    }

    const QString file = MakeFile(QStringLiteral("f.dat"), 0);
    for (const QString &command :
         {QStringLiteral("read"), QStringLiteral("write"), QStringLiteral("verify")}) {
        r = cli({command, file});
        QCOMPARE(r.code, 2);
        QVERIFY(r.err.contains(QStringLiteral("--port")));
    }
}

QTEST_GUILESS_MAIN(TestLinkCli)
#include "tst_linkcli.moc"
