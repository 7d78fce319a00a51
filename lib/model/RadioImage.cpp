#include "RadioImage.h"

#include "app/All.h"
#include "functions/Settings.h"
#include "model/MacType.h"

void NewImage()
{
    auto &img = myAll->RadioImage;
    for (int a = 0; a < 0x1A0; ++a)
        img[size_t(a)] = 0xFF;
    WriteSettingsDefaults();
    WriteModelBand();
    WriteStamp(CurrentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
}

void WriteModelBand()
{
    auto &img = myAll->RadioImage;
    img[0x147] = 0;
    img[0x146] = 0;
    img[0x145] = uint8_t(myFrqList->CodeOf(myAll->BandText));
    const QByteArray code = myAll->ModelCode.toLatin1().leftJustified(4, ' ', true);
    for (int i = 0; i < 4; ++i)
        img[size_t(0x141 + i)] = uint8_t(code[i]);
    img[0x140] = 0x50;
}

void WriteStamp(const QString &text)
{
    auto &img = myAll->RadioImage;
    const int year = text.mid(0, 4).toInt();
    img[0x160] = uint8_t(year & 0xFF);
    img[0x161] = uint8_t((year >> 8) & 0xFF);
    img[0x162] = uint8_t(text.mid(5, 2).toInt());
    img[0x163] = uint8_t(text.mid(8, 2).toInt());
    img[0x164] = uint8_t(text.mid(11, 2).toInt());
    img[0x165] = uint8_t(text.mid(14, 2).toInt());
    img[0x166] = uint8_t(text.mid(17, 2).toInt());
}

QString StampText()
{
    const auto &img = myAll->RadioImage;
    auto two = [](int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); };
    const int year = img[0x161] * 256 + img[0x160];
    return QStringLiteral("%1-%2-%3 %4:%5:%6")
        .arg(year)
        .arg(two(img[0x162]), two(img[0x163]), two(img[0x164]), two(img[0x165]), two(img[0x166]));
}

void CheckBandCode()
{
    const int code = myFrqList->CodeOf(myAll->BandText);
    if (myAll->RadioImage[0x145] != code)
        myAll->RadioImage[0x145] = uint8_t(code);
}
