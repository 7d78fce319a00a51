#pragma once

// Helpers that every command shares: its command line, opening and saving a data
// file, the switch and channel-number values, output and JSON.

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <optional>

// The name the tool calls itself in its messages and help.
inline const char *const CliName = "tq6105-cli";

// Writes text to stdout or stderr as UTF-8.
void Out(const QString &text);
void Err(const QString &text);

// Prints "tq6105-cli COMMAND: text" and a pointer to the command's help on stderr and
// returns ExitUsage.
int UsageError(const QString &command, const QString &text);

// Installs the MsgBox responder of the tool: frequency warnings print as
// "Caution: text", every other message as its text, all on stderr. Questions are
// answered with the given answer (No unless a command asks otherwise).
void InstallCliResponder();
void SetCliQuestionAnswer(int answer);

// Fixes the clock from TQ6105_NOW ("yyyy-MM-dd HH:mm:ss") when it is set. Returns
// false with a message on stderr when it holds no such time.
bool ApplyClockFromEnvironment();
inline const char *const ClockVariable = "TQ6105_NOW";

// The command line of one command: its options and positional arguments, --help, and
// the check of the argument count.
class CommandLine
{
public:
    CommandLine(const QString &command, const QString &description);

    void addPositional(const QString &name, const QString &description, const QString &syntax = QString());
    QCommandLineOption addOption(const QString &name, const QString &description,
                                 const QString &valueName = QString(),
                                 const QString &defaultValue = QString());
    // Adds a note on TQ6105_NOW to the help of a command that writes a file.
    void setWritesFile() { m_writesFile = true; }

    // Parses the arguments. Returns nothing when the command should go on; otherwise the
    // exit code, after printing the help (--help) or a usage error. maxPositional -1
    // allows any number.
    std::optional<int> parse(const QStringList &args, int minPositional, int maxPositional);

    QString helpText() const;
    const QString &command() const { return m_command; }
    QStringList positional() const { return m_parser.positionalArguments(); }
    bool isSet(const QCommandLineOption &o) const { return m_parser.isSet(o); }
    QString value(const QCommandLineOption &o) const { return m_parser.value(o); }
    // The option's value, or nothing when the option was not given.
    std::optional<QString> given(const QCommandLineOption &o) const;

private:
    QString m_command;
    QCommandLineParser m_parser;
    bool m_writesFile = false;
};

// Reads FILE into the session through the data file reader; on failure the reason is
// on stderr and false is returned.
bool OpenDataFile(const QString &path);
// Saves the session's image to FILE; on failure the reason is on stderr.
bool SaveDataFile(const QString &path);

// yes/no (also true/false), any case: true, false, or nothing for other text.
std::optional<bool> ParseSwitch(const QString &text);
// A channel number 1 to 16; nothing for other text.
std::optional<int> ParseChannelNumber(const QString &text);

// The serial number bytes at 0x150 as the radio information window shows them: letters
// and digits as they are, every other byte as a space, always 16 characters.
QString SerialText();
constexpr int SerialAddress = 0x150;
constexpr int SerialLength = 16;

// A JSON object that keeps its keys in the order they were added, printed compact.
class JsonObject
{
public:
    JsonObject &add(const char *key, const QString &value);
    JsonObject &add(const char *key, const char *value) { return add(key, QString::fromUtf8(value)); }
    JsonObject &add(const char *key, bool value);
    JsonObject &add(const char *key, int value);
    JsonObject &add(const char *key, const JsonObject &value);
    QString text() const { return u'{' + m_members.join(u',') + u'}'; }

private:
    QStringList m_members;
};

// A string as a JSON string literal, quotes included.
QString JsonString(const QString &text);
// Objects joined into a JSON array.
QString JsonArray(const QList<JsonObject> &items);
