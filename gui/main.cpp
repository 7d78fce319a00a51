// The desktop program: starts the session, shows the main window and runs until it closes.

#include "app/Artwork.h"
#include "app/MainFrm.h"
#include "app/Maindb.h"
#include "lang/MessageBoxes.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTimer>

#include <cstdio>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

namespace {

long peakMemoryKb()
{
#ifdef Q_OS_UNIX
    rusage usage{};
    if (getrusage(RUSAGE_SELF, &usage) == 0)
        return usage.ru_maxrss;
#endif
    return -1;
}

} // namespace

int main(int argc, char *argv[])
{
    QElapsedTimer clock;
    clock.start();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tq6105"));
    QApplication::setApplicationVersion(QStringLiteral(TQ_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("tq6105"));
    QApplication::setWindowIcon(ApplicationIcon());

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Programming software for the TQ6105 handheld radios."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption port(QStringLiteral("port"),
                                  QStringLiteral("Use this serial port for this run only (not saved), for "
                                                 "example /dev/ttyUSB0 or a simulated radio's /dev/pts/N."),
                                  QStringLiteral("port"));
    const QCommandLineOption report(QStringLiteral("startup-report"),
                                    QStringLiteral("Print how long the start took and the peak memory, then "
                                                   "quit (for the start-up benchmark)."));
    parser.addOption(port);
    parser.addOption(report);
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("A data file (*.dat) to open."),
                                 QStringLiteral("[file]"));
    parser.process(app);

    fMaindb = new TfMaindb(QCoreApplication::applicationDirPath(), &app);
    InstallMessageBoxes();

    fMainFrm = new TfMainFrm;
    if (parser.isSet(port))
        fMainFrm->SetPortOverride(parser.value(port));
    fMainFrm->showMaximized();
    const qint64 shownMs = clock.elapsed();
    if (!parser.positionalArguments().isEmpty())
        fMainFrm->OpenDataFile(QFileInfo(parser.positionalArguments().constFirst()).absoluteFilePath());
    const qint64 openedMs = clock.elapsed();

    if (parser.isSet(report)) {
        QTimer::singleShot(0, &app, [&] {
            std::printf("shown_ms=%lld opened_ms=%lld events_ms=%lld peak_rss_kb=%ld\n", shownMs, openedMs,
                        clock.elapsed(), peakMemoryKb());
            std::fflush(stdout);
            QCoreApplication::exit(0);
        });
    }
    const int result = app.exec();
    delete fMainFrm;
    return result;
}
