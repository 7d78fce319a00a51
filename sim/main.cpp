// tq6105-sim: a simulated radio on a pseudo-terminal, to try the program without a radio
// and to test it. The program opens the terminal as its serial port.

#include "RadioSim.h"

#include "app/All.h"
#include "file/DataFile.h"
#include "model/MacType.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>

#include <algorithm>
#include <csignal>
#include <cstdio>

namespace {

RadioSim *runningRadio = nullptr;

void StopOnSignal(int)
{
    if (runningRadio)
        runningRadio->RequestStop();
}

void Fail(const QString &text)
{
    std::fprintf(stderr, "tq6105-sim: %s\n", qPrintable(text));
}

// The memory as a data file, with the header the program writes for its band and model.
bool SaveMemory(const QByteArray &memory, const QString &fileName)
{
    std::copy(memory.begin(), memory.begin() + RadioImageSize, myAll->RadioImage.begin());
    ApplyModelBand(myAll->RadioImage[0x145], true);
    const QByteArray bytes = BuildDataFile();
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        Fail(QStringLiteral("cannot save %1: %2").arg(fileName, file.errorString()));
        return false;
    }
    std::fprintf(stderr, "tq6105-sim: saved the written memory to %s\n", qPrintable(fileName));
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tq6105-sim"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PROJECT_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral(
            "A simulated TQ6105 radio on a pseudo-terminal. Point the program's serial port at the\n"
            "terminal (its path is printed as the first line, or use --link) and read or write\n"
            "as with a radio on a cable.\n\nFaults for --fault:\n") +
        RadioSim::FaultHelp());
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption imageOption(QStringLiteral("image"),
                                         QStringLiteral("Start with the memory of this data file (*.dat) "
                                                        "instead of an erased radio."),
                                         QStringLiteral("FILE"));
    const QCommandLineOption modelOption(QStringLiteral("model-code"),
                                         QStringLiteral("The model code the radio reports (default 6105)."),
                                         QStringLiteral("CODE"), QStringLiteral("6105"));
    const QCommandLineOption linkOption(QStringLiteral("link"),
                                        QStringLiteral("Make PATH a symbolic link to the terminal instead of "
                                                       "printing its path."),
                                        QStringLiteral("PATH"));
    const QCommandLineOption baudOption(
        QStringLiteral("baud"),
        QStringLiteral("Pace the line at this speed (default 2400); 0 answers "
                       "at once."),
        QStringLiteral("N"), QStringLiteral("2400"));
    const QCommandLineOption saveOption(
        QStringLiteral("save"),
        QStringLiteral("After each completed write, save the radio's memory to "
                       "this data file."),
        QStringLiteral("FILE"));
    const QCommandLineOption onceOption(QStringLiteral("once"),
                                        QStringLiteral("Serve one session, then exit."));
    const QCommandLineOption faultOption(
        QStringLiteral("fault"),
        QStringLiteral("Inject a fault (listed above); may be given more than once."),
        QStringLiteral("KIND[@N]"));
    parser.addOptions(
        {imageOption, modelOption, linkOption, baudOption, saveOption, onceOption, faultOption});
    parser.process(app);
    if (!parser.positionalArguments().isEmpty()) {
        Fail(QStringLiteral("unexpected argument %1").arg(parser.positionalArguments().first()));
        return 2;
    }

    RadioSim radio;
    if (parser.isSet(imageOption)) {
        QFile file(parser.value(imageOption));
        if (!file.open(QIODevice::ReadOnly)) {
            Fail(QStringLiteral("cannot open %1: %2").arg(file.fileName(), file.errorString()));
            return 2;
        }
        const QByteArray bytes = file.read(DataFileSize + 1);
        if (bytes.size() != DataFileSize) {
            Fail(QStringLiteral("%1 is not a data file: it holds %2 bytes, a data file holds %3")
                     .arg(file.fileName())
                     .arg(bytes.size())
                     .arg(DataFileSize));
            return 2;
        }
        radio.SetMemory(bytes.mid(DataFileHeaderSize));
    }
    const QByteArray code = parser.value(modelOption).toLatin1();
    if (code.size() != 4) {
        Fail(QStringLiteral("the model code must be four characters"));
        return 2;
    }
    radio.SetModelCode(code);
    bool baudOk = false;
    const int baud = parser.value(baudOption).toInt(&baudOk);
    if (!baudOk || baud < 0) {
        Fail(QStringLiteral("--baud takes a number, 0 or more"));
        return 2;
    }
    radio.SetBaud(baud);
    for (const QString &text : parser.values(faultOption)) {
        RadioSim::Fault fault;
        QString error;
        if (!RadioSim::ParseFault(text, &fault, &error)) {
            Fail(error);
            return 2;
        }
        radio.AddFault(fault);
    }

    if (parser.isSet(saveOption)) {
        StartCore(QCoreApplication::applicationDirPath());
        const QString saveFile = parser.value(saveOption);
        radio.OnWritten = [saveFile](const QByteArray &memory) { SaveMemory(memory, saveFile); };
    }

    QString error;
    if (!radio.Open(&error)) {
        Fail(error);
        return 1;
    }
    const bool linked = parser.isSet(linkOption);
    if (linked && !radio.SetLink(parser.value(linkOption), &error)) {
        Fail(error);
        return 1;
    }
    const auto announce = [](const QString &path) {
        std::printf("%s\n", qPrintable(path));
        std::fflush(stdout);
    };
    if (!linked) {
        announce(radio.TerminalPath());
        radio.OnNewTerminal = announce;
    }

    runningRadio = &radio;
    struct sigaction action = {};
    action.sa_handler = StopOnSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);

    const bool served = radio.Run(parser.isSet(onceOption), &error);
    runningRadio = nullptr;
    if (!served) {
        Fail(error);
        return 1;
    }
    return 0;
}
