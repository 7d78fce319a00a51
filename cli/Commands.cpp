#include "Commands.h"

#include "CliSupport.h"

const std::vector<CliCommand> &CliCommands()
{
    static const std::vector<CliCommand> table = {
        {"new", "Write a data file holding a fresh image for a band", RunNew},
        {"info", "Show the model, band, serial number and times of a data file", RunInfo},
        {"channels", "Show the channels of a data file", RunChannels},
        {"settings", "Show the function settings of a data file", RunSettings},
        {"set-channel", "Edit one channel of a data file", RunSetChannel},
        {"clear-channel", "Erase one channel of a data file", RunClearChannel},
        {"set", "Change function settings and the serial number of a data file", RunSet},
        {"ports", "List the serial ports a radio can be on", RunPorts},
        {"read", "Read a radio into a new data file", RunRead},
        {"write", "Write a data file into a radio", RunWrite},
        {"verify", "Compare what a radio holds with a data file", RunVerify},
    };
    return table;
}

namespace {

QString overallHelp()
{
    QString text =
        QStringLiteral("Usage: %1 COMMAND [options] [arguments]\n"
                       "Reads, edits and writes TQ6105 radios and their data files (*.dat) from the command line.\n\n"
                       "Commands:\n")
            .arg(QLatin1String(CliName));
    for (const CliCommand &c : CliCommands())
        text += QStringLiteral("  %1%2\n")
                    .arg(QString::fromLatin1(c.name).leftJustified(16), QLatin1String(c.summary));
    text +=
        QStringLiteral("\nRun \"%1 COMMAND --help\" for the options of a command.\n\n"
                       "Exit status:\n"
                       "  0  done\n"
                       "  1  the operation failed (the reason is on stderr)\n"
                       "  2  usage error or invalid value (the reason is on stderr, nothing written)\n\n"
                       "Environment:\n"
                       "  %2=\"yyyy-MM-dd HH:mm:ss\"\n"
                       "      fixes the time that is stored in a data file (the save time of its header\n"
                       "      and the write stamp of a new image), so scripts can make reproducible files.\n"
                       "  TQ6105_BACKUP_DIR=FOLDER\n"
                       "      where every read and every write keeps a copy of the radio's memory\n"
                       "      (default: the per-user data folder, tq6105/backups).\n")
            .arg(QLatin1String(CliName), QLatin1String(ClockVariable));
    return text;
}

} // namespace

int RunCli(const QStringList &args)
{
    if (args.isEmpty()) {
        Err(overallHelp());
        return ExitUsage;
    }
    const QString &first = args.first();
    if (first == QLatin1String("--help") || first == QLatin1String("-h") || first == QLatin1String("help")) {
        Out(overallHelp());
        return ExitDone;
    }
    for (const CliCommand &c : CliCommands()) {
        if (first == QLatin1String(c.name)) {
            if (!ApplyClockFromEnvironment())
                return ExitUsage;
            return c.run(args.mid(1));
        }
    }
    return UsageError(QString(), QStringLiteral("unknown command \"%1\"").arg(first));
}
