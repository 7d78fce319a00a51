#pragma once

#include <QString>

// Every completed read and every image about to be written is also kept as a data file
// in a backups folder, so a pristine copy of what was in a radio survives whatever the
// user does next. Backups older than a year are removed.

constexpr int BackupKeepDays = 365;

// The backups folder: $TQ6105_BACKUP_DIR when set, else "tq6105/backups" in the
// per-user data folder.
QString BackupFolder();
// Overrides the folder (tests); an empty text restores the default.
void SetBackupFolder(const QString &folder);

// Saves the current image as "<kind>-yyyyMMdd-HHmmss.dat" (kind "read" or "write"),
// stamped with the program's clock, then removes backups older than BackupKeepDays.
// Returns the file written, or an empty text (with the reason in *error) when it failed.
QString SaveBackup(const QString &kind, QString *error = nullptr);

// Removes the backups whose time stamp in the name lies more than BackupKeepDays
// before the program's clock. Other files in the folder are left alone.
void PruneBackups();
