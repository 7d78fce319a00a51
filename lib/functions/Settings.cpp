#include "Settings.h"

#include "app/All.h"
#include "model/RadioImage.h"

namespace {

uint8_t &byteAt(int address)
{
    return myAll->RadioImage[size_t(address)];
}

void keepRange(int address, int hi, int fallback)
{
    if (byteAt(address) > hi)
        byteAt(address) = uint8_t(fallback);
}

QStringList numbers(int from, int to)
{
    QStringList out;
    for (int i = from; i <= to; ++i)
        out.append(QString::number(i));
    return out;
}

} // namespace

const std::vector<SettingInfo> &SettingsTable()
{
    static const std::vector<SettingInfo> table = {
        {"squelch_level", 0x131, SettingEncoding::ListIndex, numbers(0, 9), "Squelch level"},
        {"tx_time_out",
         0x133,
         SettingEncoding::ListIndex,
         {"Off", "30", "60", "90", "120", "150", "180", "210", "240", "270", "300"},
         "TX Time Out"},
        {"voice", 0x120, SettingEncoding::ListIndex, {"Off", "On"}, "Voice"},
        {"voice_annunciation",
         0x121,
         SettingEncoding::ListIndex,
         {"English", "Chinese"},
         "Voice Annunciation"},
        {"scan", 0x122, SettingEncoding::ListIndex, {"Off", "On"}, "Scan"},
        {"fm_function", 0x129, SettingEncoding::ListIndex, {"Interdict", "Turn on"}, "FM Function"},
        {"incept_alarm", 0x128, SettingEncoding::ListIndex, {"Off", "On"}, "Incept Alarm"},
        {"epilogue", 0x12d, SettingEncoding::ListIndex, {"OFF", "Type-1", "Type-2"}, "Epilogue"},
        {"battery_save",
         0x12e,
         SettingEncoding::ListIndex,
         {"OFF", "1:1", "1:2", "1:3", "1:4"},
         "Battery Save"},
        {"whisper", 0x12f, SettingEncoding::ListIndex, {"On", "Off"}, "Whisper"},
        {"side_key", 0x132, SettingEncoding::ListIndex, {"Off", "Monmome", "H/L Power", "Alarm"}, "Side Key"},
        {"vox_gain_level", 0x124, SettingEncoding::ListIndex, numbers(1, 9), "VOX Gain Level"},
        {"clew_voice", 0x130, SettingEncoding::Bit0, {}, "Clew Voice"},
        {"high_vol_inhibit_tx", 0x127, SettingEncoding::FlagByte, {}, "High Vol Inhibit Tx"},
        {"low_vol_inhibit_tx", 0x126, SettingEncoding::FlagByte, {}, "Low Vol Inhibit Tx"},
        {"vox_function", 0x123, SettingEncoding::FlagByte, {}, "VOX Function"},
        {"vox_inhibit_on_receive", 0x125, SettingEncoding::FlagByte, {}, "VOX Inhibit OnReceive"},
    };
    return table;
}

const SettingInfo *FindSetting(const QString &key)
{
    for (const SettingInfo &s : SettingsTable())
        if (key == QLatin1String(s.key))
            return &s;
    return nullptr;
}

QString SettingText(const SettingInfo &s)
{
    const int v = byteAt(s.address);
    return v < s.items.size() ? s.items.at(v) : QString();
}

bool SettingChecked(const SettingInfo &s)
{
    const uint8_t v = byteAt(s.address);
    return s.encoding == SettingEncoding::Bit0 ? (v & 1) != 0 : v == 1;
}

void StoreSettingIndex(const SettingInfo &s, int index)
{
    byteAt(s.address) = index < 0 ? 0xFF : uint8_t(index);
}

void StoreSettingChecked(const SettingInfo &s, bool checked)
{
    if (s.encoding == SettingEncoding::Bit0)
        byteAt(s.address) = uint8_t((byteAt(s.address) & 0xFE) | (checked ? 1 : 0));
    else
        byteAt(s.address) = checked ? 1 : 0;
}

void WriteSettingsDefaults()
{
    static const uint8_t defaults[20] = {1,    1,    0,    0, 4, 1,    1, 1, 0, 1,
                                         0xFF, 0xFF, 0xFF, 1, 4, 0xFF, 1, 5, 1, 6};
    for (int i = 0; i < 20; ++i)
        byteAt(0x120 + i) = defaults[i];
}

void NormaliseSettings()
{
    for (int a : {0x120, 0x121, 0x122, 0x123})
        byteAt(a) &= 1;
    keepRange(0x124, 8, 4);
    for (int a : {0x125, 0x126, 0x127, 0x128, 0x129})
        byteAt(a) &= 1;
    uint8_t v = byteAt(0x12c);
    if ((v & 0x0F) > 2)
        v &= 0xF0;
    if ((v >> 4) > 2)
        v &= 0x0F;
    byteAt(0x12c) = v;
    keepRange(0x12d, 2, 0);
    keepRange(0x12e, 4, 4);
    keepRange(0x131, 9, 5);
    keepRange(0x132, 3, 1);
    keepRange(0x133, 30, 6);
    CheckBandCode();
}
