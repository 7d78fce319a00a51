#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// How a setting is held in its byte of the settings block (0x120 to 0x133).
enum class SettingEncoding {
    ListIndex, // the byte is the index of the shown list item
    FlagByte,  // checked when the byte equals 1; stores 1 or 0
    Bit0,      // bit 0 of the byte; storing keeps bits 1 to 7
};

// One user-visible function setting, as the Optional, Key and Vox Function windows
// show it. key is the name scripts use for it.
struct SettingInfo
{
    const char *key;
    int address;
    SettingEncoding encoding;
    QStringList items; // list texts in list order (ListIndex only)
    const char *caption;
};

// Every edited setting, in the order the command-line tool lists them.
const std::vector<SettingInfo> &SettingsTable();
const SettingInfo *FindSetting(const QString &key);

// The shown item text of a list setting, or "" when the byte has no item.
QString SettingText(const SettingInfo &s);
// Whether a check-box setting is checked.
bool SettingChecked(const SettingInfo &s);
// Stores a list index (-1 writes 0xFF, as a list with no selection does).
void StoreSettingIndex(const SettingInfo &s, int index);
void StoreSettingChecked(const SettingInfo &s, bool checked);

// Writes the settings defaults of a fresh image into 0x120..0x133.
void WriteSettingsDefaults();
// Forces every setting byte into its range after a read or an open, then makes the
// band byte agree with the current band.
void NormaliseSettings();
