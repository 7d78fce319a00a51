// What a pseudo-terminal cannot show reliably, with a port in memory: a reply split over
// several data events, more than 49 bytes, an output queue that never empties, a port
// that fails when a session starts, a pulled cable that stays out.

#include "LinkTestSupport.h"

#include "link/ReadSession.h"
#include "link/WriteSession.h"
#include "model/MacType.h"
#include "model/RadioImage.h"

#include <memory>

namespace {

const QString comError = QStringLiteral("Please check all connections and communication port settings.");

QByteArray IdentReply(const QByteArray &code = "6105")
{
    return Bytes({0x02}) + code + QByteArray(11, '\0');
}

template <class Session> struct FakeRun
{
    FakeRun()
    {
        auto owned = std::make_unique<FakePort>();
        port = owned.get();
        session = std::make_unique<Session>(std::move(owned));
        ended = std::make_unique<QSignalSpy>(session.get(), &TLinkSession::SessionEnded);
        closes = std::make_unique<QSignalSpy>(session.get(), &TLinkSession::CloseRequested);
    }

    // Shows the dialog, presses Ok and answers up to the start of the transfer.
    void startTransfer()
    {
        QVERIFY(session->Show());
        session->Ok();
        port->Feed(Bytes({0x06}));
        port->Feed(IdentReply());
        port->Feed(Bytes({0x06}));
    }

    FakePort *port = nullptr;
    std::unique_ptr<Session> session;
    std::unique_ptr<QSignalSpy> ended;
    std::unique_ptr<QSignalSpy> closes;
};

void UhfImage()
{
    ApplyModelBand(0xF4, true);
    NewImage();
}

} // namespace

class TestLinkFake : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void splitReplyHandledOnce();
    void moreThan49BytesEndsTheWait();
    void drainWaitBound_data();
    void drainWaitBound();
    void failureWhileStarting_data();
    void failureWhileStarting();
    void cancelLeavesImageAlone();
    void restartAfterLineError_data();
    void restartAfterLineError();
};

void TestLinkFake::splitReplyHandledOnce()
{
    LinkScratch scratch;
    FakeRun<TReadSession> run;
    QVERIFY(run.session->Show());
    run.session->Ok();
    QCOMPARE(run.port->written, QByteArrayLiteral("PROGRAM"));
    run.port->Feed(Bytes({0x06}));
    run.port->written.clear();

    const QByteArray ident = IdentReply();
    run.port->Feed(ident.left(3));
    run.port->Feed(ident.mid(3, 7));
    QCOMPARE(run.port->written, QByteArray()); // nothing until the last byte is in
    run.port->Feed(ident.mid(10));
    QCOMPARE(run.port->written, Bytes({0x06}));
    QCOMPARE(run.session->Step, 3);
}

void TestLinkFake::moreThan49BytesEndsTheWait()
{
    LinkScratch scratch;
    FakeRun<TReadSession> run;
    run.startTransfer();
    QCOMPARE(run.port->written.right(4), Bytes({0x52, 0x00, 0x00, 0x08}));
    run.port->written.clear();

    // Ten bytes are not yet a data reply; 45 more make 55, of which 49 are kept, and the
    // reply handler is not run on an overfull buffer.
    run.port->Feed(QByteArray(10, char(0x11)));
    run.port->Feed(QByteArray(45, char(0x22)));
    QCOMPARE(run.session->RxLen, 49);
    QCOMPARE(run.port->written, QByteArray());
    QTRY_COMPARE_WITH_TIMEOUT(scratch.messages.texts(), QStringList{comError}, 2000);
    QVERIFY(WaitForCount(*run.closes, 1, 1000));
}

void TestLinkFake::drainWaitBound_data()
{
    QTest::addColumn<bool>("write");
    QTest::addColumn<int>("pauseMs");
    QTest::addColumn<int>("pauses");
    QTest::newRow("read: 51 pauses of 20 ms") << false << 20 << 51;
    QTest::newRow("write: 101 pauses of 50 ms") << true << 50 << 101;
}

void TestLinkFake::drainWaitBound()
{
    QFETCH(bool, write);
    QFETCH(int, pauseMs);
    QFETCH(int, pauses);
    LinkScratch scratch;
    UhfImage();
    FakeRun<TReadSession> read;
    FakeRun<TWriteSession> writeRun;
    TLinkSession *session = write ? static_cast<TLinkSession *>(writeRun.session.get()) : read.session.get();
    FakePort *port = write ? writeRun.port : read.port;

    QVERIFY(write ? writeRun.session->Show() : read.session->Show());
    scratch.pauses.pauses.clear();
    port->stuckOutput = true;
    if (write)
        writeRun.session->Ok();
    else
        read.session->Ok();
    // The handshake goes out without a drain wait; the identification request waits for
    // an output queue that never empties, but only so long.
    QCOMPARE(scratch.pauses.pauses, (QList<int>{450, 50, 2, 2, 2, 2, 2, 2}));
    scratch.pauses.pauses.clear();
    port->Feed(Bytes({0x06}));
    QCOMPARE(port->written.right(1), Bytes({0x02}));
    QCOMPARE(scratch.pauses.pauses, QList<int>{5} + QList<int>(pauses, pauseMs));
    QCOMPARE(session->Step, 2);
}

void TestLinkFake::failureWhileStarting_data()
{
    QTest::addColumn<bool>("write");
    QTest::newRow("read") << false;
    QTest::newRow("write") << true;
}

void TestLinkFake::failureWhileStarting()
{
    QFETCH(bool, write);
    LinkScratch scratch;
    UhfImage();
    FakeRun<TReadSession> read;
    FakeRun<TWriteSession> writeRun;
    if (write)
        QVERIFY(writeRun.session->Show());
    else
        QVERIFY(read.session->Show());
    FakePort *port = write ? writeRun.port : read.port;
    port->failClear = true;
    if (write)
        writeRun.session->Ok();
    else
        read.session->Ok();

    QCOMPARE(scratch.messages.texts(),
             QStringList{QStringLiteral("Cannot Open Commcmication Port.\nInput/output error")});
    QCOMPARE(port->written, QByteArray());
    // The dialog stays open. The read has disabled its Ok button by then; the write fails
    // before it gets that far.
    QTest::qWait(400);
    QCOMPARE((write ? writeRun.closes : read.closes)->count(), 0);
    QCOMPARE(write ? writeRun.session->OkEnabled() : read.session->OkEnabled(), write);
}

void TestLinkFake::cancelLeavesImageAlone()
{
    LinkScratch scratch;
    UhfImage();
    myAll->Modified = false;
    const QByteArray before = ImageBytes();
    FakeRun<TReadSession> run;
    run.startTransfer();
    for (int block = 0; block < 3; ++block) {
        run.port->Feed(Bytes({0x57, 0x00, block * 8, 0x08}) + QByteArray(8, char(0x33)));
        run.port->Feed(Bytes({0x06}));
    }
    QCOMPARE(run.session->StoreLen, 24);

    run.session->Close(); // Cancel
    QVERIFY(!run.port->open);
    QTest::qWait(600);
    QCOMPARE(scratch.messages.texts(), QStringList());
    QCOMPARE(ImageBytes(), before);
    QVERIFY(!myAll->Modified);
    QVERIFY(!run.session->ReadDone);
    QCOMPARE(run.port->written.right(4), Bytes({0x52, 0x00, 0x18, 0x08})); // no end byte
}

void TestLinkFake::restartAfterLineError_data()
{
    QTest::addColumn<bool>("cableBack");
    QTest::newRow("the port opens again: the read starts over") << true;
    QTest::newRow("the port stays gone: ComError") << false;
}

void TestLinkFake::restartAfterLineError()
{
    QFETCH(bool, cableBack);
    LinkScratch scratch;
    FakeRun<TReadSession> run;
    run.startTransfer();
    run.port->failOpen = !cableBack;
    run.port->written.clear();
    run.port->Fail();
    QVERIFY(!run.port->open);
    QCOMPARE(run.session->Step, 0);

    if (cableBack) {
        QTRY_COMPARE_WITH_TIMEOUT(run.port->written, QByteArrayLiteral("PROGRAM"), 2000);
        QCOMPARE(run.port->opens, 2);
        QCOMPARE(run.session->Step, 1);
        QCOMPARE(scratch.messages.texts(), QStringList());
        return;
    }
    QTRY_COMPARE_WITH_TIMEOUT(scratch.messages.texts(), QStringList{comError}, 2000);
    QVERIFY(WaitForCount(*run.closes, 1, 1000));
    QCOMPARE(run.port->written, QByteArray());
}

QTEST_GUILESS_MAIN(TestLinkFake)
#include "tst_linkfake.moc"
