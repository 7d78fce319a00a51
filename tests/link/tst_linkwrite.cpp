// Write sessions with the real serial port against the simulated radio on a
// pseudo-terminal, at full speed.

#include "LinkTestSupport.h"

#include "link/WriteSession.h"
#include "model/MacType.h"
#include "model/RadioImage.h"

#include <QDir>
#include <QFile>

namespace {

const QString comError = QStringLiteral("Please check all connections and communication port settings.");

// A UHF image whose channel bytes show their address, with the model/band block and the
// stamp cleared so that their rewriting shows.
void PrepareImage()
{
    ApplyModelBand(0xF4, true); // 450 - 470MHz
    NewImage();
    for (int a = 0x010; a < 0x110; ++a)
        myAll->RadioImage[size_t(a)] = uint8_t(a * 3);
    for (int a = 0x140; a < 0x148; ++a)
        myAll->RadioImage[size_t(a)] = 0;
    for (int a = 0x160; a < 0x170; ++a)
        myAll->RadioImage[size_t(a)] = 0;
    myAll->Modified = true;
}

QByteArray Stamp(int year, int month, int day, int hour, int minute, int second)
{
    return Bytes({year & 0xFF, year >> 8, month, day, hour, minute, second});
}

struct WriteRun
{
    TWriteSession session;
    QSignalSpy ended{&session, &TLinkSession::SessionEnded};
    QSignalSpy closes{&session, &TLinkSession::CloseRequested};
};

} // namespace

class TestLinkWrite : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void completeWriteAndWriteAgain();
    void otherModel_data();
    void otherModel();
    void failures_data();
    void failures();
    void lineError();
};

void TestLinkWrite::completeWriteAndWriteAgain()
{
    LinkScratch scratch;
    SimRadio sim(scratch);
    QVERIFY(sim.start());
    PrepareImage();

    WriteRun run;
    QVERIFY(run.session.Show());
    run.session.Ok();
    QVERIFY(WaitForCount(run.ended, 1, 5000));
    QCOMPARE(run.ended.at(0).at(0).toBool(), true);
    QCOMPARE(scratch.messages.texts(), QStringList{QStringLiteral("Writing Completed.")});

    // The model/band block and the stamp were rewritten before the blocks went out.
    const QByteArray image = ImageBytes();
    QCOMPARE(image.mid(0x140, 8), Bytes({0x50, '6', '1', '0', '5', 0xF4, 0x00, 0x00}));
    QCOMPARE(image.mid(0x160, 7), Stamp(2024, 5, 17, 13, 45, 9));
    QTRY_COMPARE_WITH_TIMEOUT(sim.radio.SessionsEnded(), 1, 1000);
    QCOMPARE(sim.radio.Received(), WriteWire(image, 46, true));
    QCOMPARE(sim.radio.Memory().left(RadioExchangeSize), image.left(RadioExchangeSize));
    QCOMPARE(sim.radio.Memory().mid(RadioExchangeSize), QByteArray(0x40, char(0xFF)));
    QVERIFY(myAll->Modified); // a write leaves the modified flag alone
    QCOMPARE(QList<int>(scratch.pauses.pauses.mid(0, 10)), (QList<int>{50, 450, 50, 2, 2, 2, 2, 2, 2, 5}));

    // The dialog stays ready for a further radio.
    QVERIFY(run.session.OkEnabled());
    QCOMPARE(run.session.Progress(), 0);
    QTest::qWait(400);
    QCOMPARE(run.closes.count(), 0);

    // The image about to be written was kept as a backup.
    QFile backup(QDir(BackupFolder()).filePath(QStringLiteral("write-20240517-134509.dat")));
    QVERIFY(backup.open(QIODevice::ReadOnly));
    QCOMPARE(backup.readAll().mid(16), image);

    // Ok writes again, with a fresh stamp.
    SetClock([] { return QDateTime(QDate(2024, 6, 1), QTime(8, 0, 0)); });
    sim.radio.ClearReceived();
    run.session.Ok();
    QVERIFY(WaitForCount(run.ended, 2, 5000));
    QCOMPARE(run.ended.at(1).at(0).toBool(), true);
    QCOMPARE(ImageBytes().mid(0x160, 7), Stamp(2024, 6, 1, 8, 0, 0));
    QCOMPARE(sim.radio.Memory().mid(0x160, 7), Stamp(2024, 6, 1, 8, 0, 0));
    QTRY_COMPARE_WITH_TIMEOUT(sim.radio.SessionsEnded(), 2, 1000);
    QCOMPARE(sim.radio.Received(), WriteWire(ImageBytes(), 46, true));
    QCOMPARE(scratch.messages.texts().size(), 2);
    QVERIFY(QFile::exists(QDir(BackupFolder()).filePath(QStringLiteral("write-20240601-080000.dat"))));
}

void TestLinkWrite::otherModel_data()
{
    QTest::addColumn<int>("answer");
    QTest::newRow("Yes writes") << int(MsgYes);
    QTest::newRow("No sends nothing more") << int(MsgNo);
}

void TestLinkWrite::otherModel()
{
    QFETCH(int, answer);
    LinkScratch scratch;
    scratch.messages.answers.push_back(answer);
    SimRadio sim(scratch);
    sim.radio.SetModelCode("5105"); // a VHF radio for a UHF image
    QVERIFY(sim.start());
    PrepareImage();

    WriteRun run;
    QVERIFY(run.session.Show());
    run.session.Ok();
    QVERIFY(WaitForCount(run.ended, 1, 5000));
    QCOMPARE(scratch.messages.messages.first().text, QStringLiteral("Do you wish to Force write data?"));
    QCOMPARE(scratch.messages.messages.first().kind, int(MsgQuestion));
    if (answer == MsgYes) {
        QCOMPARE(run.ended.at(0).at(0).toBool(), true);
        QCOMPARE(scratch.messages.texts().last(), QStringLiteral("Writing Completed."));
        QTRY_COMPARE_WITH_TIMEOUT(sim.radio.SessionsEnded(), 1, 1000);
        QCOMPARE(sim.radio.Memory().left(RadioExchangeSize), ImageBytes().left(RadioExchangeSize));
        return;
    }
    QCOMPARE(run.ended.at(0).at(0).toBool(), false);
    QTest::qWait(600);
    // No block and no end byte; the dialog stays open with Ok disabled.
    QCOMPARE(sim.radio.Received(), QByteArrayLiteral("PROGRAM") + Bytes({0x02}));
    QCOMPARE(scratch.messages.texts().size(), 1);
    QCOMPARE(run.closes.count(), 0);
    QVERIFY(!run.session.OkEnabled());
    // The model/band block was rewritten at the start; the stamp was not.
    QCOMPARE(ImageBytes().mid(0x140, 2), Bytes({0x50, '6'}));
    QCOMPARE(ImageBytes().mid(0x160, 7), QByteArray(7, '\0'));
}

void TestLinkWrite::failures_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QByteArray>("radioCode");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("okEnabled");
    QTest::addColumn<int>("blocksSent");
    QTest::addColumn<bool>("endSent");

    QTest::newRow("no identification reply")
        << QStringLiteral("no-ident") << QByteArray("6105") << comError << false << -1 << false;
    QTest::newRow("model code not in the catalogue")
        << QStringLiteral("unknown-model") << QByteArray("6105") << QStringLiteral("Model Type Wrong.")
        << false << -1 << true;
    QTest::newRow("model with another channel count")
        << QString() << QByteArray("7105") << QStringLiteral("Model Type Wrong.") << false << -1 << true;
    // The blocks before it were sent and acknowledged.
    QTest::newRow("no acknowledge for block 7")
        << QStringLiteral("no-ack@7") << QByteArray("6105") << comError << true << 8 << false;
}

void TestLinkWrite::failures()
{
    QFETCH(QString, fault);
    QFETCH(QByteArray, radioCode);
    QFETCH(QString, message);
    QFETCH(bool, okEnabled);
    QFETCH(int, blocksSent);
    QFETCH(bool, endSent);

    LinkScratch scratch;
    auto eight = std::make_unique<TMacType>(QStringLiteral("7105"), 8, QStringLiteral("Eight channels"));
    eight->AddBand(QStringLiteral(" 27 -  72MHz"));
    myMacList->Add(std::move(eight));
    SimRadio sim(scratch);
    if (!fault.isEmpty()) {
        RadioSim::Fault f;
        QVERIFY(RadioSim::ParseFault(fault, &f, nullptr));
        sim.radio.AddFault(f);
    }
    sim.radio.SetModelCode(radioCode);
    QVERIFY(sim.start());
    PrepareImage();

    WriteRun run;
    QVERIFY(run.session.Show());
    run.session.Ok();
    QVERIFY(WaitForCount(run.ended, 1, 5000));
    QCOMPARE(run.ended.at(0).at(0).toBool(), false);
    QVERIFY(WaitForCount(run.closes, 1, 1000));
    QTest::qWait(500);
    QCOMPARE(scratch.messages.texts(), QStringList{message});
    QCOMPARE(run.session.OkEnabled(), okEnabled);
    QByteArray wire = QByteArrayLiteral("PROGRAM") + Bytes({0x02});
    if (blocksSent >= 0)
        wire = WriteWire(ImageBytes(), blocksSent, false);
    if (endSent)
        wire += Bytes({0x45});
    QCOMPARE(sim.radio.Received(), wire);
}

void TestLinkWrite::lineError()
{
    LinkScratch scratch;
    SimRadio sim(scratch);
    sim.radio.AddFault({RadioSim::FaultKind::Hangup, 4});
    QVERIFY(sim.start());
    PrepareImage();

    WriteRun run;
    QVERIFY(run.session.Show());
    run.session.Ok();
    QVERIFY(WaitForCount(run.ended, 1, 5000));
    QCOMPARE(scratch.messages.texts(), QStringList{comError});
    // No restart and no close: the dialog stays with Ok disabled, and the transfer timer
    // still running expires without a second message.
    QTest::qWait(700);
    QCOMPARE(scratch.messages.texts().size(), 1);
    QCOMPARE(run.closes.count(), 0);
    QVERIFY(!run.session.OkEnabled());
    QCOMPARE(sim.radio.Hangups(), 1);
    QVERIFY(myAll->Modified);
}

QTEST_GUILESS_MAIN(TestLinkWrite)
#include "tst_linkwrite.moc"
