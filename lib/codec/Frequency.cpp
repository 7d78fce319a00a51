#include "Frequency.h"

#include "app/All.h"
#include "lang/Language.h"

#include <QLocale>

#include <cmath>

namespace {

// Frequency in units of 10 Hz, rounded half away from zero.
long long toUnits(double mhz)
{
    return std::llround(mhz * 100000.0);
}

} // namespace

std::optional<double> ParseFrequencyText(const QString &text)
{
    QString t = text.trimmed();
    const int mhz = t.indexOf(QLatin1String("MHz"));
    if (mhz >= 0)
        t = t.left(mhz).trimmed();
    if (t.isEmpty())
        return std::nullopt;
    bool ok = false;
    const double v = QLocale::c().toDouble(t, &ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

FrequencyField EncodeFrequency(const QString &text)
{
    FrequencyField f{0xFF, 0xFF, 0xFF, 0xFF};
    QString t = text;
    const int mhz = t.indexOf(QLatin1String("MHz"));
    if (mhz >= 0)
        t = t.left(mhz);
    if (t.isEmpty())
        return f;
    const std::optional<double> v = ParseFrequencyText(t);
    if (!v)
        return f;
    long long n = toUnits(*v);
    n = std::clamp(n, 0LL, 99999999LL);
    for (int i = 0; i < 4; ++i) {
        const int pair = int(n % 100);
        n /= 100;
        f[size_t(i)] = uint8_t(((pair / 10) << 4) | (pair % 10));
    }
    return f;
}

std::optional<double> DecodeFrequency(const uint8_t *bytes)
{
    long long n = 0;
    for (int i = 3; i >= 0; --i) {
        const int hi = bytes[i] >> 4;
        const int lo = bytes[i] & 0x0F;
        if (hi > 9 || lo > 9)
            return std::nullopt;
        n = n * 100 + hi * 10 + lo;
    }
    return double(n) / 100000.0;
}

QString FormatFrequency(double mhz)
{
    return QString::number(mhz, 'f', 5);
}

double AlignToStep(double mhz)
{
    const long long n = toUnits(mhz);
    const long long step = (n % 100 == 0) ? 500 : 625;
    const long long r = n % step;
    if (r == 0)
        return mhz;
    return double(n - r) / 100000.0;
}

RangeResult CheckFrequencyRange(double v)
{
    RangeResult r{v, false};
    if (r.value > myAll->ModelMaxFreq) {
        r.value = myAll->BandMaxFreq;
        MsgBox(myLanguage->Caution, myLanguage->ErrRange, MsgInformation);
        r.warned = true;
    } else if (r.value < myAll->ModelMinFreq) {
        r.value = myAll->BandMinFreq;
        MsgBox(myLanguage->Caution, myLanguage->ErrRange, MsgInformation);
        r.warned = true;
    }
    if (!r.warned && (r.value > myAll->BandMaxFreq || r.value < myAll->BandMinFreq)) {
        MsgBox(myLanguage->Caution, myLanguage->OutRange, MsgInformation);
        r.warned = true;
    }
    return r;
}

QString EnterFrequency(double mhz, bool *warned)
{
    const RangeResult r = CheckFrequencyRange(mhz);
    if (warned)
        *warned = r.warned;
    return FormatFrequency(AlignToStep(r.value));
}
