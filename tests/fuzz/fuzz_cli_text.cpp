// The frequency and tone text that users and scripts type: parsing, frequency entry,
// tone normalisation and the codecs. The first byte picks a UHF or a VHF band, the
// rest is the text (and, as raw bytes, a frequency and a tone field).

#include "FuzzSession.h"

#include "codec/Frequency.h"
#include "codec/Tone.h"

#include <cstddef>
#include <cstdint>

namespace {

void checkFrequency(const QString &text)
{
    (void)EncodeFrequency(text);
    const std::optional<double> v = ParseFrequencyText(text);
    if (!v)
        return;
    // Frequency entry always yields a text the codec stores and shows back unchanged,
    // within the model's range, and entering that text again changes nothing.
    const QString entered = EnterFrequency(*v);
    const std::optional<double> again = ParseFrequencyText(entered);
    FUZZ_CHECK(again.has_value());
    FUZZ_CHECK(*again >= myAll->ModelMinFreq - 0.00625 && *again <= myAll->ModelMaxFreq);
    const FrequencyField field = EncodeFrequency(entered);
    const std::optional<double> decoded = DecodeFrequency(field.data());
    FUZZ_CHECK(decoded.has_value());
    FUZZ_CHECK(FormatFrequency(*decoded) == entered);
    FUZZ_CHECK(EnterFrequency(*again) == entered);
}

void checkTone(const QString &text)
{
    const ToneField raw = EncodeTone(text);
    (void)DecodeTone(raw.data());
    // A normalised tone is stored and shown back as it is (the polarity letter in
    // upper case).
    const QString tone = NormaliseTone(text);
    if (tone.isEmpty())
        return;
    const ToneField field = EncodeTone(tone);
    FUZZ_CHECK(DecodeTone(field.data()).compare(tone, Qt::CaseInsensitive) == 0);
    FUZZ_CHECK(NormaliseTone(tone) == tone);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSession::get();
    if (size == 0)
        return 0;
    FuzzSession::useBand((data[0] & 1) ? "136 - 174MHz" : "450 - 470MHz");
    const QByteArray bytes(reinterpret_cast<const char *>(data) + 1, qsizetype(size - 1));
    if (bytes.size() >= 4) {
        (void)DecodeFrequency(reinterpret_cast<const uint8_t *>(bytes.constData()));
        (void)DecodeTone(reinterpret_cast<const uint8_t *>(bytes.constData()));
    }
    const QString text = QString::fromUtf8(bytes);
    checkFrequency(text);
    checkTone(text);
    return 0;
}
