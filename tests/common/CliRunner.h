#pragma once

// Runs the tq6105-cli binary as a script would: arguments, extra environment, and what
// it printed and returned.

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

struct CliRun
{
    int code = -1; // -1: did not finish normally
    QString out;
    QString err;
};

inline CliRun RunCliBinary(const QStringList &args, const QList<QPair<QString, QString>> &environment,
                           const QString &workingDirectory = QString())
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const auto &[name, value] : environment)
        env.insert(name, value);
    p.setProcessEnvironment(env);
    if (!workingDirectory.isEmpty())
        p.setWorkingDirectory(workingDirectory);
    p.start(QStringLiteral(TQ_BIN_DIR "/tq6105-cli"), args);
    CliRun r;
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
        return r;
    r.code = p.exitCode();
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}
