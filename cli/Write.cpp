// write --port PORT [--force] FILE: writes a data file into a radio.

#include "CliSupport.h"
#include "Commands.h"
#include "LinkCommand.h"

#include "app/All.h"
#include "lang/Language.h"
#include "link/WriteSession.h"

int RunWrite(const QStringList &args)
{
    CommandLine cl(
        QStringLiteral("write"),
        QStringLiteral("Writes a data file into the radio on the port. A radio of the other model is "
                       "refused unless --force is given."));
    const auto port = AddPortOption(cl);
    const auto force =
        cl.addOption(QStringLiteral("force"),
                     QStringLiteral("Write also to a radio of the other model (answers Yes to \"%1\").")
                         .arg(myLanguage->Modforce));
    cl.addPositional(QStringLiteral("FILE"), QStringLiteral("The data file to write into the radio."));
    if (const auto done = cl.parse(args, 1, 1))
        return *done;
    const std::optional<QString> portName = RequiredPort(cl, port);
    if (!portName)
        return ExitUsage;
    if (!OpenDataFile(cl.positional().at(0)))
        return ExitFailed;

    SetCliQuestionAnswer(cl.isSet(force) ? MsgYes : MsgNo);
    TWriteSession session;
    const bool completed = RunLinkSession(session, *portName, QStringLiteral("Writing"));
    SetCliQuestionAnswer(MsgNo);
    if (completed)
        return ExitDone;
    // Declining the question is no failure message of its own; say how to go on.
    if (!session.ErrorShown)
        Err(QStringLiteral(
            "Nothing was written: the radio is of another model. Give --force to write anyway.\n"));
    return ExitFailed;
}
