#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

using FrequencyField = std::array<uint8_t, 4>;

// Reads a typed number with the point as decimal separator whatever the locale,
// ignoring surrounding blanks and an optional "MHz" suffix.
std::optional<double> ParseFrequencyText(const QString &text);

// Display text (or empty text) to the four BCD bytes, lowest digit pair first.
FrequencyField EncodeFrequency(const QString &text);
// The field in MHz, or nothing when a nibble is not a decimal digit (0xFF: empty).
std::optional<double> DecodeFrequency(const uint8_t *bytes);
// MHz as "0.00000".
QString FormatFrequency(double mhz);
// Moves a frequency down onto the 5 kHz or 6.25 kHz channel raster.
double AlignToStep(double mhz);

struct RangeResult
{
    double value = 0;
    bool warned = false;
};
// Holds a frequency against the model and band limits, showing the ErrRange or
// OutRange warning (caption Caution) at most once.
RangeResult CheckFrequencyRange(double mhz);

// What the channel editors do with a typed, parseable frequency: the range check,
// the raster, then the display text.
QString EnterFrequency(double mhz, bool *warned = nullptr);
