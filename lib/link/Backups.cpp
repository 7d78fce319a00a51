#include "Backups.h"

#include "app/All.h"
#include "file/DataFile.h"

#include <QDir>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

QString &folderOverride()
{
    static QString folder;
    return folder;
}

const QString stampFormat = QStringLiteral("yyyyMMdd-HHmmss");

} // namespace

QString BackupFolder()
{
    if (!folderOverride().isEmpty())
        return folderOverride();
    const QString fromEnvironment = qEnvironmentVariable("TQ6105_BACKUP_DIR");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    // One folder for the desktop program and the command-line tool alike.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/tq6105/backups");
}

void SetBackupFolder(const QString &folder)
{
    folderOverride() = folder;
}

QString SaveBackup(const QString &kind, QString *error)
{
    const QString folder = BackupFolder();
    if (!QDir().mkpath(folder)) {
        if (error)
            *error =
                QStringLiteral("Cannot create the backups folder %1.").arg(QDir::toNativeSeparators(folder));
        return QString();
    }
    const QString base = folder + u'/' + kind + u'-' + CurrentDateTime().toString(stampFormat);
    QString path = base + QStringLiteral(".dat");
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = base + QStringLiteral("-%1.dat").arg(n);

    const QByteArray bytes = BuildDataFile();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = QStringLiteral("Cannot save the backup %1: %2")
                         .arg(QDir::toNativeSeparators(path), file.errorString());
        return QString();
    }
    PruneBackups();
    return path;
}

void PruneBackups()
{
    static const QRegularExpression name(QStringLiteral("^(read|write)-(\\d{8}-\\d{6})(-\\d+)?\\.dat$"));
    const QDateTime limit = CurrentDateTime().addDays(-BackupKeepDays);
    QDir dir(BackupFolder());
    for (const QString &entry : dir.entryList(QDir::Files)) {
        const QRegularExpressionMatch m = name.match(entry);
        if (!m.hasMatch())
            continue;
        const QDateTime stamp = QDateTime::fromString(m.captured(2), stampFormat);
        if (stamp.isValid() && stamp < limit)
            dir.remove(entry);
    }
}
