#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

using ToneField = std::array<uint8_t, 2>;

// Tone text (67.0, D023N, D023I, or empty for none) to the two bytes of a channel.
ToneField EncodeTone(const QString &text);
// The two bytes as tone text; empty for no tone or a field that fits no form.
QString DecodeTone(const uint8_t *bytes);
// Brings a typed tone into a display form: CTCSS held to 30.0..290.0, malformed DCS
// becomes D777N.
QString NormaliseTone(const QString &text);

// The no-tone item that heads the drop-down tone list.
inline const char *const NoToneText = "None";
// The drop-down list of the tone boxes: "None", 39 CTCSS tones, 83 normal and 82
// inverted DCS codes.
const QStringList &DropDownToneList();
// The tone picker's lists, each followed by three empty fillers.
const QStringList &CtcssPickerList();
const QStringList &DcsPickerList();
