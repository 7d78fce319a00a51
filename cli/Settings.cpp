// settings [--json] FILE: the function settings, as the Optional, Key and Vox Function
// windows show them.

#include "CliSupport.h"
#include "Commands.h"

#include "functions/Settings.h"

int RunSettings(const QStringList &args)
{
    CommandLine cl(
        QStringLiteral("settings"),
        QStringLiteral("Shows the function settings of a data file as the Optional, Key and Vox "
                       "Function windows show them, under the names and values that \"set\" takes."));
    const auto json = cl.addOption(QStringLiteral("json"), QStringLiteral("Print one JSON object."));
    cl.addPositional(QStringLiteral("FILE"), QStringLiteral("The data file to read."));
    if (const auto done = cl.parse(args, 1, 1))
        return *done;
    if (!OpenDataFile(cl.positional().at(0)))
        return ExitFailed;

    if (cl.isSet(json)) {
        JsonObject o;
        for (const SettingInfo &s : SettingsTable()) {
            if (s.encoding == SettingEncoding::ListIndex)
                o.add(s.key, SettingText(s));
            else
                o.add(s.key, SettingChecked(s));
        }
        Out(o.text() + u'\n');
        return ExitDone;
    }

    QString text;
    for (const SettingInfo &s : SettingsTable()) {
        const QString shown = s.encoding == SettingEncoding::ListIndex
                                  ? SettingText(s)
                                  : QString::fromLatin1(SettingChecked(s) ? "true" : "false");
        text += QStringLiteral("%1 %2 %3\n")
                    .arg(QString::fromLatin1(s.key).leftJustified(24),
                         QString::fromLatin1(s.caption).leftJustified(24),
                         shown.isEmpty() ? QStringLiteral("(no item)") : shown);
    }
    Out(text);
    return ExitDone;
}
