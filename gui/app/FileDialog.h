#pragma once

#include <QString>

#include <functional>

class QWidget;

// The open and save dialogs of the data files. Every file dialog of the program goes
// through here, so tests can answer it.
enum class FileDialogKind { Open, Save };

// The Qt name filter of the data files.
QString DataFileFilter();

// Asks the user for a data file to open or to save into. Returns the chosen path, or an
// empty text when the user cancelled. A save name typed without an extension gets ".dat".
QString AskDataFileName(QWidget *parent, FileDialogKind kind);

// Who answers the dialogs: a function returning a path, or "" for Cancel. Tests install
// one; nullptr restores the real dialogs.
using FileDialogResponder = std::function<QString(FileDialogKind kind)>;
void SetFileDialogResponder(FileDialogResponder responder);

// Appends ".dat" to a file name that has no extension.
QString WithDataExtension(const QString &path);
