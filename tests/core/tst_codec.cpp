// Frequency and tone codecs: the byte forms the radio keeps, the display texts the
// user sees, the raster and the range warnings of frequency entry.

#include "TestSupport.h"
#include "codec/Frequency.h"
#include "codec/Tone.h"
#include "model/MacType.h"

#include <QTest>

static QByteArray hex(const uint8_t *b, int n)
{
    return QByteArray(reinterpret_cast<const char *>(b), n).toHex(' ').toUpper();
}

class TestCodec : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { session = std::make_unique<ScratchSession>(); }
    void cleanupTestCase() { session.reset(); }

    void frequencyRoundTrip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("shown");
        QTest::newRow("446.00625") << "446.00625" << QByteArray("25 06 60 44") << "446.00625";
        QTest::newRow("136.0125") << "136.0125" << QByteArray("50 12 60 13") << "136.01250";
        QTest::newRow("MHz suffix") << "446.1MHz" << QByteArray("00 00 61 44") << "446.10000";
        QTest::newRow("empty") << "" << QByteArray("FF FF FF FF") << "";
    }
    void frequencyRoundTrip()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, shown);
        const FrequencyField f = EncodeFrequency(text);
        QCOMPARE(hex(f.data(), 4), bytes);
        const std::optional<double> back = DecodeFrequency(f.data());
        QCOMPARE(back ? FormatFrequency(*back) : QString(), shown);
    }

    void frequencyWithHexNibbleIsNone()
    {
        const uint8_t field[4] = {0x25, 0x06, 0x6A, 0x44};
        QVERIFY(!DecodeFrequency(field));
    }

    void alignToStep_data()
    {
        QTest::addColumn<double>("in");
        QTest::addColumn<QString>("out");
        QTest::newRow("on raster") << 446.00625 << "446.00625";
        QTest::newRow("7.5k") << 446.0075 << "446.00625";
        QTest::newRow("6.3k") << 446.0063 << "446.00625";
        QTest::newRow("3k") << 446.003 << "446.00000";
        QTest::newRow("12k") << 446.012 << "446.01000";
        QTest::newRow("12.5k") << 446.0125 << "446.01250";
        QTest::newRow("18.75k") << 446.01875 << "446.01875";
        QTest::newRow("2.5k") << 446.0025 << "446.00000";
    }
    void alignToStep()
    {
        QFETCH(double, in);
        QFETCH(QString, out);
        QCOMPARE(FormatFrequency(AlignToStep(in)), out);
        // Entering the result again is stable.
        QCOMPARE(FormatFrequency(AlignToStep(AlignToStep(in))), out);
    }

    void rangeCheck_data()
    {
        QTest::addColumn<double>("in");
        QTest::addColumn<double>("out");
        QTest::addColumn<QString>("warning");
        QTest::newRow("in band") << 460.0 << 460.0 << "";
        QTest::newRow("band low edge") << 450.0 << 450.0 << "";
        QTest::newRow("band high edge") << 470.0 << 470.0 << "";
        QTest::newRow("outside band") << 480.0 << 480.0 << "Frequecy is Out of range.";
        QTest::newRow("model top") << 650.0 << 650.0 << "Frequecy is Out of range.";
        QTest::newRow("above model") << 700.0 << 470.0 << "The frequecy number come amiss!";
        QTest::newRow("below model") << 200.0 << 450.0 << "The frequecy number come amiss!";
    }
    void rangeCheck()
    {
        QFETCH(double, in);
        QFETCH(double, out);
        QFETCH(QString, warning);
        ApplyModelBand(244, true);
        MsgRecorder rec;
        const RangeResult r = CheckFrequencyRange(in);
        QCOMPARE(r.value, out);
        QCOMPARE(r.warned, !warning.isEmpty());
        QCOMPARE(rec.messages.size(), warning.isEmpty() ? 0 : 1);
        if (!warning.isEmpty()) {
            QCOMPARE(rec.messages.first().caption, QStringLiteral("Caution"));
            QCOMPARE(rec.messages.first().text, warning);
        }
    }

    void frequencyEntry()
    {
        ApplyModelBand(247, true); // 400 - 470 MHz
        MsgRecorder rec;
        const QString shown = EnterFrequency(446.0075);
        QCOMPARE(shown, QStringLiteral("446.00625"));
        QCOMPARE(hex(EncodeFrequency(shown).data(), 4), QByteArray("25 06 60 44"));
        QVERIFY(rec.messages.isEmpty());
    }

    void parseFrequencyText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<double>("value");
        QTest::newRow("plain") << "446.1" << true << 446.1;
        QTest::newRow("blanks and MHz") << " 446.1 MHz " << true << 446.1;
        QTest::newRow("comma is not a separator") << "446,1" << false << 0.0;
        QTest::newRow("letters") << "abc" << false << 0.0;
        QTest::newRow("empty") << "" << false << 0.0;
        QTest::newRow("inf") << "inf" << false << 0.0;
        QTest::newRow("GBK digits") << QString::fromUtf8("４４６") << false << 0.0;
    }
    void parseFrequencyText()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(double, value);
        const std::optional<double> v = ParseFrequencyText(text);
        QCOMPARE(bool(v), ok);
        if (ok)
            QCOMPARE(*v, value);
    }

    void toneRoundTrip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("shown");
        QTest::newRow("67.0") << "67.0" << QByteArray("70 06") << "67.0";
        QTest::newRow("250.3") << "250.3" << QByteArray("03 25") << "250.3";
        QTest::newRow("67Hz") << "67Hz" << QByteArray("70 06") << "67.0";
        QTest::newRow("D023N") << "D023N" << QByteArray("23 80") << "D023N";
        QTest::newRow("D023I") << "D023I" << QByteArray("23 C0") << "D023I";
        QTest::newRow("D754N") << "D754N" << QByteArray("54 87") << "D754N";
        QTest::newRow("lower polarity") << "D023n" << QByteArray("23 80") << "D023N";
        QTest::newRow("none") << "" << QByteArray("FF FF") << "";
    }
    void toneRoundTrip()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, shown);
        const ToneField t = EncodeTone(text);
        QCOMPARE(hex(t.data(), 2), bytes);
        QCOMPARE(DecodeTone(t.data()), shown);
    }

    void toneDecodeOddFields_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("shown");
        QTest::newRow("FF 70") << QByteArray::fromHex("FF70") << "";
        QTest::newRow("06 FF") << QByteArray::fromHex("06FF") << "";
        QTest::newRow("00 00") << QByteArray::fromHex("0000") << "0.0";
    }
    void toneDecodeOddFields()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, shown);
        QCOMPARE(DecodeTone(reinterpret_cast<const uint8_t *>(bytes.constData())), shown);
    }

    void normaliseTone_data()
    {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        QTest::newRow("100") << "100"
                             << "100.0";
        QTest::newRow("25 low") << "25"
                                << "30.0";
        QTest::newRow("300 high") << "300"
                                  << "290.0";
        QTest::newRow("not a number") << "1x"
                                      << "290.0";
        QTest::newRow("D023N") << "D023N"
                               << "D023N";
        QTest::newRow("D023n") << "D023n"
                               << "D023n";
        QTest::newRow("8 not octal") << "D028N"
                                     << "D777N";
        QTest::newRow("four chars") << "D23N"
                                    << "D777N";
        QTest::newRow("lower d") << "d023N"
                                 << "D777N";
        QTest::newRow("empty") << ""
                               << "";
    }
    void normaliseTone()
    {
        QFETCH(QString, in);
        QFETCH(QString, out);
        QCOMPARE(NormaliseTone(in), out);
    }

    void toneLists()
    {
        const QStringList &drop = DropDownToneList();
        QCOMPARE(drop.size(), 205);
        QCOMPARE(drop.first(), QStringLiteral("None"));
        QVERIFY(drop.contains(QStringLiteral("D145I")));
        QVERIFY(!drop.contains(QStringLiteral("D245I")));
        QVERIFY(!drop.contains(QStringLiteral("D351I")));
        QVERIFY(drop.contains(QStringLiteral("D351N")));
        // Every item of the list survives a trip through the radio's bytes.
        for (int i = 1; i < drop.size(); ++i)
            QCOMPARE(DecodeTone(EncodeTone(drop.at(i)).data()), drop.at(i));

        QCOMPARE(CtcssPickerList().size(), 45);
        QCOMPARE(CtcssPickerList().first(), QStringLiteral("01-67.0-XZ"));
        QCOMPARE(CtcssPickerList().at(14), QStringLiteral("0F-107.2-1B"));
        QCOMPARE(CtcssPickerList().at(41), QStringLiteral("2A-254.1-0Z"));
        QCOMPARE(DcsPickerList().size(), 88);
        QCOMPARE(DcsPickerList().first(), QStringLiteral("1-D023"));
        QVERIFY(DcsPickerList().contains(QStringLiteral("64-D525")));
        QCOMPARE(DcsPickerList().at(84), QStringLiteral("85-D754"));
    }

private:
    std::unique_ptr<ScratchSession> session;
};

QTEST_GUILESS_MAIN(TestCodec)
#include "tst_codec.moc"
