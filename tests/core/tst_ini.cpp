// INI files as the program reads them (SysInfo.Ini and language files), the system
// settings kept across runs, and the message table.

#include "TestSupport.h"
#include "lang/IniFile.h"

#include <QFile>
#include <QStringEncoder>
#include <QTest>

#include <unistd.h>

static void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

static QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class TestIni : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lookups_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("case of names") << "SYSINFO"
                                       << "com"
                                       << "COM3";
        QTest::newRow("blanks trimmed") << "SysInfo"
                                        << "Help"
                                        << "QM";
        QTest::newRow("quotes removed once") << "SysInfo"
                                             << "Quoted"
                                             << "\"a\" b";
        QTest::newRow("commas kept") << "SysInfo"
                                     << "List"
                                     << "a, b, c";
        QTest::newRow("backslash kept") << "SysInfo"
                                        << "Path"
                                        << "C:\\radio\\x";
        QTest::newRow("first wins") << "SysInfo"
                                    << "Dup"
                                    << "first";
        QTest::newRow("comment ignored") << "SysInfo"
                                         << ";Hidden"
                                         << "<missing>";
        QTest::newRow("empty value") << "SysInfo"
                                     << "Empty"
                                     << "";
        QTest::newRow("other section") << "Other"
                                       << "Com"
                                       << "COM9";
        QTest::newRow("missing key") << "SysInfo"
                                     << "Nope"
                                     << "<missing>";
    }
    void lookups()
    {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        IniFile ini;
        ini.setText(
            QStringLiteral("; settings\n[SysInfo]\nCom=COM3\n  Help =  QM  \nQuoted=\"\"a\" b\"\n"
                           "List=a, b, c\nPath=C:\\radio\\x\nDup=first\nDup=second\n;Hidden=1\nEmpty=\n"
                           "[ Other ]\nCom=COM9\n"));
        QCOMPARE(ini.value(section, key, QStringLiteral("<missing>")), value);
    }

    void gbkFileReadsAndKeepsItsEncoding()
    {
        QTemporaryDir dir;
        const QString path = dir.path() + QStringLiteral("/Chinese.Ini");
        const QString text = QStringLiteral("[Language]\nReadOk=读取完成。\n[TfMainFrm]\nnFile=文件\n");
        QStringEncoder gbk("GBK");
        QVERIFY(gbk.isValid());
        const QByteArray bytes = gbk.encode(text);
        writeBytes(path, bytes);

        IniFile ini;
        QVERIFY(ini.load(path));
        QVERIFY(ini.isGbk());
        QCOMPARE(ini.value(QStringLiteral("language"), QStringLiteral("readok"), {}),
                 QStringLiteral("读取完成。"));
        ini.setValue(QStringLiteral("Language"), QStringLiteral("WriteOk"), QStringLiteral("写入完成。"));
        QVERIFY(ini.save(path));
        const QByteArray after = readBytes(path);
        QVERIFY(after.startsWith(bytes.left(bytes.indexOf("[TfMainFrm]"))));
        QVERIFY(after.contains(QByteArray(gbk.encode(QStringLiteral("WriteOk=写入完成。")))));
    }

    void updateInPlace()
    {
        IniFile ini;
        ini.setText(
            QStringLiteral("[SysInfo]\r\n; keep me\r\nCOM=Com1\r\nHelp=QM\r\n\r\n[Other]\r\nx=1\r\n"));
        ini.setValue(QStringLiteral("SysInfo"), QStringLiteral("Com"), QStringLiteral("COM4"));
        ini.setValue(QStringLiteral("SysInfo"), QStringLiteral("PicID"), QStringLiteral("7"));
        ini.setValue(QStringLiteral("New"), QStringLiteral("k"), QStringLiteral("v"));
        QCOMPARE(ini.text(),
                 QStringLiteral("[SysInfo]\n; keep me\nCOM=COM4\nHelp=QM\nPicID=7\n\n[Other]\nx=1\n\n"
                                "[New]\nk=v\n"));
    }

    void sysInfoDefaults()
    {
        ScratchSession s;
        QCOMPARE(myAll->ComPort, QStringLiteral("Com1"));
        QCOMPARE(myAll->LangIndex, 0);
        QCOMPARE(myAll->LangName, QStringLiteral("Chinese"));
        QCOMPARE(myAll->HelpPrefix, QStringLiteral("QM"));
        QCOMPARE(myAll->PicIDValue, 0);
        QVERIFY(SaveSysInfo());
        IniFile ini;
        ini.load(s.path("SysInfo.Ini"));
        QCOMPARE(ini.keys(QStringLiteral("SysInfo")), QStringList({"com", "defaultlanguage", "picid"}));
    }

    void languagePick_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("index");
        QTest::addColumn<QString>("name");
        QTest::newRow("1 of default") << ""
                                      << "1"
                                      << "English";
        QTest::newRow("past the end") << ""
                                      << "2"
                                      << "";
        QTest::newRow("negative") << ""
                                  << "-1"
                                  << "";
        QTest::newRow("not a number") << ""
                                      << "x"
                                      << "Chinese";
        QTest::newRow("single item") << "English"
                                     << "0"
                                     << "English";
    }
    void languagePick()
    {
        QFETCH(QString, list);
        QFETCH(QString, index);
        QFETCH(QString, name);
        QTemporaryDir dir;
        QString text = QStringLiteral("[SysInfo]\nDefaultLanguage=%1\n").arg(index);
        if (!list.isEmpty())
            text += QStringLiteral("Language=%1\n").arg(list);
        writeBytes(dir.path() + QStringLiteral("/SysInfo.Ini"), text.toUtf8());
        StartCore(dir.path());
        QCOMPARE(myAll->LangName, name);
    }

    void saveKeepsOtherLines()
    {
        QTemporaryDir dir;
        const QString path = dir.path() + QStringLiteral("/SysInfo.Ini");
        writeBytes(
            path,
            "[SysInfo]\nLanguage=English|Chinese\nCom=COM2\nHelp=QM\nPicID=abc\nEnglish=English|Chinese\n");
        StartCore(dir.path());
        QCOMPARE(myAll->PicIDValue, 0);
        myAll->ComPort = QStringLiteral("/dev/ttyUSB0");
        myAll->LangIndex = 1;
        QVERIFY(SaveSysInfo());
        QCOMPARE(readBytes(path),
                 QByteArray("[SysInfo]\nLanguage=English|Chinese\nCom=/dev/ttyUSB0\nHelp=QM\nPicID=0\n"
                            "English=English|Chinese\nDefaultLanguage=1\n"));
    }

    void readOnlyProgramFolderUsesUserConfig()
    {
        if (geteuid() == 0)
            QSKIP("root can write into a read-only folder");
        QTemporaryDir dir;
        const QString program = dir.path() + QStringLiteral("/program");
        const QString user = dir.path() + QStringLiteral("/user");
        QDir().mkpath(program);
        writeBytes(program + QStringLiteral("/SysInfo.Ini"), "[SysInfo]\nCom=COM7\nHelp=XX\n");
        QFile::setPermissions(program + QStringLiteral("/SysInfo.Ini"), QFile::ReadOwner);
        QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner);
        SetUserConfigFolder(user);
        StartCore(program);
        QCOMPARE(SysInfoWritePath(), user + QStringLiteral("/SysInfo.Ini"));
        QCOMPARE(myAll->ComPort, QStringLiteral("COM7"));
        myAll->ComPort = QStringLiteral("COM8");
        QVERIFY(SaveSysInfo());
        StartCore(program);
        QCOMPARE(myAll->ComPort, QStringLiteral("COM8"));
        QCOMPARE(myAll->HelpPrefix, QStringLiteral("XX"));
        QCOMPARE(readBytes(program + QStringLiteral("/SysInfo.Ini")),
                 QByteArray("[SysInfo]\nCom=COM7\nHelp=XX\n"));
        QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        SetUserConfigFolder(QString());
    }

    void unwritableSettingsAreReported()
    {
        QTemporaryDir dir;
        StartCore(dir.path());
        // A folder standing where the file should be cannot be replaced by a file.
        QDir().mkpath(dir.path() + QStringLiteral("/SysInfo.Ini"));
        MsgRecorder rec;
        QVERIFY(!SaveSysInfo());
        QCOMPARE(rec.texts(),
                 QStringList(QStringLiteral("Unable to write to %1/SysInfo.Ini").arg(dir.path())));
    }

    void messageTable()
    {
        QTemporaryDir dir;
        writeBytes(dir.path() + QStringLiteral("/Partial.Ini"),
                   "[Language]\nComError=Check the cable.\nReadOk=\n");
        StartCore(dir.path());
        LoadMessages(QStringLiteral("Partial"));
        QCOMPARE(myLanguage->ComError, QStringLiteral("Check the cable."));
        QCOMPARE(myLanguage->ReadOk, QString());
        QCOMPARE(myLanguage->ModError, QStringLiteral("Model Type Wrong."));
        QCOMPARE(myLanguage->Info, QStringLiteral(" Information"));
        // Another language leaves nothing of the previous one behind.
        LoadMessages(QString());
        QCOMPARE(myLanguage->ComError,
                 QStringLiteral("Please check all connections and communication port settings."));
        QCOMPARE(myLanguage->ReadOk, QStringLiteral("Reading Completed."));
        QCOMPARE(myLanguage->Confirmation, QStringLiteral("Confirmation"));
    }

    void msgBoxAnswers()
    {
        QTemporaryDir dir;
        StartCore(dir.path());
        MsgRecorder rec;
        rec.answers = {MsgNo, 42};
        QCOMPARE(MsgBox(QStringLiteral("c"), QStringLiteral("t"), MsgQuestion), int(MsgNo));
        QCOMPARE(MsgBox(QStringLiteral("c"), QStringLiteral("t"), MsgQuestion), int(MsgNo));
        QCOMPARE(MsgBox(QStringLiteral("c"), QStringLiteral("t"), MsgInformation), int(MsgOk));
        QCOMPARE(MsgBox(QStringLiteral("c"), QStringLiteral("t"), MsgQuestion), int(MsgYes));
    }
};

QTEST_GUILESS_MAIN(TestIni)
#include "tst_ini.moc"
