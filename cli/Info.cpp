// info [--json] FILE: model, band, serial number, write time and the file header.

#include "CliSupport.h"
#include "Commands.h"

#include "app/All.h"
#include "file/DataFile.h"
#include "model/RadioImage.h"

#include <QFile>

namespace {

struct Header
{
    QString modelCode;
    QString bandDigits;
    QString saved;
};

// What the header of the file says; the reader only checks its model code, so the
// rest is read here.
Header readHeader(const QString &path)
{
    Header h;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return h;
    const QByteArray b = f.read(DataFileHeaderSize);
    if (b.size() < DataFileHeaderSize)
        return h;
    for (char c : b.mid(1, 4))
        h.modelCode += (c >= 0x20 && c < 0x7F) ? QChar::fromLatin1(c) : QChar(u'?');
    h.modelCode = h.modelCode.trimmed();
    h.bandDigits = QString::fromLatin1(b.mid(5, 3).toHex().toUpper());
    const auto u = [&b](int i) { return int(uint8_t(b[i])); };
    const auto two = [](int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); };
    h.saved = QStringLiteral("%1-%2-%3 %4:%5")
                  .arg(u(8) + 256 * u(9))
                  .arg(two(u(10)), two(u(11)), two(u(12)), two(u(13)));
    return h;
}

} // namespace

int RunInfo(const QStringList &args)
{
    CommandLine cl(
        QStringLiteral("info"),
        QStringLiteral("Shows the model, band, serial number and write time of a data file, and what "
                       "its header says."));
    const auto json = cl.addOption(QStringLiteral("json"), QStringLiteral("Print one JSON object."));
    cl.addPositional(QStringLiteral("FILE"), QStringLiteral("The data file to read."));
    if (const auto done = cl.parse(args, 1, 1))
        return *done;

    const QString path = cl.positional().at(0);
    if (!OpenDataFile(path))
        return ExitFailed;
    const Header h = readHeader(path);

    if (cl.isSet(json)) {
        JsonObject header;
        header.add("model_code", h.modelCode).add("band_digits", h.bandDigits).add("saved", h.saved);
        JsonObject o;
        o.add("model_code", myAll->ModelCode)
            .add("model", myAll->ModelName)
            .add("band", myAll->BandText)
            .add("serial", SerialText())
            .add("write_time", StampText())
            .add("header", header);
        Out(o.text() + u'\n');
        return ExitDone;
    }

    Out(QStringLiteral("Model Type:      %1 (model code %2)\n"
                       "Frequency[MHz]:  %3\n"
                       "Serial Number:   \"%4\"\n"
                       "Write Time:      %5\n"
                       "File header:     model code %6, band digits %7, saved %8\n")
            .arg(myAll->ModelName, myAll->ModelCode, myAll->BandText, SerialText(), StampText(), h.modelCode,
                 h.bandDigits, h.saved));
    return ExitDone;
}
