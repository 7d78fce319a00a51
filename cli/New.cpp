// new [--band TEXT] FILE: a data file holding a fresh image for a band.

#include "CliSupport.h"
#include "Commands.h"

#include "app/All.h"
#include "model/MacType.h"
#include "model/RadioImage.h"

namespace {

QString squeezed(const QString &text)
{
    QString out;
    for (QChar c : text)
        if (!c.isSpace())
            out += c.toLower();
    return out;
}

// Every band that a model of the catalogue offers, in catalogue order.
QStringList allBands()
{
    QStringList bands;
    for (int i = 0; i < myMacList->Count(); ++i)
        bands += myMacList->ByIndex(i)->Bands;
    return bands;
}

// The band text as the catalogue writes it. Blanks and case are forgiven, so
// "450-470mhz" finds "450 - 470MHz".
QString matchBand(const QString &text)
{
    const QStringList bands = allBands();
    if (bands.contains(text))
        return text;
    for (const QString &b : bands)
        if (squeezed(b) == squeezed(text))
            return b;
    return QString();
}

} // namespace

int RunNew(const QStringList &args)
{
    CommandLine cl(
        QStringLiteral("new"),
        QStringLiteral("Writes a data file holding a fresh image for a band. The model follows from "
                       "the band. An existing file is replaced."));
    const auto band =
        cl.addOption(QStringLiteral("band"),
                     QStringLiteral("Frequency band, for example \"450 - 470MHz\" (the default) or "
                                    "\"136 - 174MHz\"."),
                     QStringLiteral("TEXT"), QStringLiteral("450 - 470MHz"));
    cl.addPositional(QStringLiteral("FILE"), QStringLiteral("The data file to write."));
    cl.setWritesFile();
    if (const auto done = cl.parse(args, 1, 1))
        return *done;

    const QString chosen = matchBand(cl.value(band));
    if (chosen.isEmpty())
        return UsageError(cl.command(), QStringLiteral("\"%1\" is not a band of any model. Bands: %2")
                                            .arg(cl.value(band), allBands().join(QStringLiteral(", "))));

    ApplyModelBand(myFrqList->CodeOf(chosen), true);
    NewImage();
    return SaveDataFile(cl.positional().at(0)) ? ExitDone : ExitFailed;
}
