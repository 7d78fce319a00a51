#pragma once

#include <QString>
#include <QStringList>

// An INI file read and written the way Windows profile files behave: names compared
// without case, blanks trimmed, values verbatim but for one pair of surrounding double
// quotes, ';' comments, the first occurrence of a key wins. Text is UTF-8 when it is
// valid UTF-8 and GBK otherwise; a rewrite keeps the file's own encoding and every line
// it does not change.
class IniFile
{
public:
    IniFile() = default;

    // Loads the file; a missing file gives an empty one. Returns false only when the
    // file exists and cannot be read.
    bool load(const QString &path);
    void setText(const QString &text);

    QString value(const QString &section, const QString &key, const QString &fallback,
                  bool *found = nullptr) const;
    bool contains(const QString &section, const QString &key) const;
    QStringList sections() const;
    QStringList keys(const QString &section) const;

    // Changes the key's line in place, or adds the key (and its section) at the end.
    void setValue(const QString &section, const QString &key, const QString &value);

    // Writes the file atomically (a temporary file beside it, then a rename).
    bool save(const QString &path, QString *error = nullptr) const;

    bool isGbk() const { return m_gbk; }
    QString text() const;

    // Decodes bytes as UTF-8 when valid, else as GBK.
    static QString decode(const QByteArray &bytes, bool *gbk = nullptr);

private:
    struct Line
    {
        QString raw;
        QString section; // lower-case section this line belongs to
        QString key;     // lower-case key, empty for other lines
        bool isSection = false;
    };
    int findLine(const QString &section, const QString &key) const;
    void parse();

    QList<Line> m_lines;
    bool m_gbk = false;
    bool m_crlf = false;
};
