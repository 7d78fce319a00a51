#include "Tone.h"

#include <QLocale>

#include <cmath>

namespace {

const char *const ctcssTones[] = {"67.0",  "69.3",  "71.9",  "74.4",  "77.0",  "79.7",  "82.5",  "85.4",
                                  "88.5",  "91.5",  "94.8",  "97.4",  "100.0", "103.5", "107.2", "110.9",
                                  "114.8", "118.8", "123.0", "127.3", "131.8", "136.5", "141.3", "146.2",
                                  "151.4", "156.7", "162.2", "167.9", "173.8", "179.9", "186.2", "192.8",
                                  "203.5", "210.7", "218.1", "225.7", "233.6", "241.8", "250.3"};

const char *const dcsCodes[] = {
    "023", "025", "026", "031", "032", "043", "047", "051", "054", "065", "071", "072", "073", "074",
    "114", "115", "116", "125", "131", "132", "134", "143", "152", "155", "156", "162", "165", "172",
    "174", "205", "223", "226", "243", "244", "245", "251", "261", "263", "265", "271", "306", "311",
    "315", "331", "343", "346", "351", "364", "365", "371", "411", "412", "413", "423", "431", "432",
    "445", "464", "465", "466", "503", "506", "516", "532", "546", "565", "606", "612", "624", "627",
    "631", "632", "654", "662", "664", "703", "712", "723", "731", "732", "734", "743", "754"};

struct PickerTone
{
    const char *tone;
    const char *code;
};

const PickerTone pickerTones[] = {
    {"67.0", "XZ"},  {"69.3", "WZ"},  {"71.9", "XA"},  {"74.4", "WA"},  {"77.0", "XB"},  {"79.7", "WB"},
    {"82.5", "YZ"},  {"85.4", "YA"},  {"88.5", "YB"},  {"91.5", "ZZ"},  {"94.8", "ZA"},  {"97.4", "ZB"},
    {"100.0", "1Z"}, {"103.5", "1A"}, {"107.2", "1B"}, {"110.9", "2Z"}, {"114.8", "2A"}, {"118.8", "2B"},
    {"123.0", "3Z"}, {"127.3", "3A"}, {"131.8", "3B"}, {"136.5", "4Z"}, {"141.3", "4A"}, {"146.2", "4B"},
    {"151.4", "5Z"}, {"156.7", "5A"}, {"162.2", "5B"}, {"167.9", "6Z"}, {"173.8", "6A"}, {"179.9", "6B"},
    {"186.2", "7Z"}, {"192.8", "7A"}, {"203.5", "M1"}, {"206.5", "8Z"}, {"210.7", "M2"}, {"218.1", "M3"},
    {"225.7", "M4"}, {"229.1", "9Z"}, {"233.6", "M5"}, {"241.8", "M6"}, {"250.3", "M7"}, {"254.1", "0Z"},
};

int hexPair(QChar a, QChar b, bool *ok)
{
    const QChar pair[2] = {a, b};
    return QString(pair, 2).toInt(ok, 16);
}

bool isOctal(QChar c)
{
    return c >= u'0' && c <= u'7';
}

} // namespace

ToneField EncodeTone(const QString &input)
{
    const ToneField none{0xFF, 0xFF};
    QString text = input;
    const int hz = text.indexOf(QLatin1String("Hz"));
    if (hz >= 0)
        text = text.left(hz);
    if (text.isEmpty())
        return none;
    if (text.at(0) == u'D') {
        if (text.size() < 5)
            return none;
        const QChar pol = text.at(4);
        QChar digit;
        if (pol == u'N' || pol == u'n')
            digit = u'8';
        else if (pol == u'I' || pol == u'i')
            digit = u'C';
        else
            return none;
        bool ok0 = false, ok1 = false;
        const int b0 = hexPair(text.at(2), text.at(3), &ok0);
        const int b1 = hexPair(digit, text.at(1), &ok1);
        if (!ok0 || !ok1)
            return none;
        return {uint8_t(b0), uint8_t(b1)};
    }
    bool ok = false;
    const double hzValue = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(hzValue) || hzValue < 0 || hzValue >= 1000)
        return none;
    const int tenths = int(std::llround(hzValue * 10));
    const int t12 = tenths / 100, t34 = tenths % 100;
    return {uint8_t(((t34 / 10) << 4) | (t34 % 10)), uint8_t(((t12 / 10) << 4) | (t12 % 10))};
}

QString DecodeTone(const uint8_t *bytes)
{
    if (bytes[0] == 0xFF && bytes[1] == 0xFF)
        return QString();
    const QString s = QStringLiteral("%1%2")
                          .arg(bytes[1], 2, 16, QLatin1Char('0'))
                          .arg(bytes[0], 2, 16, QLatin1Char('0'))
                          .toUpper();
    if (s.at(0) == u'8')
        return QLatin1Char('D') + s.mid(1) + QLatin1Char('N');
    if (s.at(0) == u'C')
        return QLatin1Char('D') + s.mid(1) + QLatin1Char('I');
    for (QChar c : s)
        if (c >= u'A' && c <= u'F')
            return QString();
    return QString::number(s.toInt() / 10.0, 'f', 1);
}

QString NormaliseTone(const QString &text)
{
    if (text.isEmpty())
        return text;
    const QChar first = text.at(0);
    if (first >= u'0' && first <= u'9') {
        bool ok = false;
        double v = QLocale::c().toDouble(text, &ok);
        if (!ok || !std::isfinite(v))
            return QStringLiteral("290.0");
        v = std::clamp(v, 30.0, 290.0);
        return QString::number(v, 'f', 1);
    }
    if (text.size() == 5 && first == u'D' && isOctal(text.at(1)) && isOctal(text.at(2)) &&
        isOctal(text.at(3))) {
        const QChar p = text.at(4);
        if (p == u'N' || p == u'I' || p == u'n' || p == u'i')
            return text;
    }
    return QStringLiteral("D777N");
}

const QStringList &DropDownToneList()
{
    static const QStringList list = [] {
        QStringList l{QString::fromLatin1(NoToneText)};
        for (const char *t : ctcssTones)
            l.append(QString::fromLatin1(t));
        for (const char *c : dcsCodes)
            l.append(QStringLiteral("D%1N").arg(QLatin1String(c)));
        for (const char *c : dcsCodes) {
            const QLatin1String code(c);
            if (code == QLatin1String("351"))
                continue;
            l.append(QStringLiteral("D%1I").arg(code == QLatin1String("245") ? QLatin1String("145") : code));
        }
        return l;
    }();
    return list;
}

const QStringList &CtcssPickerList()
{
    static const QStringList list = [] {
        QStringList l;
        int i = 1;
        for (const PickerTone &t : pickerTones)
            l.append(QStringLiteral("%1-%2-%3")
                         .arg(i++, 2, 16, QLatin1Char('0'))
                         .toUpper()
                         .arg(QLatin1String(t.tone), QLatin1String(t.code)));
        l << QString() << QString() << QString();
        return l;
    }();
    return list;
}

const QStringList &DcsPickerList()
{
    static const QStringList list = [] {
        QStringList l;
        int n = 1;
        for (const char *c : dcsCodes) {
            const QLatin1String code(c);
            if (code == QLatin1String("532"))
                l.append(QStringLiteral("%1-D525").arg(n++));
            if (code == QLatin1String("654"))
                l.append(QStringLiteral("%1-D645").arg(n++));
            l.append(QStringLiteral("%1-D%2").arg(n++).arg(code));
        }
        l << QString() << QString() << QString();
        return l;
    }();
    return list;
}
