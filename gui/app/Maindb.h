#pragma once

#include <QObject>
#include <QString>

// The data module: created first at start-up, before any window. Its creation runs the
// start-up steps that need no window (the session state, the band table and catalogue,
// SysInfo.Ini and the message table) for the program in folder appPath.
class TfMaindb : public QObject
{
    Q_OBJECT

public:
    explicit TfMaindb(const QString &appPath, QObject *parent = nullptr);

    void DataModuleCreate(const QString &appPath);
};

extern TfMaindb *fMaindb;
