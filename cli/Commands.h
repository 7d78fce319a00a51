#pragma once

#include <QStringList>

#include <vector>

// Exit codes of every command. Scripts rely on them.
enum CliExit {
    ExitDone = 0,   // the command did what it was asked
    ExitFailed = 1, // the operation failed; the reason is on stderr
    ExitUsage = 2,  // usage error or invalid value; the reason is on stderr, nothing written
};

// One command of the tool: its name on the command line, the one line that the
// overall help shows for it, and the function that runs it with the arguments that
// follow the command name.
struct CliCommand
{
    const char *name;
    const char *summary;
    int (*run)(const QStringList &args);
};

// The command table, in the order the help lists it.
const std::vector<CliCommand> &CliCommands();

// Runs the tool with its arguments (without the program name) and returns the exit
// code. The core must have been started.
int RunCli(const QStringList &args);

// The commands, one file each.
int RunNew(const QStringList &args);
int RunInfo(const QStringList &args);
int RunChannels(const QStringList &args);
int RunSettings(const QStringList &args);
int RunSetChannel(const QStringList &args);
int RunClearChannel(const QStringList &args);
int RunSet(const QStringList &args);
int RunPorts(const QStringList &args);
int RunRead(const QStringList &args);
int RunWrite(const QStringList &args);
int RunVerify(const QStringList &args);
