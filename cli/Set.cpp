// set FILE KEY=VALUE...: function settings and the serial number.

#include "CliSupport.h"
#include "Commands.h"

#include "app/All.h"
#include "functions/Settings.h"

#include <functional>

namespace {

QStringList allKeys()
{
    QStringList keys;
    for (const SettingInfo &s : SettingsTable())
        keys.append(QLatin1String(s.key));
    keys.append(QStringLiteral("serial"));
    return keys;
}

// The item of a list setting; exact text first, then without regard to case.
int itemIndex(const SettingInfo &s, const QString &value)
{
    const int exact = int(s.items.indexOf(value));
    if (exact >= 0)
        return exact;
    for (int i = 0; i < s.items.size(); ++i)
        if (s.items.at(i).compare(value, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

// The serial number as the radio information window stores it: upper case, padded
// with spaces to 16. Only what that window shows back is allowed: letters, digits
// and spaces.
std::optional<QString> serialArgument(const QString &value, QString *why)
{
    if (value.size() > SerialLength) {
        *why = QStringLiteral("it has %1 characters; the radio keeps at most %2")
                   .arg(value.size())
                   .arg(SerialLength);
        return std::nullopt;
    }
    QString upper;
    for (QChar c : value) {
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - u'a' + u'A');
        if (!((c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u' ')) {
            *why = QStringLiteral("it may hold only the letters A to Z, the digits 0 to 9 and spaces");
            return std::nullopt;
        }
        upper += c;
    }
    return upper.leftJustified(SerialLength, u' ');
}

} // namespace

int RunSet(const QStringList &args)
{
    CommandLine cl(
        QStringLiteral("set"),
        QStringLiteral("Changes function settings and the serial number of a data file.\n\nKeys and "
                       "their values (\"settings FILE\" shows the current ones):\n") +
            [] {
                QString list;
                for (const SettingInfo &s : SettingsTable())
                    list += QStringLiteral("  %1%2\n")
                                .arg(QString::fromLatin1(s.key).leftJustified(24),
                                     s.encoding == SettingEncoding::ListIndex ? s.items.join(u'|')
                                                                              : QStringLiteral("true|false"));
                list += QStringLiteral("  %1up to 16 letters, digits or spaces (stored upper case)")
                            .arg(QStringLiteral("serial").leftJustified(24));
                return list;
            }());
    cl.addPositional(QStringLiteral("FILE"), QStringLiteral("The data file to edit."));
    cl.addPositional(QStringLiteral("KEY=VALUE"), QStringLiteral("A setting and its new value."),
                     QStringLiteral("KEY=VALUE..."));
    cl.setWritesFile();
    if (const auto done = cl.parse(args, 2, -1))
        return *done;

    // Every pair is checked before the file is opened, so a bad one writes nothing.
    QList<std::function<void()>> changes;
    const QStringList pairs = cl.positional().mid(1);
    for (const QString &pair : pairs) {
        const qsizetype eq = pair.indexOf(u'=');
        if (eq <= 0)
            return UsageError(cl.command(), QStringLiteral("\"%1\" is not KEY=VALUE").arg(pair));
        const QString key = pair.left(eq).trimmed();
        const QString value = pair.mid(eq + 1);
        if (key == QLatin1String("serial")) {
            QString why;
            const std::optional<QString> serial = serialArgument(value, &why);
            if (!serial)
                return UsageError(cl.command(), QStringLiteral("serial: \"%1\": %2").arg(value, why));
            changes.append([text = *serial] {
                for (int i = 0; i < SerialLength; ++i)
                    myAll->RadioImage[size_t(SerialAddress + i)] = uint8_t(text.at(i).toLatin1());
            });
            continue;
        }
        const SettingInfo *s = FindSetting(key);
        if (!s)
            return UsageError(cl.command(), QStringLiteral("unknown key \"%1\"; the keys are: %2")
                                                .arg(key, allKeys().join(QStringLiteral(", "))));
        if (s->encoding == SettingEncoding::ListIndex) {
            const int index = itemIndex(*s, value.trimmed());
            if (index < 0)
                return UsageError(cl.command(), QStringLiteral("%1: \"%2\" is not one of: %3")
                                                    .arg(key, value, s->items.join(QStringLiteral(", "))));
            changes.append([s, index] { StoreSettingIndex(*s, index); });
        } else {
            const std::optional<bool> on = ParseSwitch(value);
            if (!on)
                return UsageError(cl.command(),
                                  QStringLiteral("%1: \"%2\" is not one of: true, false").arg(key, value));
            changes.append([s, checked = *on] { StoreSettingChecked(*s, checked); });
        }
    }

    const QString path = cl.positional().at(0);
    if (!OpenDataFile(path))
        return ExitFailed;
    for (const auto &change : changes)
        change();
    return SaveDataFile(path) ? ExitDone : ExitFailed;
}
