// Read sessions with the real serial port against the simulated radio on a
// pseudo-terminal, at full speed.

#include "LinkTestSupport.h"

#include "link/ReadSession.h"
#include "model/MacType.h"

#include <QDir>
#include <QFile>

namespace {

// A radio whose memory shows where each byte came from, with a VHF band and two settings
// out of range. Addresses above 0x16F hold bytes the program must never ask for.
QByteArray RadioMemory()
{
    QByteArray m(RadioSim::MemorySize, char(0xAB));
    for (int a = 0; a < RadioExchangeSize; ++a)
        m[a] = char((a * 7 + 3) & 0xFF);
    const int settings[20] = {1, 0, 1, 0, 0x20, 1, 1, 0, 1, 1, 0xFF, 0xFF, 0x21, 2, 3, 0xFF, 1, 0x77, 2, 20};
    for (int i = 0; i < 20; ++i)
        m[0x120 + i] = char(settings[i]);
    m[0x145] = char(0xF0); // 150 - 174MHz
    return m;
}

// The image the program held before a read.
void FillImageBeforeRead()
{
    myAll->RadioImage.fill(0x5A);
    for (int a = 0x1A0; a < RadioImageSize; ++a)
        myAll->RadioImage[size_t(a)] = uint8_t(a - 0x190);
    myAll->Modified = false;
}

struct ReadRun
{
    TReadSession session;
    QSignalSpy ended{&session, &TLinkSession::SessionEnded};
    QSignalSpy closes{&session, &TLinkSession::CloseRequested};
};

} // namespace

class TestLinkRead : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void completeRead();
    void erasedRadio();
    void oddRepliesStillRead_data();
    void oddRepliesStillRead();
    void failures_data();
    void failures();
    void restartAfterFirstLineError();
    void secondLineErrorEnds();
};

void TestLinkRead::completeRead()
{
    LinkScratch scratch;
    SimRadio sim(scratch);
    const QByteArray memory = RadioMemory();
    sim.radio.SetMemory(memory);
    QVERIFY(sim.start());
    FillImageBeforeRead();
    const QByteArray before = ImageBytes();

    // The image must still be as it was when the user is told that the read is complete.
    QStringList shown;
    QByteArray imageWhenShown;
    SetMsgBoxResponder([&](const QString &, const QString &text, int) {
        shown.append(text);
        imageWhenShown = ImageBytes();
        return int(MsgOk);
    });

    ReadRun run;
    QSignalSpy progress(&run.session, &TLinkSession::ProgressChanged);
    QVERIFY(run.session.Show());
    run.session.Ok();
    QVERIFY(WaitForCount(run.ended, 1, 5000));
    QCOMPARE(run.ended.at(0).at(0).toBool(), true);
    QCOMPARE(shown, QStringList{QStringLiteral("Reading Completed.")});
    QCOMPARE(imageWhenShown, before);

    const QByteArray after = ImageBytes();
    for (int a = 0; a < RadioExchangeSize; ++a) {
        if (a == 0x124 || a == 0x131)
            continue;
        QVERIFY2(after[a] == memory[a], qPrintable(QStringLiteral("address %1").arg(a, 3, 16)));
    }
    QCOMPARE(int(uint8_t(after[0x124])), 4); // out of range settings were normalised
    QCOMPARE(int(uint8_t(after[0x131])), 5);
    QCOMPARE(after.mid(0x170, 0x30), QByteArray(0x30, '\0'));
    QCOMPARE(after.mid(0x1A0), before.mid(0x1A0));
    QCOMPARE(myAll->CurMacType->Code, QStringLiteral("5105"));
    QCOMPARE(myAll->BandText, QStringLiteral("150 - 174MHz"));
    QCOMPARE(myAll->BandMinFreq, 150.0);
    QVERIFY(myAll->Modified);
    QVERIFY(run.session.ReadDone);
    QCOMPARE(run.session.RadioModel, QStringLiteral("6105"));
    QCOMPARE(progress.last().at(0).toInt(), TLinkSession::ProgressMax);

    QTRY_COMPARE_WITH_TIMEOUT(sim.radio.SessionsEnded(), 1, 1000);
    QCOMPARE(sim.radio.Received(), ReadWire(46, true));
    // Opening waits 50 ms; Ok waits 450 ms and 50 ms; "PROGRAM" goes out with 2 ms
    // between its letters, and the identification request 5 ms after the acknowledge.
    QCOMPARE(scratch.pauses.pauses.mid(0, 10), (QList<int>{50, 450, 50, 2, 2, 2, 2, 2, 2, 5}));

    // The dialog closes itself 300 ms later.
    QVERIFY(WaitForCount(run.closes, 1, 1000));

    // A pristine copy of what was in the radio is kept as a backup.
    const QDir backups(BackupFolder());
    const QStringList files = backups.entryList({QStringLiteral("read-*.dat")});
    QCOMPARE(files, QStringList{QStringLiteral("read-20240517-134509.dat")});
    QFile backup(backups.filePath(files.first()));
    QVERIFY(backup.open(QIODevice::ReadOnly));
    const QByteArray saved = backup.readAll();
    QCOMPARE(saved.size(), 448);
    QCOMPARE(saved.mid(16, RadioExchangeSize), memory.left(RadioExchangeSize));
}

void TestLinkRead::erasedRadio()
{
    LinkScratch scratch;
    SimRadio sim(scratch);
    QVERIFY(sim.start());
    FillImageBeforeRead();

    ReadRun run;
    QVERIFY(run.session.Show());
    run.session.Ok();
    QVERIFY(WaitForCount(run.ended, 1, 5000));
    QVERIFY(run.session.ReadDone);
    // An erased band byte falls back to the UHF model's 440 - 480MHz band.
    QCOMPARE(int(myAll->RadioImage[0x145]), 249);
    QCOMPARE(myAll->BandText, QStringLiteral("440 - 480MHz"));
    QCOMPARE(myAll->CurMacType->Code, QStringLiteral("6105"));
    QCOMPARE(int(myAll->RadioImage[0x170]), 0);
    QCOMPARE(int(myAll->RadioImage[0x19F]), 0);
}

void TestLinkRead::oddRepliesStillRead_data()
{
    QTest::addColumn<QString>("fault");
    QTest::newRow("stray byte before the handshake acknowledge") << QStringLiteral("stray-handshake-ack");
    QTest::newRow("replies split into pieces") << QStringLiteral("split");
}

void TestLinkRead::oddRepliesStillRead()
{
    QFETCH(QString, fault);
    LinkScratch scratch;
    SimRadio sim(scratch);
    RadioSim::Fault f;
    QVERIFY(RadioSim::ParseFault(fault, &f, nullptr));
    sim.radio.AddFault(f);
    const QByteArray memory = RadioMemory();
    sim.radio.SetMemory(memory);
    QVERIFY(sim.start());
    FillImageBeforeRead();

    ReadRun run;
    QVERIFY(run.session.Show());
    run.session.Ok();
    QVERIFY(WaitForCount(run.ended, 1, 8000));
    QCOMPARE(scratch.messages.texts(), QStringList{QStringLiteral("Reading Completed.")});
    QVERIFY(run.session.ReadDone);
    QCOMPARE(ImageBytes().left(0x120), memory.left(0x120));
    QTRY_COMPARE_WITH_TIMEOUT(sim.radio.SessionsEnded(), 1, 1000);
    QCOMPARE(sim.radio.Received(), ReadWire(46, true));
}

void TestLinkRead::failures_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<QByteArray>("wire");

    const QString comError = QStringLiteral("Please check all connections and communication port settings.");
    QTest::newRow("no handshake acknowledge")
        << QStringLiteral("no-handshake-ack") << comError << true << QByteArrayLiteral("PROGRAM");
    // The radio gets the end byte; the dialog stays open with Ok disabled.
    QTest::newRow("model code not in the catalogue")
        << QStringLiteral("unknown-model") << QStringLiteral("Model Type Wrong.") << false
        << QByteArrayLiteral("PROGRAM") + Bytes({0x02, 0x45});
    QTest::newRow("no acknowledge for block 3")
        << QStringLiteral("no-ack@3") << comError << true << ReadWire(4, false);
    // In the transfer only the first byte of a reply counts.
    QTest::newRow("stray byte before the transfer acknowledge")
        << QStringLiteral("stray-ack") << comError << true
        << QByteArrayLiteral("PROGRAM") + Bytes({0x02, 0x06});
    QTest::newRow("more than 49 bytes for a data reply")
        << QStringLiteral("garbage@2") << comError << true
        << ReadWire(2, false) + Bytes({0x52, 0x00, 0x10, 0x08});
}

void TestLinkRead::failures()
{
    QFETCH(QString, fault);
    QFETCH(QString, message);
    QFETCH(bool, closes);
    QFETCH(QByteArray, wire);

    LinkScratch scratch;
    SimRadio sim(scratch);
    RadioSim::Fault f;
    QVERIFY(RadioSim::ParseFault(fault, &f, nullptr));
    sim.radio.AddFault(f);
    sim.radio.SetMemory(RadioMemory());
    QVERIFY(sim.start());
    FillImageBeforeRead();
    const QByteArray before = ImageBytes();

    ReadRun run;
    QVERIFY(run.session.Show());
    run.session.Ok();
    QVERIFY(WaitForCount(run.ended, 1, 5000));
    QCOMPARE(run.ended.at(0).at(0).toBool(), false);
    if (closes)
        QVERIFY(WaitForCount(run.closes, 1, 1000));
    // Whatever timers were still running expire without a second message.
    QTest::qWait(600);
    QCOMPARE(scratch.messages.texts(), QStringList{message});
    QCOMPARE(run.closes.count(), closes ? 1 : 0);
    QVERIFY(!run.session.OkEnabled());
    QCOMPARE(sim.radio.Received(), wire);
    QCOMPARE(ImageBytes(), before);
    QVERIFY(!myAll->Modified);
    QVERIFY(!run.session.ReadDone);
    if (fault == QStringLiteral("no-handshake-ack"))
        QCOMPARE(scratch.pauses.count(2500), 1); // the message comes after a pause
}

void TestLinkRead::restartAfterFirstLineError()
{
    LinkScratch scratch;
    SimRadio sim(scratch);
    sim.radio.AddFault({RadioSim::FaultKind::Hangup, 5});
    sim.radio.SetFaultSessions(1);
    const QByteArray memory = RadioMemory();
    sim.radio.SetMemory(memory);
    QVERIFY(sim.start());
    FillImageBeforeRead();

    ReadRun run;
    QVERIFY(run.session.Show());
    run.session.Ok();
    QVERIFY(WaitForCount(run.ended, 1, 8000));
    // The pulled cable went back in; the read started over once, without a message.
    QCOMPARE(sim.radio.Hangups(), 1);
    QCOMPARE(scratch.messages.texts(), QStringList{QStringLiteral("Reading Completed.")});
    QVERIFY(run.session.ReadDone);
    QVERIFY(!run.session.RetryLeft);
    QCOMPARE(ImageBytes().left(0x120), memory.left(0x120));
    QTRY_COMPARE_WITH_TIMEOUT(sim.radio.SessionsEnded(), 2, 1000);
    QCOMPARE(sim.radio.Received(), ReadWire(5, false) + Bytes({0x52, 0x00, 0x28, 0x08}) + ReadWire(46, true));
}

void TestLinkRead::secondLineErrorEnds()
{
    LinkScratch scratch;
    SimRadio sim(scratch);
    sim.radio.AddFault({RadioSim::FaultKind::Hangup, 5});
    QVERIFY(sim.start());
    FillImageBeforeRead();
    const QByteArray before = ImageBytes();

    ReadRun run;
    QVERIFY(run.session.Show());
    run.session.Ok();
    QVERIFY(WaitForCount(run.ended, 1, 8000));
    QVERIFY(WaitForCount(run.closes, 1, 1000));
    QCOMPARE(sim.radio.Hangups(), 2);
    QCOMPARE(scratch.messages.texts(),
             QStringList{QStringLiteral("Please check all connections and communication port settings.")});
    QCOMPARE(ImageBytes(), before);
    QVERIFY(!run.session.ReadDone);
}

QTEST_GUILESS_MAIN(TestLinkRead)
#include "tst_linkread.moc"
