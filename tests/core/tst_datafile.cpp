// Data files: the 448-byte format, round trips, and every file that is refused.

#include "TestSupport.h"
#include "file/DataFile.h"
#include "functions/Settings.h"
#include "model/MacType.h"
#include "model/RadioImage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <unistd.h>

static QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

static void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

class TestDataFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        session = std::make_unique<ScratchSession>();
        ApplyModelBand(244, true);
        NewImage();
    }
    void cleanup() { session.reset(); }

    void headerAfterStartUp()
    {
        const QString path = session->path("a.dat");
        myAll->Modified = true;
        QVERIFY(WriteDataFile(path));
        QVERIFY(!myAll->Modified);
        const QByteArray bytes = readAll(path);
        QCOMPARE(bytes.size(), 448);
        QCOMPARE(bytes.left(16).toHex(' ').toUpper(),
                 QByteArray("50 36 31 30 35 45 04 70 E8 07 05 11 0D 2D FF FF"));
        QCOMPARE(bytes.mid(16), QByteArray(reinterpret_cast<const char *>(myAll->RadioImage.data()), 432));
    }

    void vhfBandDigits()
    {
        ApplyModelBand(myFrqList->CodeOf(QStringLiteral("136 - 174MHz")), true);
        NewImage();
        const QString path = session->path("v.dat");
        QVERIFY(WriteDataFile(path));
        QCOMPARE(readAll(path).mid(1, 7).toHex(' ').toUpper(), QByteArray("35 31 30 35 13 61 74"));
    }

    void roundTripKeepsEveryByte()
    {
        for (int a = 0x1A0; a < 0x1B0; ++a)
            myAll->RadioImage[size_t(a)] = uint8_t(a);
        myAll->RadioImage[0x000] = 0x42;
        myAll->RadioImage[0x12c] = 0x21; // a value the settings rules keep
        const auto saved = myAll->RadioImage;
        const QString path = session->path("r.dat");
        QVERIFY(WriteDataFile(path));
        std::fill(myAll->RadioImage.begin(), myAll->RadioImage.end(), 0);
        MsgRecorder rec;
        QCOMPARE(ReadDataFile(path), ReadResult::Ok);
        QVERIFY(rec.messages.isEmpty());
        QVERIFY(myAll->RadioImage == saved);
    }

    void bandByteDecidesModel()
    {
        // Header names the VHF model, band byte holds a UHF band.
        QByteArray bytes = BuildDataFile();
        bytes.replace(1, 4, "5105");
        bytes[16 + 0x145] = char(244);
        const QString path = session->path("mixed.dat");
        writeAll(path, bytes);
        ApplyModelBand(0xF0, true);
        QCOMPARE(ReadDataFile(path), ReadResult::Ok);
        QCOMPARE(myAll->ModelCode, QStringLiteral("6105"));
        QCOMPARE(myAll->BandText, QStringLiteral("450 - 470MHz"));
        QCOMPARE(myAll->BandMinFreq, 450.0);
    }

    void openNormalises()
    {
        QByteArray bytes = BuildDataFile();
        bytes[16 + 0x133] = char(0x40);
        bytes[16 + 0x145] = char(253); // the 27 - 72 MHz row, which no model has
        bytes.append("trailing bytes are ignored");
        const QString path = session->path("n.dat");
        writeAll(path, bytes);
        QCOMPARE(ReadDataFile(path), ReadResult::Ok);
        QCOMPARE(int(myAll->RadioImage[0x133]), 6);
        QCOMPARE(int(myAll->RadioImage[0x145]), 249);
        QCOMPARE(myAll->BandText, QStringLiteral("440 - 480MHz"));
        QCOMPARE(myAll->ModelCode, QStringLiteral("6105"));
    }

    void refusedFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("message");
        ApplyModelBand(244, true);
        QByteArray good = BuildDataFile();
        QByteArray foreign = good;
        foreign.replace(1, 4, "9999");
        QByteArray badDigits = good;
        badDigits[6] = char(0x4A);
        QTest::newRow("foreign model") << foreign << int(ReadResult::ModelWrong) << "Model Type Wrong.";
        QTest::newRow("band digits") << badDigits << int(ReadResult::Failed)
                                     << "'A70' is not a valid floating point value";
        QTest::newRow("short") << good.left(447) << int(ReadResult::Failed) << "holds 447 bytes";
        QTest::newRow("empty") << QByteArray() << int(ReadResult::Failed) << "holds 0 bytes";
    }
    void refusedFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, result);
        QFETCH(QString, message);
        const QString path = session->path("bad.dat");
        writeAll(path, bytes);
        myAll->RadioImage[0x050] = 0x5A;
        const TALL before = *myAll;
        MsgRecorder rec;
        QCOMPARE(int(ReadDataFile(path)), result);
        QCOMPARE(rec.messages.size(), 1);
        QVERIFY2(rec.messages.first().text.contains(message), qPrintable(rec.messages.first().text));
        QCOMPARE(rec.messages.first().caption, QStringLiteral("Confirmation"));
        QVERIFY(myAll->RadioImage == before.RadioImage);
        QCOMPARE(myAll->BandText, before.BandText);
        QCOMPARE(myAll->BandMinFreq, before.BandMinFreq);
        QCOMPARE(myAll->BandMaxFreq, before.BandMaxFreq);
    }

    void missingFileIsRefused()
    {
        MsgRecorder rec;
        QCOMPARE(ReadDataFile(session->path("nothing-here.dat")), ReadResult::Failed);
        QCOMPARE(rec.messages.size(), 1);
        QVERIFY(rec.messages.first().text.contains(QStringLiteral("nothing-here.dat")));
    }

    void failedSaveKeepsOldFile()
    {
        if (geteuid() == 0)
            QSKIP("root can write into a read-only folder");
        const QString folder = session->path("locked");
        QVERIFY(QDir().mkpath(folder));
        const QString path = folder + QStringLiteral("/keep.dat");
        QVERIFY(WriteDataFile(path));
        const QByteArray old = readAll(path);
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
        myAll->RadioImage[0x010] = 0x12;
        myAll->Modified = true;
        MsgRecorder rec;
        QVERIFY(!WriteDataFile(path));
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(myAll->Modified);
        QCOMPARE(readAll(path), old);
        QCOMPARE(rec.messages.size(), 1);
        QVERIFY(rec.messages.first().text.contains(path));
    }

    void failedSaveKeepsOldFileEvenForRoot()
    {
        // The temporary file beside a 250-character name cannot be created (names are
        // limited to 255 bytes), so the save fails after the old file was already there.
        const QString path = session->path(QString(246, u'k') + QStringLiteral(".dat"));
        const QByteArray old("an older data file");
        writeAll(path, old);
        myAll->Modified = true;
        MsgRecorder rec;
        QVERIFY(!WriteDataFile(path));
        QVERIFY(myAll->Modified);
        QCOMPARE(readAll(path), old);
        QCOMPARE(rec.messages.size(), 1);
        QVERIFY(rec.messages.first().text.startsWith(QStringLiteral("Cannot save")));
    }

    void saveIntoMissingFolderFails()
    {
        // Works for root as well: the folder does not exist.
        myAll->Modified = true;
        MsgRecorder rec;
        QVERIFY(!WriteDataFile(session->path("no/such/folder/x.dat")));
        QVERIFY(myAll->Modified);
        QCOMPARE(rec.messages.size(), 1);
        QVERIFY(rec.messages.first().text.startsWith(QStringLiteral("Cannot save")));
    }

private:
    std::unique_ptr<ScratchSession> session;
};

QTEST_GUILESS_MAIN(TestDataFile)
#include "tst_datafile.moc"
