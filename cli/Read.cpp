// read --port PORT FILE: reads a radio into a new data file.

#include "CliSupport.h"
#include "Commands.h"
#include "LinkCommand.h"

#include "link/ReadSession.h"

int RunRead(const QStringList &args)
{
    CommandLine cl(
        QStringLiteral("read"),
        QStringLiteral("Reads the radio on the port and saves what it holds as a data file. When the "
                       "read fails, the reason is on stderr and FILE is neither created nor changed."));
    const auto port = AddPortOption(cl);
    cl.addPositional(QStringLiteral("FILE"), QStringLiteral("The data file to write."));
    cl.setWritesFile();
    if (const auto done = cl.parse(args, 1, 1))
        return *done;
    const std::optional<QString> portName = RequiredPort(cl, port);
    if (!portName)
        return ExitUsage;

    TReadSession session;
    if (!RunLinkSession(session, *portName, QStringLiteral("Reading")))
        return ExitFailed;
    return SaveDataFile(cl.positional().at(0)) ? ExitDone : ExitFailed;
}
