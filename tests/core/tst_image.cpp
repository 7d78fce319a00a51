// The radio image: the model catalogue and band table, the New image and its map,
// the model/band block and write stamp, the settings block and the channel records.

#include "TestSupport.h"
#include "channels/Channel.h"
#include "functions/Settings.h"
#include "model/MacType.h"
#include "model/RadioImage.h"

#include <QTest>

static QByteArray bytesAt(int address, int n)
{
    return QByteArray(reinterpret_cast<const char *>(myAll->RadioImage.data()) + address, n)
        .toHex(' ')
        .toUpper();
}

static void fill(int address, const QByteArray &hexBytes)
{
    const QByteArray b = QByteArray::fromHex(hexBytes);
    std::copy(b.begin(), b.end(), myAll->RadioImage.begin() + address);
}

class TestImage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        session = std::make_unique<ScratchSession>();
        ApplyModelBand(0, false);
        const BandLimits l = ParseBandLimits(myAll->BandText);
        myAll->BandMinFreq = l.min;
        myAll->BandMaxFreq = l.max;
    }
    void cleanup() { session.reset(); }

    void startUpModel()
    {
        QCOMPARE(myAll->Title, QStringLiteral("TQ-6105s"));
        QCOMPARE(myAll->ModelName, QStringLiteral("TQ-6105s(UHF)"));
        QCOMPARE(myAll->BandText, QStringLiteral("450 - 470MHz"));
        QCOMPARE(myAll->ModelMinFreq, 300.0);
        QCOMPARE(myAll->ModelMaxFreq, 650.0);
        QCOMPARE(myAll->ChannelCount, 16);
        QCOMPARE(myAll->CurChannel, 1);
    }

    void applyModelBand_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("band");
        QTest::addColumn<double>("min");
        QTest::addColumn<double>("max");
        QTest::newRow("VHF 150-174") << 0xF0 << "5105"
                                     << "150 - 174MHz" << 150.0 << 174.0;
        QTest::newRow("UHF 470-650") << 0xF6 << "6105"
                                     << "470 - 650MHz" << 470.0 << 650.0;
        QTest::newRow("unknown code") << 0xFF << "6105"
                                      << "440 - 480MHz" << 440.0 << 480.0;
        // The 27 - 72 MHz row belongs to no model: taken like an unknown code.
        QTest::newRow("27-72 no model") << 253 << "6105"
                                        << "440 - 480MHz" << 440.0 << 480.0;
    }
    void applyModelBand()
    {
        QFETCH(int, code);
        QFETCH(QString, model);
        QFETCH(QString, band);
        QFETCH(double, min);
        QFETCH(double, max);
        ApplyModelBand(code, true);
        QCOMPARE(myAll->ModelCode, model);
        QCOMPARE(myAll->CurMacType, myMacList->FindByCode(model));
        QCOMPARE(myAll->BandText, band);
        QCOMPARE(myAll->BandMinFreq, min);
        QCOMPARE(myAll->BandMaxFreq, max);
    }

    void bandTable()
    {
        QCOMPARE(myFrqList->CodeOf(QStringLiteral(" 27 -  72MHz")), 253);
        QCOMPARE(myFrqList->CodeOf(QStringLiteral("27 -  72MHz")), 253);
        QCOMPARE(myFrqList->CodeOf(QStringLiteral("150 - 174MHz")), 240);
        QCOMPARE(myFrqList->TextOf(0x12), QStringLiteral("440 - 480MHz"));
        const BandLimits l = ParseBandLimits(QStringLiteral(" 27 -  72MHz"));
        QCOMPARE(l.min, 27.0);
        QCOMPARE(l.max, 72.0);
        QStringList names;
        myMacList->FillNames(names);
        QCOMPARE(names, QStringList({"TQ-6105s(UHF)", "TQ-6105s(VHF)"}));
        QVERIFY(!myMacList->ByIndex(2));
        QCOMPARE(myMacList->FindByBand(QStringLiteral("216 - 223MHz"))->Code, QStringLiteral("5105"));
    }

    void newImageMap()
    {
        std::fill(myAll->RadioImage.begin(), myAll->RadioImage.end(), 0x11);
        NewImage();
        QCOMPARE(bytesAt(0x140, 8), QByteArray("50 36 31 30 35 F4 00 00"));
        QCOMPARE(bytesAt(0x160, 7), QByteArray("E8 07 05 11 0D 2D 09"));
        QCOMPARE(bytesAt(0x120, 20),
                 QByteArray("01 01 00 00 04 01 01 01 00 01 FF FF FF 01 04 FF 01 05 01 06"));
        for (int a = 0; a < 0x1A0; ++a) {
            const bool written =
                (a >= 0x120 && a < 0x134) || (a >= 0x140 && a < 0x148) || (a >= 0x160 && a < 0x167);
            if (!written)
                QVERIFY2(myAll->RadioImage[size_t(a)] == 0xFF, qPrintable(QString::number(a, 16)));
        }
        for (int a = 0x1A0; a < 0x1B0; ++a)
            QCOMPARE(myAll->RadioImage[size_t(a)], uint8_t(0x11));
        QCOMPARE(StampText(), QStringLiteral("2024-05-17 13:45:09"));
    }

    void erasedStampText()
    {
        fill(0x160, "FFFFFFFFFFFFFF");
        QCOMPARE(StampText(), QStringLiteral("65535-255-255 255:255:255"));
    }

    void normaliseErasedSettings()
    {
        ApplyModelBand(0xFF, true);
        std::fill(myAll->RadioImage.begin(), myAll->RadioImage.end(), 0xFF);
        NormaliseSettings();
        QCOMPARE(bytesAt(0x120, 20),
                 QByteArray("01 01 01 01 04 01 01 01 01 01 FF FF 00 00 04 FF FF 05 01 06"));
        QCOMPARE(myAll->RadioImage[0x145], uint8_t(249));
    }

    void normaliseRules_data()
    {
        QTest::addColumn<int>("address");
        QTest::addColumn<int>("in");
        QTest::addColumn<int>("out");
        QTest::newRow("nibbles 21") << 0x12c << 0x21 << 0x21;
        QTest::newRow("nibbles 23") << 0x12c << 0x23 << 0x20;
        QTest::newRow("nibbles 31") << 0x12c << 0x31 << 0x01;
        QTest::newRow("nibbles 33") << 0x12c << 0x33 << 0x00;
        QTest::newRow("flag 2") << 0x125 << 2 << 0;
        QTest::newRow("flag 3") << 0x125 << 3 << 1;
        QTest::newRow("time-out 20 kept") << 0x133 << 20 << 20;
        QTest::newRow("time-out 31") << 0x133 << 31 << 6;
        QTest::newRow("side key 4") << 0x132 << 4 << 1;
        QTest::newRow("vox level 9") << 0x124 << 9 << 4;
        QTest::newRow("battery 5") << 0x12e << 5 << 4;
        QTest::newRow("clew voice untouched") << 0x130 << 0x7E << 0x7E;
    }
    void normaliseRules()
    {
        QFETCH(int, address);
        QFETCH(int, in);
        QFETCH(int, out);
        NewImage();
        myAll->RadioImage[size_t(address)] = uint8_t(in);
        NormaliseSettings();
        QCOMPARE(int(myAll->RadioImage[size_t(address)]), out);
    }

    void settingsAccess()
    {
        NewImage();
        const SettingInfo *tot = FindSetting(QStringLiteral("tx_time_out"));
        QVERIFY(tot);
        QCOMPARE(SettingText(*tot), QStringLiteral("180"));
        myAll->RadioImage[0x133] = 20;
        QCOMPARE(SettingText(*tot), QString());
        const SettingInfo *clew = FindSetting(QStringLiteral("clew_voice"));
        myAll->RadioImage[0x130] = 0xFE;
        QVERIFY(!SettingChecked(*clew));
        StoreSettingChecked(*clew, true);
        QCOMPARE(int(myAll->RadioImage[0x130]), 0xFF);
        StoreSettingIndex(*tot, -1);
        QCOMPARE(int(myAll->RadioImage[0x133]), 0xFF);
        QCOMPARE(SettingText(*FindSetting(QStringLiteral("vox_gain_level"))), QStringLiteral("5"));
        QCOMPARE(SettingText(*FindSetting(QStringLiteral("side_key"))), QStringLiteral("Monmome"));
    }

    void channelWorkedExample()
    {
        NewImage();
        SetChannelField(1, FieldRx, QStringLiteral("446.00625"));
        SetChannelField(1, FieldTx, QStringLiteral("446.00625"));
        SetChannelField(1, FieldDecode, QStringLiteral("67.0"));
        SetChannelField(1, FieldEncode, QStringLiteral("D023N"));
        SetChannelField(1, FieldBusyLock, QStringLiteral("1"));
        SetChannelField(1, FieldBandwidth, QStringLiteral("0"));
        SetChannelField(1, FieldPower, QStringLiteral("1"));
        SetChannelField(1, FieldScanAdd, QStringLiteral("0"));
        SetChannelField(1, FieldCompander, QStringLiteral("1"));
        SetChannelField(1, FieldScrambler, QStringLiteral("1"));
        SetChannelField(1, FieldWhisper, QStringLiteral("1"));
        QCOMPARE(bytesAt(0x010, 16), QByteArray("25 06 60 44 25 06 60 44 70 06 23 80 EB FF FF FF"));

        const std::optional<ChannelInfo> c = DecodeChannel(1);
        QVERIFY(c);
        QCOMPARE(c->rx, 446.00625);
        QCOMPARE(*c->tx, 446.00625);
        QCOMPARE(c->decode, QStringLiteral("67.0"));
        QCOMPARE(c->encode, QStringLiteral("D023N"));
        const int bits[7] = {1, 1, 0, 1, 0, 1, 1};
        for (int b = 0; b < 7; ++b)
            QCOMPARE(c->bits[b], bits[b]);
    }

    void channelEraseRules()
    {
        NewImage();
        fill(0x030, "25066044250660447006238000112233");
        const auto before = myAll->RadioImage;

        SetChannelField(3, FieldTx, QString());
        QCOMPARE(bytesAt(0x030, 16), QByteArray("25 06 60 44 FF FF FF FF 70 06 FF FF 00 11 22 33"));
        QVERIFY(DecodeChannel(3));
        QVERIFY(!DecodeChannel(3)->tx);

        SetChannelField(3, FieldRx, QString());
        QCOMPARE(bytesAt(0x030, 16), QByteArray(QByteArray(16, char(0xFF)).toHex(' ').toUpper()));
        QVERIFY(!DecodeChannel(3));

        // Nothing outside channel 3 moved.
        for (int a = 0; a < RadioImageSize; ++a)
            if (a < 0x030 || a > 0x03F)
                QCOMPARE(myAll->RadioImage[size_t(a)], before[size_t(a)]);
    }

    void channelFlagBitsAndBounds()
    {
        NewImage();
        fill(0x100, "25066044FFFFFFFFFFFFFFFF00FFFFFF");
        SetChannelField(16, FieldScanAdd, QStringLiteral("1"));
        QCOMPARE(int(myAll->RadioImage[0x10C]), 0x10);
        for (const char *t : {"0", "", "yes"}) {
            SetChannelField(16, FieldScanAdd, QString::fromLatin1(t));
            QCOMPARE(int(myAll->RadioImage[0x10C]), 0x00);
        }
        // A hex nibble in RX makes the channel absent whatever else it holds.
        fill(0x100, "25066A44");
        QVERIFY(!DecodeChannel(16));
        // Out-of-range channel numbers touch nothing.
        const auto before = myAll->RadioImage;
        SetChannelField(0, FieldRx, QString());
        SetChannelField(17, FieldRx, QString());
        QVERIFY(myAll->RadioImage == before);
        QVERIFY(!DecodeChannel(17));
    }

private:
    std::unique_ptr<ScratchSession> session;
};

QTEST_GUILESS_MAIN(TestImage)
#include "tst_image.moc"
