#pragma once

#include "app/All.h"
#include "link/LinkSession.h"

#include <QString>

// Reads radio addresses 0x000 to 0x16F into the radio image. Nothing reaches the image
// before the whole memory is in: an interrupted read leaves it as it was.
class TReadSession : public TLinkSession
{
    Q_OBJECT

public:
    explicit TReadSession(std::unique_ptr<TLinkPort> port = {}, QObject *parent = nullptr);

    // True after the program sent an acknowledge and waits for the radio's; false while
    // a data reply is awaited.
    bool AwaitAck = false;
    // Bytes stored in ReadStore.
    int StoreLen = 0;
    // The data replies in address order: byte N holds radio address N.
    std::array<uint8_t, RadioImageSize> ReadStore{};
    // The model code the radio reported.
    QString RadioModel;
    // A read has completed and reached the image.
    bool ReadDone = false;
    // The first line error of this dialog restarts the read once, without a message.
    bool RetryLeft = true;

    // Runs the automatic restart.
    QTimer ReTime;

    // The dialog is shown: opens the port. On failure the dialog closes shortly after.
    bool Show();
    // The Ok button: starts a read from the handshake.
    void Ok();
    // Acts on the identification reply.
    void CheckModel();
    // Acts on each acknowledge and data reply of the transfer.
    void TransferStep();
    // Takes the read memory into the image and makes its band and model current.
    void CopyToImage();

    void HandleReply() override;
    void Close() override;

protected:
    void TryTimeExpired() override;
    void LineError() override;
    bool ClearsOnOpen() const override { return true; }

private:
    void Complete();
    void Restart();
};
