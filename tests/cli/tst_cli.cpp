// The command-line tool driven through its binary, as scripts drive it: JSON shapes,
// channel edits down to the record bytes, settings, and every refusal leaving the
// file as it was.

#include "TestSupport.h"
#include "channels/Channel.h"
#include "file/DataFile.h"
#include "functions/Settings.h"
#include "model/MacType.h"
#include "model/RadioImage.h"

#include "CliRunner.h"
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

using Run = CliRun;

const QString Now = QStringLiteral("2024-05-17 13:45:09");

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Channel n's 16 bytes in the file, as upper-case hex without blanks.
QByteArray record(const QString &path, int n)
{
    return readAll(path).mid(DataFileHeaderSize + ChannelAddress(n), 16).toHex().toUpper();
}

QByteArray hex(const char *spaced)
{
    return QByteArray(spaced).replace(' ', "");
}

} // namespace

class TestCli : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    QString file; // the fixture of each test
    // Message texts as the tool's program folder makes them.
    QString outRange, errRange, modError;

    QString path(const QString &name) const { return dir.filePath(name); }

    Run cli(const QStringList &args, const QString &now = Now)
    {
        return RunCliBinary(args, {{QStringLiteral("TQ6105_NOW"), now}}, dir.path());
    }

    // A UHF file, band 450 - 470MHz: channel 1 as in the worked example (446.00625,
    // 67.0 / D023N, High, Wide, scan add on), channel 3 460.00000 without TX, Low, with
    // scan add, compander and scrambler on; the rest absent.
    void writeFixture(const QString &target)
    {
        ApplyModelBand(myFrqList->CodeOf(QStringLiteral("450 - 470MHz")), true);
        NewImage();
        const QList<QPair<int, QString>> ch1 = {
            {FieldRx, "446.00625"}, {FieldTx, "446.00625"}, {FieldDecode, "67.0"}, {FieldEncode, "D023N"},
            {FieldPower, "1"},      {FieldBandwidth, "0"},  {FieldScanAdd, "0"},   {FieldCompander, "1"},
            {FieldScrambler, "1"},  {FieldBusyLock, "1"}};
        for (const auto &[kind, text] : ch1)
            SetChannelField(1, kind, text);
        SetChannelField(3, FieldRx, QStringLiteral("460.00000"));
        for (int kind : {FieldPower, FieldBandwidth, FieldScanAdd, FieldCompander, FieldScrambler})
            SetChannelField(3, kind, QStringLiteral("0"));
        // As a file looks once it has been opened, so that an edit changes only what it
        // was asked to.
        NormaliseSettings();
        QVERIFY(WriteDataFile(target));
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(QFile::exists(QStringLiteral(TQ_BIN_DIR "/tq6105-cli")));
        SetClock([] { return FixedTestTime(); });
        StartCore(QStringLiteral(TQ_BIN_DIR));
        outRange = myLanguage->OutRange;
        errRange = myLanguage->ErrRange;
        modError = myLanguage->ModError;
    }

    void init()
    {
        file = path(QStringLiteral("fixture.dat"));
        QFile::remove(file);
        writeFixture(file);
    }

    void newAndInfo_data()
    {
        QTest::addColumn<QStringList>("bandArgs");
        QTest::addColumn<QString>("json");
        QTest::addColumn<QByteArray>("header");
        QTest::newRow("default band")
            << QStringList()
            << R"j({"model_code":"6105","model":"TQ-6105s(UHF)","band":"450 - 470MHz","serial":"AB12            ",)j"
               R"j("write_time":"2024-05-17 13:45:09","header":{"model_code":"6105","band_digits":"450470",)j"
               R"j("saved":"2024-05-17 13:45"}})j"
            << hex("50 36 31 30 35 45 04 70 E8 07 05 11 0D 2D FF FF");
        QTest::newRow("VHF band")
            << QStringList{"--band", "136 - 174MHz"}
            << R"j({"model_code":"5105","model":"TQ-6105s(VHF)","band":"136 - 174MHz","serial":"AB12            ",)j"
               R"j("write_time":"2024-05-17 13:45:09","header":{"model_code":"5105","band_digits":"136174",)j"
               R"j("saved":"2024-05-17 13:45"}})j"
            << hex("50 35 31 30 35 13 61 74 E8 07 05 11 0D 2D FF FF");
        QTest::newRow("band typed loosely")
            << QStringList{"--band", "400-470mhz"}
            << R"j({"model_code":"6105","model":"TQ-6105s(UHF)","band":"400 - 470MHz","serial":"AB12            ",)j"
               R"j("write_time":"2024-05-17 13:45:09","header":{"model_code":"6105","band_digits":"400470",)j"
               R"j("saved":"2024-05-17 13:45"}})j"
            << hex("50 36 31 30 35 40 04 70 E8 07 05 11 0D 2D FF FF");
    }
    void newAndInfo()
    {
        QFETCH(QStringList, bandArgs);
        QFETCH(QString, json);
        QFETCH(QByteArray, header);
        const QString f = path(QStringLiteral("new.dat"));
        const Run made = cli(QStringList{"new"} + bandArgs + QStringList{f});
        QCOMPARE(made.err, QString());
        QCOMPARE(made.code, 0);
        const QByteArray bytes = readAll(f);
        QCOMPARE(bytes.size(), DataFileSize);
        QCOMPARE(bytes.left(16).toHex().toUpper(), header);
        QCOMPARE(cli({"channels", "--json", f}).out, QStringLiteral("[]\n"));

        QCOMPARE(cli({"set", f, "serial=ab12"}).code, 0);
        const Run info = cli({"info", "--json", f});
        QCOMPARE(info.code, 0);
        QCOMPARE(info.out, json + u'\n');
        QVERIFY(cli({"info", f}).out.contains(QStringLiteral("AB12")));
    }

    void newRefusesUnknownBand()
    {
        const QString f = path(QStringLiteral("never.dat"));
        const Run r = cli({"new", "--band", "27 - 72MHz", f});
        QCOMPARE(r.code, 2);
        QVERIFY2(r.err.contains(QStringLiteral("450 - 470MHz")), qPrintable(r.err)); // names the bands
        QVERIFY(!QFile::exists(f));
    }

    void channelsShowTheGrid()
    {
        const Run r = cli({"channels", "--json", file});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out,
                 QStringLiteral(R"j([{"channel":1,"rx":"446.00625","tx":"446.00625","decode":"67.0",)j"
                                R"j("encode":"D023N","power":"High","bandwidth":"Wide","scan_add":true,)j"
                                R"j("compander":false,"scrambler":false,"busy_lock":false},)j"
                                R"j({"channel":3,"rx":"460.00000","tx":"","decode":"","encode":"",)j"
                                R"j("power":"Low","bandwidth":"Wide","scan_add":true,"compander":true,)j"
                                R"j("scrambler":true,"busy_lock":false}])j"
                                "\n"));
        const QStringList lines = cli({"channels", file}).out.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines.at(1).simplified(),
                 QStringLiteral("1 446.00625 446.00625 67.0 D023N High Wide Yes No No No"));
        QCOMPARE(lines.at(2).simplified(), QStringLiteral("3 460.00000 None None Low Wide Yes Yes Yes No"));
    }

    void settingsAfterNew()
    {
        const Run r = cli({"settings", "--json", file});
        QCOMPARE(r.code, 0);
        QCOMPARE(
            r.out,
            QStringLiteral(
                R"j({"squelch_level":"5","tx_time_out":"180","voice":"On","voice_annunciation":"Chinese",)j"
                R"j("scan":"Off","fm_function":"Turn on","incept_alarm":"Off","epilogue":"Type-1",)j"
                R"j("battery_save":"1:4","whisper":"","side_key":"Monmome","vox_gain_level":"5",)j"
                R"j("clew_voice":true,"high_vol_inhibit_tx":true,"low_vol_inhibit_tx":true,)j"
                R"j("vox_function":false,"vox_inhibit_on_receive":true})j"
                "\n"));
    }

    // Each row edits the fixture and names the record that channel n must then hold
    // and the Caution warnings that must appear.
    void setChannel_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("channel");
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<QStringList>("warnings");
        const QStringList none;
        QTest::newRow("create: TX follows RX, High, Wide, options off")
            << QStringList{"2", "--rx", "446.0075"} << 2
            << hex("25 06 60 44 25 06 60 44 FF FF FF FF FB FF FF FF") << QStringList{outRange};
        QTest::newRow("create, then every option applies")
            << QStringList{"2",      "--rx",        "460.0125", "--tx",        "465", "--decode",
                           "88",     "--encode",    "D754N",    "--power",     "Low", "--bandwidth",
                           "Narrow", "--scan-add",  "yes",      "--compander", "yes", "--scrambler",
                           "yes",    "--busy-lock", "yes"}
            << 2 << hex("50 12 00 46 00 00 50 46 80 08 54 87 86 FF FF FF") << none;
        QTest::newRow("RX of a present channel leaves TX")
            << QStringList{"1", "--rx", "460"} << 1 << hex("00 00 00 46 25 06 60 44 70 06 23 80 EB FF FF FF")
            << none;
        QTest::newRow("empty RX erases") << QStringList{"1", "--rx", ""} << 1
                                         << hex("FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF") << none;
        QTest::newRow("empty TX clears the encode tone")
            << QStringList{"1", "--tx", ""} << 1 << hex("25 06 60 44 FF FF FF FF 70 06 FF FF EB FF FF FF")
            << none;
        QTest::newRow("out of band: warned, kept")
            << QStringList{"2", "--rx", "480"} << 2 << hex("00 00 00 48 00 00 00 48 FF FF FF FF FB FF FF FF")
            << QStringList{outRange};
        QTest::newRow("out of model: warned, band edge")
            << QStringList{"1", "--tx", "700"} << 1 << hex("25 06 60 44 00 00 00 47 70 06 23 80 EB FF FF FF")
            << QStringList{errRange};
        QTest::newRow("tones: lower-case DCS, None, clamped CTCSS")
            << QStringList{"1", "--decode", "d023n", "--encode", "None"} << 1
            << hex("25 06 60 44 25 06 60 44 23 80 FF FF EB FF FF FF") << none;
        QTest::newRow("CTCSS below 30 Hz becomes 30.0")
            << QStringList{"1", "--decode", "25"} << 1
            << hex("25 06 60 44 25 06 60 44 00 03 23 80 EB FF FF FF") << none;
        QTest::newRow("flags: No sets the bit, Narrow, Low")
            << QStringList{"1", "--scan-add", "no", "--bandwidth", "narrow", "--power", "low"} << 1
            << hex("25 06 60 44 25 06 60 44 70 06 23 80 F7 FF FF FF") << none;
    }
    void setChannel()
    {
        QFETCH(QStringList, args);
        QFETCH(int, channel);
        QFETCH(QByteArray, expected);
        QFETCH(QStringList, warnings);
        const QByteArray before = readAll(file);
        const Run r = cli(QStringList{"set-channel", file} + args);
        QCOMPARE(r.code, 0);
        QStringList expectedErr;
        for (const QString &w : warnings)
            expectedErr.append(QStringLiteral("Caution: ") + w);
        QCOMPARE(r.err.split(u'\n', Qt::SkipEmptyParts), expectedErr);
        QCOMPARE(record(file, channel), expected);
        // Nothing outside the channel's record changes but the header's save time.
        const QByteArray after = readAll(file);
        const int at = DataFileHeaderSize + ChannelAddress(channel);
        QCOMPARE(after.mid(16, at - 16), before.mid(16, at - 16));
        QCOMPARE(after.mid(at + 16), before.mid(at + 16));
    }

    void clearChannel()
    {
        const QByteArray ch3 = record(file, 3);
        QCOMPARE(cli({"clear-channel", file, "1"}).code, 0);
        QCOMPARE(record(file, 1), QByteArray(32, 'F'));
        QCOMPARE(record(file, 3), ch3);
    }

    // Usage errors: exit 2, a message naming the problem, the file untouched.
    void refused_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::newRow("RX not a number") << QStringList{"set-channel", "F", "2", "--rx", "1.2.3"} << "1.2.3";
        QTest::newRow("RX in Chinese digits")
            << QStringList{"set-channel", "F", "2", "--rx", "四四六"} << "--rx";
        QTest::newRow("TX not a number") << QStringList{"set-channel", "F", "1", "--tx", "abc"} << "--tx";
        QTest::newRow("channel 0") << QStringList{"set-channel", "F", "0", "--rx", "460"} << "1 to 16";
        QTest::newRow("channel 17") << QStringList{"set-channel", "F", "17", "--rx", "460"} << "1 to 16";
        QTest::newRow("channel x") << QStringList{"clear-channel", "F", "x"} << "1 to 16";
        QTest::newRow("malformed DCS")
            << QStringList{"set-channel", "F", "1", "--decode", "D028N"} << "D028N";
        QTest::newRow("CTCSS with a comma")
            << QStringList{"set-channel", "F", "1", "--encode", "67,0"} << "67,0";
        QTest::newRow("power") << QStringList{"set-channel", "F", "1", "--power", "Medium"} << "High or Low";
        QTest::newRow("yes/no") << QStringList{"set-channel", "F", "1", "--busy-lock", "maybe"}
                                << "yes or no";
        QTest::newRow("absent channel without RX")
            << QStringList{"set-channel", "F", "2", "--tx", "460"} << "--rx";
        QTest::newRow("encode without TX")
            << QStringList{"set-channel", "F", "3", "--encode", "67.0"} << "--tx";
        QTest::newRow("erase with more")
            << QStringList{"set-channel", "F", "1", "--rx", "", "--power", "Low"} << "erases";
        QTest::newRow("nothing to change") << QStringList{"set-channel", "F", "1"} << "nothing to change";
        QTest::newRow("unknown option") << QStringList{"set-channel", "F", "1", "--volume", "3"} << "volume";
        QTest::newRow("missing N") << QStringList{"set-channel", "F"} << "missing";
        QTest::newRow("unknown key") << QStringList{"set", "F", "voice=On", "colour=red"} << "squelch_level";
        QTest::newRow("value not in the list")
            << QStringList{"set", "F", "tx_time_out=45"} << "Off, 30, 60, 90";
        QTest::newRow("boolean") << QStringList{"set", "F", "vox_function=maybe"} << "true, false";
        QTest::newRow("serial too long") << QStringList{"set", "F", "serial=12345678901234567"} << "16";
        QTest::newRow("serial with a hyphen") << QStringList{"set", "F", "serial=AB-12"} << "letters";
        QTest::newRow("not KEY=VALUE") << QStringList{"set", "F", "voice"} << "KEY=VALUE";
        QTest::newRow("unknown command") << QStringList{"frobnicate", "F"} << "frobnicate";
    }
    void refused()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        args.replaceInStrings(QRegularExpression(QStringLiteral("^F$")), file);
        const QByteArray before = readAll(file);
        const Run r = cli(args);
        QCOMPARE(r.code, 2);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QCOMPARE(r.out, QString());
        QCOMPARE(readAll(file), before);
    }

    void setSettings()
    {
        const Run r = cli({"set", file, "squelch_level=3", "tx_time_out=off", "epilogue=Type-2",
                           "clew_voice=false", "vox_function=true", "serial=ab12 x"});
        QCOMPARE(r.err, QString());
        QCOMPARE(r.code, 0);
        const QJsonObject o =
            QJsonDocument::fromJson(cli({"settings", "--json", file}).out.toUtf8()).object();
        QCOMPARE(o.value("squelch_level").toString(), QStringLiteral("3"));
        QCOMPARE(o.value("tx_time_out").toString(), QStringLiteral("Off"));
        QCOMPARE(o.value("epilogue").toString(), QStringLiteral("Type-2"));
        QCOMPARE(o.value("clew_voice").toBool(), false);
        QCOMPARE(o.value("vox_function").toBool(), true);
        const QByteArray bytes = readAll(file);
        QCOMPARE(uint8_t(bytes[16 + 0x130]), uint8_t(0x00)); // only bit 0 of the clew voice byte
        QCOMPARE(bytes.mid(16 + 0x150, 16), QByteArray("AB12 X          "));
    }

    // Files that are not data files of these radios: exit 1 with a message naming the
    // file, for every command that opens one, and the file untouched.
    void badFiles_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("messages");
        QByteArray foreign = readAll(path(QStringLiteral("fixture.dat")));
        foreign.replace(1, 4, "9999");
        QTest::newRow("short file") << QByteArray(100, 'P') << QStringList{"bad.dat", "100"};
        QTest::newRow("foreign model") << foreign << QStringList{modError, "bad.dat", "9999"};
    }
    void badFiles()
    {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, messages);
        const QString bad = path(QStringLiteral("bad.dat"));
        QFile f(bad);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(content);
        f.close();
        const QList<QStringList> commands = {{"info", bad},
                                             {"channels", "--json", bad},
                                             {"settings", bad},
                                             {"set-channel", bad, "1", "--rx", "460"},
                                             {"clear-channel", bad, "1"},
                                             {"set", bad, "voice=Off"}};
        for (const QStringList &args : commands) {
            const Run r = cli(args);
            QCOMPARE(r.code, 1);
            for (const QString &m : messages)
                QVERIFY2(r.err.contains(m), qPrintable(args.first() + u':' + r.err));
            QCOMPARE(r.out, QString());
            QCOMPARE(readAll(bad), content);
        }
    }

    void failedSaveKeepsTheFile()
    {
        const Run r = cli({"new", path(QStringLiteral("no-such-folder/x.dat"))});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains(QStringLiteral("x.dat")), qPrintable(r.err));
#ifdef Q_OS_UNIX
        if (geteuid() == 0)
            QSKIP("root writes into read-only folders");
        const QString folder = path(QStringLiteral("locked"));
        QVERIFY(QDir().mkpath(folder));
        const QString locked = folder + QStringLiteral("/a.dat");
        QVERIFY(QFile::copy(file, locked));
        const QByteArray before = readAll(locked);
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
        const Run s = cli({"set-channel", locked, "2", "--rx", "460"});
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(s.code, 1);
        QVERIFY2(s.err.contains(QStringLiteral("a.dat")), qPrintable(s.err));
        QCOMPARE(readAll(locked), before);
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{"a.dat"});
#endif
    }

    void clockFromEnvironment()
    {
        const QString f = path(QStringLiteral("clock.dat"));
        QCOMPARE(cli({"new", f}, QStringLiteral("2031-12-30 23:59:58")).code, 0);
        QCOMPARE(readAll(f).mid(8, 6).toHex().toUpper(), hex("EF 07 0C 1E 17 3B"));
        QCOMPARE(readAll(f).mid(16 + 0x160, 7).toHex().toUpper(), hex("EF 07 0C 1E 17 3B 3A"));
        QFile::remove(f);
        const Run r = cli({"new", f}, QStringLiteral("tomorrow"));
        QCOMPARE(r.code, 2);
        QVERIFY(r.err.contains(QStringLiteral("TQ6105_NOW")));
        QVERIFY(!QFile::exists(f));
    }

    void help_data()
    {
        QTest::addColumn<QString>("command");
        for (const char *c : {"new", "info", "channels", "settings", "set-channel", "clear-channel", "set"})
            QTest::newRow(c) << QString::fromLatin1(c);
    }
    void help()
    {
        QFETCH(QString, command);
        const Run r = cli({command, "--help"});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.err, QString());
        QVERIFY2(r.out.startsWith(QStringLiteral("Usage: tq6105-cli ") + command + u' '), qPrintable(r.out));

        const Run all = cli({"--help"});
        QCOMPARE(all.code, 0);
        QVERIFY(all.out.contains(QStringLiteral("\n  ") + command + u' '));
        QVERIFY(all.out.contains(QStringLiteral("TQ6105_NOW")));
        QCOMPARE(cli({}).code, 2);
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
