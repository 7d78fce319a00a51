// channels [--json] FILE: the present channels, as the channel grid shows them.

#include "CliSupport.h"
#include "Commands.h"

#include "app/All.h"
#include "channels/Channel.h"
#include "codec/Frequency.h"
#include "codec/Tone.h"

namespace {

// The grid's Yes/No lists show item 0 "Yes" for a bit of 0: these functions are on
// when their bit is clear.
bool isOn(const ChannelInfo &c, int bit)
{
    return c.bits[bit] == 0;
}

JsonObject channelJson(int n, const ChannelInfo &c)
{
    JsonObject o;
    o.add("channel", n)
        .add("rx", FormatFrequency(c.rx))
        .add("tx", c.tx ? FormatFrequency(*c.tx) : QString())
        .add("decode", c.decode)
        .add("encode", c.encode)
        .add("power", c.bits[3] ? "High" : "Low")
        .add("bandwidth", c.bits[2] ? "Narrow" : "Wide")
        .add("scan_add", isOn(c, 4))
        .add("compander", isOn(c, 5))
        .add("scrambler", isOn(c, 6))
        .add("busy_lock", isOn(c, 0));
    return o;
}

QStringList channelRow(int n, const ChannelInfo &c)
{
    const auto tone = [](const QString &t) { return t.isEmpty() ? QString::fromLatin1(NoToneText) : t; };
    const auto yesNo = [&c](int bit) { return QString::fromLatin1(isOn(c, bit) ? "Yes" : "No"); };
    return {QString::number(n),
            FormatFrequency(c.rx),
            c.tx ? FormatFrequency(*c.tx) : QString(),
            tone(c.decode),
            tone(c.encode),
            QString::fromLatin1(c.bits[3] ? "High" : "Low"),
            QString::fromLatin1(c.bits[2] ? "Narrow" : "Wide"),
            yesNo(4),
            yesNo(5),
            yesNo(6),
            yesNo(0)};
}

} // namespace

int RunChannels(const QStringList &args)
{
    CommandLine cl(QStringLiteral("channels"),
                   QStringLiteral("Shows the channels of a data file that hold a receive frequency, as the "
                                  "channel grid shows them."));
    const auto json = cl.addOption(QStringLiteral("json"),
                                   QStringLiteral("Print a JSON array with one object per present channel."));
    cl.addPositional(QStringLiteral("FILE"), QStringLiteral("The data file to read."));
    if (const auto done = cl.parse(args, 1, 1))
        return *done;
    if (!OpenDataFile(cl.positional().at(0)))
        return ExitFailed;

    if (cl.isSet(json)) {
        QList<JsonObject> items;
        for (int n = 1; n <= myAll->ChannelCount; ++n)
            if (const auto c = DecodeChannel(n))
                items.append(channelJson(n, *c));
        Out(JsonArray(items) + u'\n');
        return ExitDone;
    }

    QList<QStringList> rows{{QStringLiteral("Channel No."), QStringLiteral("RX Frequency"),
                             QStringLiteral("TX Frequency"), QStringLiteral("QT/DQT Dec"),
                             QStringLiteral("QT/DQT Enc"), QStringLiteral("TX Power"), QStringLiteral("W/N"),
                             QStringLiteral("Scan Add"), QStringLiteral("Compander"),
                             QStringLiteral("Scrambler"), QStringLiteral("Busy Lock")}};
    for (int n = 1; n <= myAll->ChannelCount; ++n)
        if (const auto c = DecodeChannel(n))
            rows.append(channelRow(n, *c));
    QList<qsizetype> widths(rows.first().size(), 0);
    for (const QStringList &r : rows)
        for (qsizetype i = 0; i < r.size(); ++i)
            widths[i] = std::max(widths[i], r[i].size());
    QString text;
    for (const QStringList &r : rows) {
        QStringList cells;
        for (qsizetype i = 0; i < r.size(); ++i)
            cells.append(r[i].leftJustified(widths[i]));
        text += cells.join(QStringLiteral("  ")).trimmed() + u'\n';
    }
    Out(text);
    return ExitDone;
}
