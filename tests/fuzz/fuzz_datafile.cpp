// Data file reader: any bytes on disk either open or are refused with the image left
// as it was; what opens shows in every window, and saving it reads back the same.

#include "FuzzSession.h"

#include "channels/Channel.h"
#include "codec/Frequency.h"
#include "file/DataFile.h"
#include "functions/Settings.h"
#include "model/RadioImage.h"

#include <QFile>

#include <cstddef>
#include <cstdint>

namespace {

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSession &session = FuzzSession::get();
    const QString path = session.path(QStringLiteral("input.dat"));
    FuzzSession::useBand("450 - 470MHz");
    NewImage();
    const auto fresh = myAll->RadioImage;
    if (!writeFile(path, QByteArray(reinterpret_cast<const char *>(data), qsizetype(size))))
        return 0;

    if (ReadDataFile(path) != ReadResult::Ok) {
        FUZZ_CHECK(myAll->RadioImage == fresh);
        FUZZ_CHECK(myAll->BandText == QLatin1String("450 - 470MHz"));
        return 0;
    }
    FUZZ_CHECK(myAll->CurMacType != nullptr);
    FUZZ_CHECK(myMacList->FindByBand(myAll->BandText) == myAll->CurMacType);

    // What the channel grid, the settings windows and the radio information show.
    for (int n = 1; n <= myAll->ChannelCount; ++n)
        if (const auto c = DecodeChannel(n)) {
            FUZZ_CHECK(!FormatFrequency(c->rx).isEmpty());
            if (c->tx)
                FUZZ_CHECK(!FormatFrequency(*c->tx).isEmpty());
        }
    for (const SettingInfo &s : SettingsTable())
        (void)(s.encoding == SettingEncoding::ListIndex ? SettingText(s).size()
                                                        : qsizetype(SettingChecked(s)));
    FUZZ_CHECK(!StampText().isEmpty());

    // Saving what was opened and opening it again gives the same image and session.
    const auto opened = myAll->RadioImage;
    const QString band = myAll->BandText;
    // (BuildDataFile is what WriteDataFile saves; writing it here spares a disk sync per
    // input.)
    FUZZ_CHECK(writeFile(path, BuildDataFile()));
    FUZZ_CHECK(ReadDataFile(path) == ReadResult::Ok);
    FUZZ_CHECK(myAll->RadioImage == opened);
    FUZZ_CHECK(myAll->BandText == band);
    return 0;
}
