#pragma once

#include <QByteArray>
#include <QString>

constexpr int DataFileSize = 448;
constexpr int DataFileHeaderSize = 16;

enum class ReadResult {
    Ok,
    ModelWrong, // "Model Type Wrong.": the caller clears its file name
    Failed,     // the file could not be read or is not a data file; nothing changed
};

// The 448 bytes of a data file for the current image, stamped with the clock's time.
QByteArray BuildDataFile();

// Saves the image atomically: a temporary file beside the target, then a rename, so a
// failed save leaves the previous file as it was. Clears the modified flag on success;
// on failure reports the file and the reason and leaves the flag set.
bool WriteDataFile(const QString &fileName);

// Reads a data file into the image and applies its band and model, then normalises
// the settings. On failure it reports why and leaves the image and the session as
// they were. Does not touch the modified flag or any window.
ReadResult ReadDataFile(const QString &fileName);
