// clear-channel FILE N: erases one channel.

#include "CliSupport.h"
#include "Commands.h"

#include "channels/Channel.h"

int RunClearChannel(const QStringList &args)
{
    CommandLine cl(QStringLiteral("clear-channel"),
                   QStringLiteral("Erases channel N of a data file: all 16 bytes of its record become FF."));
    cl.addPositional(QStringLiteral("FILE"), QStringLiteral("The data file to edit."));
    cl.addPositional(QStringLiteral("N"), QStringLiteral("Channel number, 1 to 16."));
    cl.setWritesFile();
    if (const auto done = cl.parse(args, 2, 2))
        return *done;
    const std::optional<int> n = ParseChannelNumber(cl.positional().at(1));
    if (!n)
        return UsageError(
            cl.command(),
            QStringLiteral("channel \"%1\" is not a number from 1 to 16").arg(cl.positional().at(1)));

    const QString path = cl.positional().at(0);
    if (!OpenDataFile(path))
        return ExitFailed;
    SetChannelField(*n, FieldRx, QString());
    return SaveDataFile(path) ? ExitDone : ExitFailed;
}
