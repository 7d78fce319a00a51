#include "WriteSession.h"

#include "app/All.h"
#include "lang/Language.h"
#include "link/Backups.h"
#include "model/MacType.h"
#include "model/RadioImage.h"

#include <cstdio>

TWriteSession::TWriteSession(std::unique_ptr<TLinkPort> port, QObject *parent)
    : TLinkSession(std::move(port), 100, 50, parent)
{
}

bool TWriteSession::Show()
{
    if (OpenPort())
        return true;
    CloseTime.start();
    return false;
}

void TWriteSession::Ok()
{
    WriteModelBand();
    Pause(450);
    StartWrite();
}

void TWriteSession::StartWrite()
{
    Step = 0;
    ErrorShown = false;
    SetProgress(0);
    if (!Port()->Clear()) {
        ShowFailure(PortErrorText(Port()->ErrorText()));
        return;
    }
    SetOkEnabled(false);
    RxLen = 0;
    Pause(50);
    HeadTime.start();
    if (!SendHandshake())
        ShowFailure(PortErrorText(Port()->ErrorText()));
}

void TWriteSession::HandleReply()
{
    // Replies that come in while the user is asked whether to write wait for the answer.
    if (m_asking)
        return;
    switch (Step) {
    case 2:
        HeadTime.stop();
        IdentificationReply();
        break;
    case 3:
        TransferStep();
        break;
    default:
        TLinkSession::HandleReply();
        break;
    }
}

TWriteSession::ModelAnswer TWriteSession::CheckModel() const
{
    const TMacType *radio = myMacList->FindByCode(ReplyModelCode());
    const TMacType *image = myAll->CurMacType;
    if (!radio || !image)
        return ModelAnswer::Refuse;
    if (radio->Code == image->Code)
        return ModelAnswer::Write;
    if (radio->ChannelCount == image->ChannelCount)
        return ModelAnswer::Ask;
    return ModelAnswer::Refuse;
}

void TWriteSession::IdentificationReply()
{
    switch (CheckModel()) {
    case ModelAnswer::Refuse:
        WantLen = 0;
        Send({LinkByte::End});
        // Nothing more is expected from this radio; later bytes must not send the end
        // byte again.
        Step = 0;
        if (ShowFailure(myLanguage->ModError))
            CloseTime.start();
        return;
    case ModelAnswer::Ask: {
        m_asking = true;
        const int answer = MsgBox(myLanguage->Confirmation, myLanguage->Modforce, MsgQuestion);
        m_asking = false;
        // A line error while the question was open has ended the session already.
        if (m_closed || Step != 2)
            return;
        if (answer == MsgYes) {
            BeginTransfer();
        } else {
            // Nothing more is sent, not even the end byte; the user closes the dialog.
            Step = 0;
            Q_EMIT SessionEnded(false);
        }
        return;
    }
    case ModelAnswer::Write:
        BeginTransfer();
        return;
    }
}

void TWriteSession::BeginTransfer()
{
    WriteStamp(CurrentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    QString error;
    if (SaveBackup(QStringLiteral("write"), &error).isEmpty())
        std::fprintf(stderr, "%s\n", qPrintable(error));
    Step = 3;
    BlockAddr = -8;
    BlockIndex = 0;
    SendAck();
}

void TWriteSession::TransferStep()
{
    if (RxBuf[0] != LinkByte::Ack)
        return;
    TryTime.stop();
    BlockAddr += 8;
    if (BlockAddr == RadioExchangeSize) {
        Complete();
        return;
    }
    QByteArray frame;
    frame.append(char(LinkByte::Write));
    frame.append(char(BlockAddr >> 8));
    frame.append(char(BlockAddr & 0xFF));
    frame.append(char(LinkByte::BlockLength));
    frame.append(reinterpret_cast<const char *>(myAll->RadioImage.data()) + BlockAddr, 8);
    ++BlockIndex;
    WantLen = 1;
    RxLen = 0;
    Send(frame);
    WaitSent();
    TryTime.start();
    SetProgress(Progress() + 1);
}

void TWriteSession::Complete()
{
    WantLen = 1;
    RxLen = 0;
    Send({LinkByte::End});
    WaitSent();
    Step = 0;
    SetProgress(ProgressMax);
    MsgBox(myLanguage->Confirmation, myLanguage->WriteOk, MsgInformation);
    // The same image can go to a further radio with Ok.
    SetProgress(0);
    SetOkEnabled(true);
    Q_EMIT SessionEnded(true);
}

void TWriteSession::TryTimeExpired()
{
    Step = 0;
    if (ErrorShown)
        return;
    SetOkEnabled(true);
    if (ShowFailure(myLanguage->ComError))
        CloseTime.start();
}

void TWriteSession::LineError()
{
    Step = 0;
    Port()->Close();
    ShowFailure(myLanguage->ComError);
}
