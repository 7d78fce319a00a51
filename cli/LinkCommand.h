#pragma once

// What the read, write and verify commands share: running a link session from opening
// the port to its end, with its progress on stderr.

#include "CliSupport.h"

#include "link/LinkSession.h"

#include <QEventLoop>

#include <optional>

#include <cstdio>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

// The --port option of the commands that talk to a radio.
inline QCommandLineOption AddPortOption(CommandLine &cl)
{
    return cl.addOption(QStringLiteral("port"),
                        QStringLiteral("The serial port of the programming cable, for example ttyUSB0, "
                                       "/dev/ttyUSB0 or COM3 (see the ports command)."),
                        QStringLiteral("PORT"));
}

// The port given with --port, or nothing after reporting the usage error when it is missing.
inline std::optional<QString> RequiredPort(const CommandLine &cl, const QCommandLineOption &option)
{
    const QString port = cl.value(option).trimmed();
    if (port.isEmpty()) {
        UsageError(cl.command(), QStringLiteral("--port is required"));
        return std::nullopt;
    }
    return port;
}

// Opens the port, starts the session as the Ok button would and waits until it ends.
// Every message goes to stderr through the tool's message responder. Returns whether
// the session completed.
template <class Session> bool RunLinkSession(Session &session, const QString &port, const QString &doing)
{
    session.SetComPort(port);
#ifdef Q_OS_UNIX
    const bool terminal = ::isatty(STDERR_FILENO);
#else
    const bool terminal = false;
#endif
    int shownQuarter = 0;
    QObject::connect(&session, &TLinkSession::ProgressChanged, &session, [&](int position) {
        if (position == 0)
            return;
        const int percent = position * 100 / TLinkSession::ProgressMax;
        if (terminal) {
            Err(QStringLiteral("\r%1: %2%").arg(doing).arg(percent, 3));
            if (position == TLinkSession::ProgressMax)
                Err(QStringLiteral("\n"));
        } else if (percent / 25 > shownQuarter) {
            shownQuarter = percent / 25;
            Err(QStringLiteral("%1: %2%\n").arg(doing).arg(shownQuarter * 25));
        }
    });

    QEventLoop loop;
    bool ended = false;
    bool completed = false;
    QObject::connect(&session, &TLinkSession::SessionEnded, &loop, [&](bool ok) {
        ended = true;
        completed = ok;
        loop.quit();
    });
    if (!session.Show()) {
        session.Close();
        return false;
    }
    session.Ok();
    if (!ended)
        loop.exec();
    session.Close();
    return completed;
}
