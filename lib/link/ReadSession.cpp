#include "ReadSession.h"

#include "functions/Settings.h"
#include "lang/Language.h"
#include "link/Backups.h"
#include "model/MacType.h"

#include <algorithm>
#include <cstdio>

TReadSession::TReadSession(std::unique_ptr<TLinkPort> port, QObject *parent)
    : TLinkSession(std::move(port), 50, 20, parent)
{
    ReTime.setInterval(500);
    ReTime.setSingleShot(true);
    ReTime.setTimerType(Qt::PreciseTimer);
    connect(&ReTime, &QTimer::timeout, this, [this] {
        ReTime.stop();
        if (!m_closed)
            Restart();
    });
}

bool TReadSession::Show()
{
    ReadDone = false;
    RetryLeft = true;
    if (OpenPort())
        return true;
    CloseTime.start();
    return false;
}

void TReadSession::Ok()
{
    ReadDone = false;
    Step = 0;
    ErrorShown = false;
    SetProgress(0);
    SetOkEnabled(false);
    Pause(450);
    RxLen = 0;
    if (!Port()->Clear()) {
        ShowFailure(PortErrorText(Port()->ErrorText()));
        return;
    }
    Pause(50);
    HeadTime.start();
    if (!SendHandshake())
        ShowFailure(PortErrorText(Port()->ErrorText()));
}

void TReadSession::HandleReply()
{
    switch (Step) {
    case 2:
        HeadTime.stop();
        CheckModel();
        break;
    case 3:
        TransferStep();
        break;
    default:
        TLinkSession::HandleReply();
        break;
    }
}

void TReadSession::CheckModel()
{
    const QString code = ReplyModelCode();
    if (myMacList->FindByCode(code)) {
        RadioModel = code;
        Step = 3;
        BlockAddr = -8;
        StoreLen = 0;
        AwaitAck = true;
        SendAck();
        return;
    }
    WantLen = 0;
    Send({LinkByte::End});
    // Nothing more is expected from this radio; later bytes must not send the end byte
    // again.
    Step = 0;
    ShowFailure(myLanguage->ModError);
}

void TReadSession::TransferStep()
{
    if (AwaitAck) {
        if (RxBuf[0] != LinkByte::Ack)
            return;
        TryTime.stop();
        BlockAddr += 8;
        if (BlockAddr == RadioExchangeSize) {
            Complete();
            return;
        }
        WantLen = 12;
        RxLen = 0;
        AwaitAck = false;
        Send({LinkByte::Read, uint8_t(BlockAddr >> 8), uint8_t(BlockAddr & 0xFF), LinkByte::BlockLength});
        WaitSent();
        TryTime.start();
        return;
    }
    TryTime.stop();
    // The four bytes ahead of the data are not looked at.
    if (StoreLen + 8 <= int(ReadStore.size())) {
        std::copy_n(RxBuf.begin() + 4, 8, ReadStore.begin() + StoreLen);
        StoreLen += 8;
    }
    SetProgress(Progress() + 1);
    AwaitAck = true;
    SendAck();
}

void TReadSession::Complete()
{
    WantLen = 1;
    RxLen = 0;
    AwaitAck = false;
    Send({LinkByte::End});
    WaitSent();
    Step = 0;
    SetProgress(ProgressMax);
    // The image changes only once the user has seen that the read is complete.
    MsgBox(myLanguage->Confirmation, myLanguage->ReadOk, MsgInformation);
    if (m_closed)
        return;
    CopyToImage();
    QString error;
    if (SaveBackup(QStringLiteral("read"), &error).isEmpty())
        std::fprintf(stderr, "%s\n", qPrintable(error));
    NormaliseSettings();
    myAll->Modified = true;
    ReadDone = true;
    CloseTime.start();
    Q_EMIT SessionEnded(true);
}

void TReadSession::CopyToImage()
{
    // The transfer fills the store up to 0x16F, so 0x170 to 0x19F become zero;
    // 0x1A0 to 0x1AF keep what the image holds.
    std::copy_n(ReadStore.begin(), 0x1A0, myAll->RadioImage.begin());
    ApplyModelBand(myAll->RadioImage[0x145], true);
}

void TReadSession::TryTimeExpired()
{
    Step = 0;
    if (ShowFailure(myLanguage->ComError))
        CloseTime.start();
}

void TReadSession::LineError()
{
    Port()->Clear();
    Step = 0;
    // The device failed or went away; the restart opens it afresh.
    Port()->Close();
    if (RetryLeft) {
        // Timers still running from the failed attempt expire without a message.
        ErrorShown = true;
        RetryLeft = false;
        ReTime.start();
    } else {
        TryTime.start();
    }
}

void TReadSession::Restart()
{
    SetOkEnabled(true);
    if (!Port()->IsOpen()) {
        QString reason;
        if (!Port()->Open(ComPort(), &reason)) {
            // The cable is still out: the restarted read fails as a second line error would.
            ReadDone = false;
            Step = 0;
            ErrorShown = false;
            SetProgress(0);
            SetOkEnabled(false);
            TryTime.start();
            return;
        }
    }
    Ok();
}

void TReadSession::Close()
{
    ReTime.stop();
    TLinkSession::Close();
}
