#include "DataFile.h"

#include "app/All.h"
#include "functions/Settings.h"
#include "lang/Language.h"
#include "model/MacType.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace {

QString shownName(const QString &fileName)
{
    return QDir::toNativeSeparators(fileName);
}

} // namespace

QByteArray BuildDataFile()
{
    QByteArray out(DataFileHeaderSize, char(0xFF));
    const QByteArray code = myAll->ModelCode.toLatin1().leftJustified(4, ' ', true);
    out[0] = 'P';
    for (int i = 0; i < 4; ++i)
        out[1 + i] = code[i];
    const auto three = [](double v) { return QStringLiteral("%1").arg(qRound(v), 3, 10, QLatin1Char('0')); };
    const QString digits = (three(myAll->BandMinFreq) + three(myAll->BandMaxFreq)).right(6);
    for (int i = 0; i < 3; ++i)
        out[5 + i] = char(digits.mid(2 * i, 2).toInt(nullptr, 16));
    const QString now = CurrentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    const int year = now.mid(0, 4).toInt();
    out[8] = char(year & 0xFF);
    out[9] = char((year >> 8) & 0xFF);
    out[10] = char(now.mid(5, 2).toInt());
    out[11] = char(now.mid(8, 2).toInt());
    out[12] = char(now.mid(11, 2).toInt());
    out[13] = char(now.mid(14, 2).toInt());
    out.append(reinterpret_cast<const char *>(myAll->RadioImage.data()), RadioImageSize);
    return out;
}

bool WriteDataFile(const QString &fileName)
{
    const QByteArray bytes = BuildDataFile();
    QSaveFile f(fileName);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit()) {
        ShowError(QStringLiteral("Cannot save \"%1\": %2").arg(shownName(fileName), f.errorString()));
        return false;
    }
    myAll->Modified = false;
    return true;
}

ReadResult ReadDataFile(const QString &fileName)
{
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly)) {
        ShowError(QStringLiteral("Cannot open \"%1\": %2").arg(shownName(fileName), f.errorString()));
        return ReadResult::Failed;
    }
    const QByteArray bytes = f.read(DataFileSize);
    if (bytes.size() < DataFileSize) {
        if (f.error() != QFileDevice::NoError)
            ShowError(QStringLiteral("Cannot read \"%1\": %2").arg(shownName(fileName), f.errorString()));
        else
            ShowError(QStringLiteral("\"%1\" is not a data file: it holds %2 bytes, a data file holds %3.")
                          .arg(shownName(fileName))
                          .arg(bytes.size())
                          .arg(DataFileSize));
        return ReadResult::Failed;
    }

    const QString code = QString::fromLatin1(bytes.mid(1, 4)).trimmed();
    if (!myMacList->FindByCode(code)) {
        MsgBox(myLanguage->Confirmation, myLanguage->ModError, MsgInformation);
        return ReadResult::ModelWrong;
    }

    const QString digits = QString::fromLatin1(bytes.mid(5, 3).toHex().toUpper());
    double limits[2] = {};
    for (int i = 0; i < 2; ++i) {
        const QString part = digits.mid(3 * i, 3);
        bool ok = false;
        limits[i] = part.toInt(&ok);
        if (!ok) {
            ShowError(QStringLiteral("'%1' is not a valid floating point value").arg(part));
            return ReadResult::Failed;
        }
    }
    myAll->BandMinFreq = limits[0];
    myAll->BandMaxFreq = limits[1];

    std::copy(bytes.begin() + DataFileHeaderSize, bytes.begin() + DataFileSize, myAll->RadioImage.begin());
    ApplyModelBand(myAll->RadioImage[0x145], true);
    NormaliseSettings();
    return ReadResult::Ok;
}
