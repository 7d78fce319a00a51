#include "Channel.h"

#include "app/All.h"
#include "codec/Frequency.h"
#include "codec/Tone.h"

void SetChannelField(int channel, int kind, const QString &text)
{
    if (channel < 1 || channel > 16 || kind < 0 || kind > 11)
        return;
    uint8_t *rec = myAll->RadioImage.data() + ChannelAddress(channel);
    switch (kind) {
    case FieldRx: {
        const FrequencyField f = EncodeFrequency(text);
        std::copy(f.begin(), f.end(), rec);
        if (f[0] == 0xFF)
            std::fill(rec + 4, rec + 16, 0xFF);
        break;
    }
    case FieldTx: {
        const FrequencyField f = EncodeFrequency(text);
        std::copy(f.begin(), f.end(), rec + 4);
        if (f[0] == 0xFF) {
            rec[10] = 0xFF;
            rec[11] = 0xFF;
        }
        break;
    }
    case FieldDecode:
    case FieldEncode: {
        const ToneField t = EncodeTone(text);
        std::copy(t.begin(), t.end(), rec + (kind == FieldDecode ? 8 : 10));
        break;
    }
    default: {
        const uint8_t bit = uint8_t(1u << (kind - FieldBusyLock));
        if (text == QLatin1String("1"))
            rec[12] |= bit;
        else
            rec[12] &= uint8_t(~bit);
        break;
    }
    }
}

std::optional<ChannelInfo> DecodeChannel(int channel)
{
    if (channel < 1 || channel > 16)
        return std::nullopt;
    const uint8_t *rec = myAll->RadioImage.data() + ChannelAddress(channel);
    const std::optional<double> rx = DecodeFrequency(rec);
    if (!rx)
        return std::nullopt;
    ChannelInfo c;
    c.rx = *rx;
    c.tx = DecodeFrequency(rec + 4);
    c.decode = DecodeTone(rec + 8);
    c.encode = DecodeTone(rec + 10);
    for (int b = 0; b < 7; ++b)
        c.bits[b] = (rec[12] >> b) & 1;
    return c;
}
