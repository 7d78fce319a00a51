#pragma once

#include <QString>

#include <optional>

// Field kinds of a channel record, as SetChannelField takes them.
enum ChannelField {
    FieldRx = 0,
    FieldTx = 1,
    FieldDecode = 2,
    FieldEncode = 3,
    FieldBusyLock = 4, // flag bit 0
    FieldBit1 = 5,
    FieldBandwidth = 6,  // bit 2: 0 Wide, 1 Narrow
    FieldPower = 7,      // bit 3: 0 Low, 1 High
    FieldScanAdd = 8,    // bit 4, active low
    FieldCompander = 9,  // bit 5, active low
    FieldScrambler = 10, // bit 6, active low
    FieldWhisper = 11,   // bit 7
};

// A present channel as the editors show it.
struct ChannelInfo
{
    double rx = 0;
    std::optional<double> tx;
    QString decode; // empty for no tone
    QString encode;
    int bits[7] = {}; // flag bits 0 to 6, each 0 or 1
};

// Radio address of channel n's record (n from 1).
constexpr int ChannelAddress(int n)
{
    return 16 * n;
}

// Writes one field of channel n from its display text. An empty RX erases the whole
// record; an empty TX clears the encode tone with it.
void SetChannelField(int channel, int kind, const QString &text);
// The channel, or nothing when its RX field holds no frequency.
std::optional<ChannelInfo> DecodeChannel(int channel);
