// verify --port PORT FILE: compares what a radio holds with a data file.

#include "CliSupport.h"
#include "Commands.h"
#include "LinkCommand.h"

#include "app/All.h"
#include "link/ReadSession.h"

namespace {

// A write rewrites the model/band block and the write stamp, so they may differ.
bool RewrittenByWrite(int address)
{
    return (address >= 0x140 && address <= 0x147) || (address >= 0x160 && address <= 0x166);
}

QString Hex(int value, int digits)
{
    return QStringLiteral("%1").arg(value, digits, 16, QLatin1Char('0')).toUpper();
}

} // namespace

int RunVerify(const QStringList &args)
{
    CommandLine cl(
        QStringLiteral("verify"),
        QStringLiteral("Reads the radio on the port and compares radio addresses 0x000 to 0x16F with "
                       "the data file, leaving out the model/band block (0x140-0x147) and the write "
                       "stamp (0x160-0x166), which every write rewrites. Prints each address that "
                       "differs. Exit status 0 when the radio holds the file's data, 1 when it does "
                       "not or cannot be read."));
    const auto port = AddPortOption(cl);
    cl.addPositional(QStringLiteral("FILE"), QStringLiteral("The data file to compare with."));
    if (const auto done = cl.parse(args, 1, 1))
        return *done;
    const std::optional<QString> portName = RequiredPort(cl, port);
    if (!portName)
        return ExitUsage;
    if (!OpenDataFile(cl.positional().at(0)))
        return ExitFailed;
    // The image as a write of this file would send it.
    const auto file = myAll->RadioImage;

    TReadSession session;
    if (!RunLinkSession(session, *portName, QStringLiteral("Reading")))
        return ExitFailed;

    int differences = 0;
    for (int a = 0; a < RadioExchangeSize; ++a) {
        if (RewrittenByWrite(a) || session.ReadStore[size_t(a)] == file[size_t(a)])
            continue;
        ++differences;
        Out(QStringLiteral("0x%1: file %2, radio %3\n")
                .arg(Hex(a, 3), Hex(file[size_t(a)], 2), Hex(session.ReadStore[size_t(a)], 2)));
    }
    if (differences == 0) {
        Err(QStringLiteral("The radio holds the data of the file.\n"));
        return ExitDone;
    }
    Err(QStringLiteral("%1 %2 differ.\n").arg(differences).arg(differences == 1 ? "address" : "addresses"));
    return ExitFailed;
}
