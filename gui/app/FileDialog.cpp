#include "FileDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace {

FileDialogResponder &responder()
{
    static FileDialogResponder r;
    return r;
}

// The folder the last dialog ended in, for the next one.
QString &lastFolder()
{
    static QString folder;
    return folder;
}

} // namespace

QString DataFileFilter()
{
    return QStringLiteral("Data File(*.dat)");
}

QString WithDataExtension(const QString &path)
{
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + QStringLiteral(".dat");
}

QString AskDataFileName(QWidget *parent, FileDialogKind kind)
{
    QString path;
    if (responder()) {
        path = responder()(kind);
    } else {
        QFileDialog dialog(parent);
        dialog.setNameFilter(DataFileFilter());
        dialog.setDefaultSuffix(QStringLiteral("dat"));
        if (!lastFolder().isEmpty())
            dialog.setDirectory(lastFolder());
        if (kind == FileDialogKind::Open) {
            dialog.setAcceptMode(QFileDialog::AcceptOpen);
            dialog.setFileMode(QFileDialog::ExistingFile);
        } else {
            // An existing file is replaced without a second question.
            dialog.setAcceptMode(QFileDialog::AcceptSave);
            dialog.setFileMode(QFileDialog::AnyFile);
            dialog.setOption(QFileDialog::DontConfirmOverwrite);
        }
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            path = dialog.selectedFiles().constFirst();
    }
    if (path.isEmpty())
        return QString();
    if (kind == FileDialogKind::Save)
        path = WithDataExtension(path);
    path = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    lastFolder() = QFileInfo(path).absolutePath();
    return path;
}

void SetFileDialogResponder(FileDialogResponder r)
{
    responder() = std::move(r);
}
