// INI reader and writer: any bytes decode, every key found reads back, and a value
// written reads back the same, before and after the text is written out and parsed
// again.

#include "FuzzSession.h"

#include "lang/IniFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    bool gbk = false;
    const QString text = IniFile::decode(bytes, &gbk);
    IniFile ini;
    ini.setText(text);

    const QStringList sections = ini.sections();
    for (const QString &section : sections.mid(0, 16)) {
        for (const QString &key : ini.keys(section).mid(0, 16)) {
            bool found = false;
            ini.value(section, key, QString(), &found);
            FUZZ_CHECK(found);
            FUZZ_CHECK(ini.contains(section.toUpper(), key.toUpper()));
        }
    }

    // Update a key of the file in place, and add one that is new.
    const QString value = QStringLiteral("a, b \\ c ; d");
    QString section = QStringLiteral("Fuzz");
    QString key = QStringLiteral("Key");
    if (!sections.isEmpty() && !ini.keys(sections.first()).isEmpty()) {
        section = sections.first();
        key = ini.keys(section).first();
    }
    ini.setValue(section, key, value);
    ini.setValue(QStringLiteral("Added"), QStringLiteral("Com"), QStringLiteral("ttyUSB0"));
    FUZZ_CHECK(ini.value(section, key, QString()) == value);
    FUZZ_CHECK(ini.value(QStringLiteral("ADDED"), QStringLiteral("com"), QString()) ==
               QLatin1String("ttyUSB0"));

    IniFile again;
    again.setText(ini.text());
    FUZZ_CHECK(again.value(section, key, QString()) == value);
    FUZZ_CHECK(again.value(QStringLiteral("added"), QStringLiteral("COM"), QString()) ==
               QLatin1String("ttyUSB0"));
    // Every key reads the same from the written text. (The text itself may differ: a
    // stray carriage return at the end of a line is not kept.)
    for (const QString &sec : ini.sections().mid(0, 16))
        for (const QString &k : ini.keys(sec).mid(0, 16))
            FUZZ_CHECK(again.value(sec, k, QString()) == ini.value(sec, k, QString()));
    return 0;
}
