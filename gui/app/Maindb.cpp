#include "Maindb.h"

#include "app/All.h"

TfMaindb *fMaindb = nullptr;

TfMaindb::TfMaindb(const QString &appPath, QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("fMaindb"));
    DataModuleCreate(appPath);
}

void TfMaindb::DataModuleCreate(const QString &appPath)
{
    // The print tables are filled by the printout each time it runs; they need nothing
    // here. The rest is the core's start-up: the four global objects, the program
    // folder, the band table and catalogue, SysInfo.Ini and the message table.
    StartCore(appPath);
}
