#pragma once

// Helpers for the desktop program's tests: a scratch program folder holding the shipped
// language files, answers for the file dialogs, and a driver for modal dialogs.

#include "TestSupport.h"

#include "app/FileDialog.h"
#include "lang/IniFile.h"
#include "link/Ports.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>
#include <QTimer>

#include <deque>
#include <functional>

// A fresh core session in a scratch program folder that holds the shipped SysInfo.Ini
// and language files, as an installed program folder does.
class GuiSession
{
public:
    explicit GuiSession(int langIndex = 0, const QString &comPort = QString())
    {
        // No serial port is present unless a test says otherwise.
        SetPortFinder([] { return QList<TPortInfo>(); });
        for (const QString &name :
             {QStringLiteral("SysInfo.Ini"), QStringLiteral("English.Ini"), QStringLiteral("Chinese.Ini"),
              QStringLiteral("QM_English.html"), QStringLiteral("QM_Chinese.html")}) {
            QFile::copy(QStringLiteral(TQ_SHARE_DIR "/") + name, scratch.path(name));
            QFile(scratch.path(name)).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        }
        if (langIndex != 0)
            setSysInfo(QStringLiteral("DefaultLanguage"), QString::number(langIndex));
        if (!comPort.isEmpty())
            setSysInfo(QStringLiteral("Com"), comPort);
        StartCore(scratch.dir.path());
    }
    ~GuiSession() { SetPortFinder(nullptr); }
    GuiSession(const GuiSession &) = delete;
    GuiSession &operator=(const GuiSession &) = delete;

    QString path(const QString &name) const { return scratch.path(name); }

    void setSysInfo(const QString &key, const QString &value)
    {
        IniFile ini;
        ini.load(path(QStringLiteral("SysInfo.Ini")));
        ini.setValue(QStringLiteral("SysInfo"), key, value);
        ini.save(path(QStringLiteral("SysInfo.Ini")));
    }

    ScratchSession scratch;
};

// Answers the program's file dialogs from a script: a path, or "" for Cancel. Records
// which dialogs were asked for.
class FileDialogScript
{
public:
    FileDialogScript()
    {
        SetFileDialogResponder([this](FileDialogKind kind) {
            asked.push_back(kind);
            if (answers.empty())
                return QString();
            const QString a = answers.front();
            answers.pop_front();
            return a;
        });
    }
    ~FileDialogScript() { SetFileDialogResponder(nullptr); }
    FileDialogScript(const FileDialogScript &) = delete;
    FileDialogScript &operator=(const FileDialogScript &) = delete;

    std::deque<QString> answers;
    std::vector<FileDialogKind> asked;
};

// Runs action on the next modal dialog of class T once it is up. If none comes within
// a few seconds every modal dialog is rejected, so a test fails instead of hanging.
template <class T> void OnModal(std::function<void(T *)> action)
{
    auto *timer = new QTimer;
    auto *clock = new QElapsedTimer;
    clock->start();
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, clock, action] {
        if (auto *dialog = qobject_cast<T *>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            delete clock;
            action(dialog);
            return;
        }
        if (clock->elapsed() > 5000) {
            timer->stop();
            timer->deleteLater();
            delete clock;
            if (auto *stuck = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
                stuck->reject();
            QFAIL("the expected dialog did not come up");
        }
    });
    timer->start();
}

// The 448 bytes of a data file whose header names the given model code.
inline QByteArray DataFileWithCode(const QByteArray &code, uint8_t bandCode)
{
    QByteArray bytes(448, char(0xFF));
    bytes[0] = 'P';
    for (int i = 0; i < 4; ++i)
        bytes[1 + i] = code[i];
    bytes[5] = char(0x13);
    bytes[6] = char(0x61);
    bytes[7] = char(0x74);
    bytes[16 + 0x145] = char(bandCode);
    return bytes;
}

inline bool WriteBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}
