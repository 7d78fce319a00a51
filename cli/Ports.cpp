// ports [--json]: the serial ports present that can be opened now.

#include "CliSupport.h"
#include "Commands.h"

#include "link/Ports.h"

int RunPorts(const QStringList &args)
{
    CommandLine cl(
        QStringLiteral("ports"),
        QStringLiteral("Lists the serial ports present that can be opened now, with what the system "
                       "says each device is. A port held by another program is not listed."));
    const auto json =
        cl.addOption(QStringLiteral("json"),
                     QStringLiteral("Print a JSON array of objects with \"port\" and \"description\"."));
    if (const auto done = cl.parse(args, 0, 0))
        return *done;

    const QList<TPortInfo> ports = FindPorts();
    if (cl.isSet(json)) {
        QList<JsonObject> items;
        for (const TPortInfo &p : ports)
            items.append(JsonObject().add("port", p.Port).add("description", p.Description));
        Out(JsonArray(items) + u'\n');
        return ExitDone;
    }
    if (ports.isEmpty())
        Err(QStringLiteral("No serial port found.\n"));
    for (const TPortInfo &p : ports)
        Out(p.Description.isEmpty() ? p.Port + u'\n' : QStringLiteral("%1\t%2\n").arg(p.Port, p.Description));
    return ExitDone;
}
