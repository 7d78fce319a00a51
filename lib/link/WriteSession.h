#pragma once

#include "link/LinkSession.h"

// Writes the radio image's addresses 0x000 to 0x16F into a radio. Before the blocks go
// out the radio's model is checked against the image's, and the image gets the model/band
// block and the stamp of this write. The modified flag is left alone.
class TWriteSession : public TLinkSession
{
    Q_OBJECT

public:
    explicit TWriteSession(std::unique_ptr<TLinkPort> port = {}, QObject *parent = nullptr);

    // Blocks sent so far; the next block holds radio address 8 x BlockIndex.
    int BlockIndex = 0;

    enum class ModelAnswer { Refuse, Write, Ask };

    // The dialog is shown: opens the port. On failure the dialog closes shortly after.
    bool Show();
    // The Ok button: rewrites the model/band block and starts a write.
    void Ok();
    // Starts a write from the handshake.
    void StartWrite();
    // What to do with the radio that answered: its model against the image's.
    ModelAnswer CheckModel() const;
    // Acts on each acknowledge of the transfer.
    void TransferStep();

    void HandleReply() override;

protected:
    void TryTimeExpired() override;
    void LineError() override;

private:
    void IdentificationReply();
    void BeginTransfer();
    void Complete();

    bool m_asking = false;
};
