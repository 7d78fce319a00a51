#pragma once

#include <QString>

// Fills a fresh image for the current model and band: 0xFF everywhere up to 0x19F,
// the settings defaults, the model/band block and the stamp of this moment.
void NewImage();
// Writes the model/band block at 0x140 from the current model code and band.
void WriteModelBand();
// Writes the seven stamp bytes at 0x160 from a "yyyy-MM-dd HH:mm:ss" text.
void WriteStamp(const QString &text);
// The stamp at 0x160 as display text.
QString StampText();
// Makes the band byte at 0x145 agree with the current band.
void CheckBandCode();
