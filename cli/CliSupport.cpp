#include "CliSupport.h"

#include "Commands.h"

#include "app/All.h"
#include "file/DataFile.h"
#include "lang/Language.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>

#include <cstdio>

namespace {

int questionAnswer = MsgNo;

void write(FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

int cliResponder(const QString &caption, const QString &text, int kind)
{
    // Frequency warnings carry a fixed English prefix whatever the language, so that
    // scripts can tell them from failures.
    if (myLanguage && caption == myLanguage->Caution)
        Err(QStringLiteral("Caution: ") + text + u'\n');
    else
        Err(text + u'\n');
    if (kind != MsgQuestion)
        return MsgOk;
    return questionAnswer;
}

// Breaks running text into lines of at most 79 characters; lines that start with a
// blank (lists) are kept as they are.
QString wrapped(const QString &text)
{
    QStringList out;
    for (const QString &line : text.split(u'\n')) {
        if (line.startsWith(u' ') || line.size() <= 79) {
            out.append(line);
            continue;
        }
        QString current;
        for (const QString &word : line.split(u' ', Qt::SkipEmptyParts)) {
            if (!current.isEmpty() && current.size() + 1 + word.size() > 79) {
                out.append(current);
                current.clear();
            }
            current += (current.isEmpty() ? QString() : QStringLiteral(" ")) + word;
        }
        out.append(current);
    }
    return out.join(u'\n');
}

QString shownName(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

void Out(const QString &text)
{
    write(stdout, text);
}

void Err(const QString &text)
{
    write(stderr, text);
}

int UsageError(const QString &command, const QString &text)
{
    const QString who =
        command.isEmpty() ? QString::fromLatin1(CliName) : QString::fromLatin1(CliName) + u' ' + command;
    Err(QStringLiteral("%1: %2\nTry \"%1 --help\".\n").arg(who, text));
    return ExitUsage;
}

void InstallCliResponder()
{
    SetMsgBoxResponder(cliResponder);
}

void SetCliQuestionAnswer(int answer)
{
    questionAnswer = answer == MsgYes ? MsgYes : MsgNo;
}

bool ApplyClockFromEnvironment()
{
    if (qEnvironmentVariableIsEmpty(ClockVariable))
        return true;
    const QString text = qEnvironmentVariable(ClockVariable);
    const QDateTime fixed = QDateTime::fromString(text.trimmed(), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!fixed.isValid()) {
        UsageError(QString(), QStringLiteral("%1=\"%2\" is not a time of the form yyyy-MM-dd HH:mm:ss")
                                  .arg(QLatin1String(ClockVariable), text));
        return false;
    }
    SetClock([fixed] { return fixed; });
    return true;
}

CommandLine::CommandLine(const QString &command, const QString &description) : m_command(command)
{
    m_parser.setApplicationDescription(wrapped(description));
    m_parser.addOption(QCommandLineOption({QStringLiteral("h"), QStringLiteral("help")},
                                          QStringLiteral("Shows this help.")));
}

void CommandLine::addPositional(const QString &name, const QString &description, const QString &syntax)
{
    m_parser.addPositionalArgument(name, description, syntax);
}

QCommandLineOption CommandLine::addOption(const QString &name, const QString &description,
                                          const QString &valueName, const QString &defaultValue)
{
    QCommandLineOption o(name, description, valueName, defaultValue);
    m_parser.addOption(o);
    return o;
}

std::optional<int> CommandLine::parse(const QStringList &args, int minPositional, int maxPositional)
{
    // The parser takes the first entry for the program name.
    if (!m_parser.parse(QStringList{QString::fromLatin1(CliName)} + args))
        return UsageError(m_command, m_parser.errorText());
    if (m_parser.isSet(QStringLiteral("help"))) {
        Out(helpText());
        return int(ExitDone);
    }
    const qsizetype n = m_parser.positionalArguments().size();
    if (n < minPositional)
        return UsageError(m_command, QStringLiteral("missing arguments"));
    if (maxPositional >= 0 && n > maxPositional)
        return UsageError(m_command, QStringLiteral("unexpected argument \"%1\"")
                                         .arg(m_parser.positionalArguments().at(maxPositional)));
    return std::nullopt;
}

QString CommandLine::helpText() const
{
    QString text = m_parser.helpText();
    // The parser names the program as it was started; the help names the command.
    const int lineEnd = text.indexOf(u'\n');
    const int options = text.indexOf(QLatin1String(" [options]"));
    if (lineEnd > 0 && options > 0 && options < lineEnd)
        text.replace(0, options, QStringLiteral("Usage: %1 %2").arg(QLatin1String(CliName), m_command));
    text += QStringLiteral("\nExit status: 0 done; 1 the operation failed; 2 usage error or invalid value\n"
                           "(nothing written).\n");
    if (m_writesFile)
        text += QStringLiteral("Set %1=\"yyyy-MM-dd HH:mm:ss\" to fix the time stored in the file.\n")
                    .arg(QLatin1String(ClockVariable));
    return text;
}

std::optional<QString> CommandLine::given(const QCommandLineOption &o) const
{
    if (!m_parser.isSet(o))
        return std::nullopt;
    return m_parser.value(o);
}

bool OpenDataFile(const QString &path)
{
    if (QFileInfo(path).isDir()) {
        Err(QStringLiteral("Cannot open \"%1\": it is a folder, not a data file.\n").arg(shownName(path)));
        return false;
    }
    switch (ReadDataFile(path)) {
    case ReadResult::Ok:
        return true;
    case ReadResult::ModelWrong: {
        // The reader has shown "Model Type Wrong."; say which file and what it holds.
        QFile f(path);
        QString code;
        if (f.open(QIODevice::ReadOnly))
            for (char c : f.read(5).mid(1))
                code += (c >= 0x20 && c < 0x7F) ? QChar::fromLatin1(c) : QChar(u'?');
        Err(QStringLiteral("\"%1\" was not opened: its header names model \"%2\", which is not a model of "
                           "this program.\n")
                .arg(shownName(path), code));
        return false;
    }
    case ReadResult::Failed:
        break;
    }
    return false;
}

bool SaveDataFile(const QString &path)
{
    if (QFileInfo(path).isDir()) {
        Err(QStringLiteral("Cannot save \"%1\": it is a folder.\n").arg(shownName(path)));
        return false;
    }
    return WriteDataFile(path);
}

std::optional<bool> ParseSwitch(const QString &text)
{
    const QString t = text.trimmed().toLower();
    if (t == QLatin1String("yes") || t == QLatin1String("true"))
        return true;
    if (t == QLatin1String("no") || t == QLatin1String("false"))
        return false;
    return std::nullopt;
}

std::optional<int> ParseChannelNumber(const QString &text)
{
    bool ok = false;
    const int n = text.trimmed().toInt(&ok, 10);
    if (!ok || n < 1 || n > 16)
        return std::nullopt;
    return n;
}

QString SerialText()
{
    QString text;
    for (int i = 0; i < SerialLength; ++i) {
        const uint8_t b = myAll->RadioImage[size_t(SerialAddress + i)];
        const bool kept = (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9');
        text += kept ? QChar(b) : QChar(u' ');
    }
    return text;
}

QString JsonString(const QString &text)
{
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2));
}

JsonObject &JsonObject::add(const char *key, const QString &value)
{
    m_members.append(JsonString(QString::fromUtf8(key)) + u':' + JsonString(value));
    return *this;
}

JsonObject &JsonObject::add(const char *key, bool value)
{
    m_members.append(JsonString(QString::fromUtf8(key)) + u':' +
                     (value ? QLatin1String("true") : QLatin1String("false")));
    return *this;
}

JsonObject &JsonObject::add(const char *key, int value)
{
    m_members.append(JsonString(QString::fromUtf8(key)) + u':' + QString::number(value));
    return *this;
}

JsonObject &JsonObject::add(const char *key, const JsonObject &value)
{
    m_members.append(JsonString(QString::fromUtf8(key)) + u':' + value.text());
    return *this;
}

QString JsonArray(const QList<JsonObject> &items)
{
    QStringList parts;
    for (const JsonObject &o : items)
        parts.append(o.text());
    return u'[' + parts.join(u',') + u']';
}
