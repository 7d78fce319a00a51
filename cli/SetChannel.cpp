// set-channel FILE N [options]: edits one channel the way the channel grid does.

#include "CliSupport.h"
#include "Commands.h"

#include "app/All.h"
#include "channels/Channel.h"
#include "codec/Frequency.h"
#include "codec/Tone.h"

#include <QLocale>

#include <cmath>

namespace {

// A tone as the tone boxes store it: "" for no tone ("", "None"), a CTCSS tone in
// Hz or a DCS code. Nothing for text that is neither; the tone boxes would turn
// such text into 290.0 or D777N, which is never what a script meant.
std::optional<QString> toneArgument(const QString &text)
{
    QString t = text.trimmed();
    if (t.isEmpty() || t.compare(QLatin1String(NoToneText), Qt::CaseInsensitive) == 0)
        return QString();
    if (t.endsWith(QLatin1String("Hz")))
        t = t.chopped(2).trimmed();
    if (t.isEmpty())
        return std::nullopt;
    if (t.at(0) >= u'0' && t.at(0) <= u'9') {
        bool ok = false;
        const double hz = QLocale::c().toDouble(t, &ok);
        if (!ok || !std::isfinite(hz))
            return std::nullopt;
        return NormaliseTone(t);
    }
    t = t.toUpper();
    if (NormaliseTone(t) != t)
        return std::nullopt;
    return t;
}

struct FieldWrite
{
    int kind;
    QString text;
};

} // namespace

int RunSetChannel(const QStringList &args)
{
    CommandLine cl(
        QStringLiteral("set-channel"),
        QStringLiteral("Edits channel N of a data file as the channel grid does: frequencies get the "
                       "range check and the channel raster, tones the tone boxes' rules. Only the "
                       "fields given are written. An empty channel is created by --rx with TX equal to "
                       "RX, no tones, High, Wide and the four options off; the other options given then "
                       "apply."));
    const auto rx =
        cl.addOption(QStringLiteral("rx"),
                     QStringLiteral("Receive frequency in MHz, for example 446.00625. An empty value "
                                    "(--rx \"\") erases the channel."),
                     QStringLiteral("F"));
    const auto tx =
        cl.addOption(QStringLiteral("tx"),
                     QStringLiteral("Transmit frequency in MHz. An empty value clears it together with "
                                    "the encode tone."),
                     QStringLiteral("F"));
    const auto decode =
        cl.addOption(QStringLiteral("decode"),
                     QStringLiteral("Decode tone: a CTCSS tone in Hz (67.0), a DCS code (D023N, "
                                    "D023I), or None."),
                     QStringLiteral("T"));
    const auto encode = cl.addOption(QStringLiteral("encode"),
                                     QStringLiteral("Encode tone, as --decode. Needs a transmit frequency."),
                                     QStringLiteral("T"));
    const auto power =
        cl.addOption(QStringLiteral("power"), QStringLiteral("Transmit power."), QStringLiteral("High|Low"));
    const auto bandwidth = cl.addOption(QStringLiteral("bandwidth"), QStringLiteral("Bandwidth."),
                                        QStringLiteral("Wide|Narrow"));
    struct Switch
    {
        QCommandLineOption option;
        int kind;
    };
    const Switch switches[] = {
        {cl.addOption(QStringLiteral("scan-add"), QStringLiteral("In the scan list."),
                      QStringLiteral("yes|no")),
         FieldScanAdd},
        {cl.addOption(QStringLiteral("compander"), QStringLiteral("Compander on."), QStringLiteral("yes|no")),
         FieldCompander},
        {cl.addOption(QStringLiteral("scrambler"), QStringLiteral("Scrambler on."), QStringLiteral("yes|no")),
         FieldScrambler},
        {cl.addOption(QStringLiteral("busy-lock"), QStringLiteral("Busy channel lockout on."),
                      QStringLiteral("yes|no")),
         FieldBusyLock},
    };
    cl.addPositional(QStringLiteral("FILE"), QStringLiteral("The data file to edit."));
    cl.addPositional(QStringLiteral("N"), QStringLiteral("Channel number, 1 to 16."));
    cl.setWritesFile();
    if (const auto done = cl.parse(args, 2, 2))
        return *done;

    // Every value is checked before the file is opened, so a bad one writes nothing.
    const QString path = cl.positional().at(0);
    const std::optional<int> channel = ParseChannelNumber(cl.positional().at(1));
    if (!channel)
        return UsageError(
            cl.command(),
            QStringLiteral("channel \"%1\" is not a number from 1 to 16").arg(cl.positional().at(1)));
    const int n = *channel;

    std::optional<double> rxMHz, txMHz;
    const std::optional<QString> rxText = cl.given(rx), txText = cl.given(tx);
    const bool erase = rxText && rxText->trimmed().isEmpty();
    const bool clearTx = txText && txText->trimmed().isEmpty();
    if (rxText && !erase && !(rxMHz = ParseFrequencyText(*rxText)))
        return UsageError(
            cl.command(),
            QStringLiteral("--rx: \"%1\" is not a frequency in MHz (for example 446.00625)").arg(*rxText));
    if (txText && !clearTx && !(txMHz = ParseFrequencyText(*txText)))
        return UsageError(
            cl.command(),
            QStringLiteral("--tx: \"%1\" is not a frequency in MHz (for example 446.00625)").arg(*txText));

    QList<FieldWrite> writes; // after the frequencies, in this order
    std::optional<QString> encodeTone;
    for (const auto &[option, kind] :
         {std::pair{decode, int(FieldDecode)}, std::pair{encode, int(FieldEncode)}}) {
        if (const auto text = cl.given(option)) {
            const std::optional<QString> tone = toneArgument(*text);
            if (!tone)
                return UsageError(
                    cl.command(),
                    QStringLiteral("--%1: \"%2\" is not a tone: give a CTCSS tone in Hz (67.0), a DCS "
                                   "code (D023N, D023I) or None")
                        .arg(option.names().first(), *text));
            writes.append({kind, *tone});
            if (kind == FieldEncode)
                encodeTone = *tone;
        }
    }
    if (const auto text = cl.given(power)) {
        const QString t = text->trimmed().toLower();
        if (t != QLatin1String("high") && t != QLatin1String("low"))
            return UsageError(cl.command(), QStringLiteral("--power: \"%1\" is not High or Low").arg(*text));
        writes.append({FieldPower, t == QLatin1String("high") ? QStringLiteral("1") : QStringLiteral("0")});
    }
    if (const auto text = cl.given(bandwidth)) {
        const QString t = text->trimmed().toLower();
        if (t != QLatin1String("wide") && t != QLatin1String("narrow"))
            return UsageError(cl.command(),
                              QStringLiteral("--bandwidth: \"%1\" is not Wide or Narrow").arg(*text));
        writes.append(
            {FieldBandwidth, t == QLatin1String("narrow") ? QStringLiteral("1") : QStringLiteral("0")});
    }
    for (const Switch &s : switches) {
        if (const auto text = cl.given(s.option)) {
            const std::optional<bool> on = ParseSwitch(*text);
            if (!on)
                return UsageError(
                    cl.command(),
                    QStringLiteral("--%1: \"%2\" is not yes or no").arg(s.option.names().first(), *text));
            // These functions are on when their bit is clear.
            writes.append({s.kind, *on ? QStringLiteral("0") : QStringLiteral("1")});
        }
    }
    if (erase && (txText || !writes.isEmpty()))
        return UsageError(cl.command(),
                          QStringLiteral("--rx \"\" erases the channel; give no other option with it"));
    if (!rxText && !txText && writes.isEmpty())
        return UsageError(cl.command(), QStringLiteral("nothing to change: give at least one option"));

    if (!OpenDataFile(path))
        return ExitFailed;
    if (erase) {
        SetChannelField(n, FieldRx, QString());
        return SaveDataFile(path) ? ExitDone : ExitFailed;
    }
    const std::optional<ChannelInfo> before = DecodeChannel(n);
    if (!before && !rxMHz)
        return UsageError(cl.command(), QStringLiteral("channel %1 is empty: give --rx to create it").arg(n));
    // The grid offers the encode tone only to a channel with a transmit frequency.
    const bool hasTx = txText ? !clearTx : (!before || before->tx.has_value());
    if (encodeTone && !encodeTone->isEmpty() && !hasTx)
        return UsageError(
            cl.command(),
            QStringLiteral("channel %1 has no transmit frequency: an encode tone needs one (--tx)").arg(n));

    // Frequency entry: the range check may print a Caution warning and correct the
    // value; the command goes on with what it returns, as the grid does.
    const QString rxEntered = rxMHz ? EnterFrequency(*rxMHz) : QString();
    const QString txEntered = txMHz ? EnterFrequency(*txMHz) : QString();
    if (!before) {
        // A new channel, as the grid creates one: TX follows RX, no tones, High, Wide,
        // and scan add, compander, scrambler and busy lock off.
        SetChannelField(n, FieldRx, rxEntered);
        SetChannelField(n, FieldTx, rxEntered);
        SetChannelField(n, FieldDecode, QString());
        SetChannelField(n, FieldEncode, QString());
        SetChannelField(n, FieldPower, QStringLiteral("1"));
        SetChannelField(n, FieldBandwidth, QStringLiteral("0"));
        for (int kind : {FieldScanAdd, FieldCompander, FieldScrambler, FieldBusyLock})
            SetChannelField(n, kind, QStringLiteral("1"));
    } else if (rxMHz) {
        SetChannelField(n, FieldRx, rxEntered);
    }
    if (txText)
        SetChannelField(n, FieldTx, txEntered);
    for (const FieldWrite &w : writes)
        SetChannelField(n, w.kind, w.text);
    return SaveDataFile(path) ? ExitDone : ExitFailed;
}
