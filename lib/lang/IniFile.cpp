#include "IniFile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace {

QString unquote(QString v)
{
    v = v.trimmed();
    if (v.size() >= 2 && v.startsWith(u'"') && v.endsWith(u'"'))
        v = v.mid(1, v.size() - 2);
    return v;
}

} // namespace

QString IniFile::decode(const QByteArray &bytes, bool *gbk)
{
    QByteArray data = bytes;
    if (data.startsWith("\xEF\xBB\xBF"))
        data.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(data);
    if (!utf8.hasError()) {
        if (gbk)
            *gbk = false;
        return text;
    }
    QStringDecoder gbkDecoder("GBK");
    if (gbk)
        *gbk = gbkDecoder.isValid();
    if (!gbkDecoder.isValid())
        return QString::fromLatin1(data);
    return gbkDecoder.decode(data);
}

bool IniFile::load(const QString &path)
{
    m_lines.clear();
    m_gbk = false;
    m_crlf = false;
    QFile f(path);
    if (!f.exists())
        return true;
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = f.readAll();
    m_crlf = bytes.contains("\r\n");
    bool gbk = false;
    const QString text = decode(bytes, &gbk);
    setText(text);
    m_gbk = gbk;
    return true;
}

void IniFile::setText(const QString &text)
{
    m_lines.clear();
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QStringList raw = t.split(u'\n');
    if (!raw.isEmpty() && raw.last().isEmpty())
        raw.removeLast();
    for (const QString &r : raw)
        m_lines.append(Line{r, {}, {}, false});
    parse();
}

void IniFile::parse()
{
    QString section;
    for (Line &line : m_lines) {
        const QString s = line.raw.trimmed();
        line.key.clear();
        line.isSection = false;
        if (s.startsWith(u'[')) {
            int end = s.indexOf(u']');
            section = (end > 0 ? s.mid(1, end - 1) : s.mid(1)).trimmed().toLower();
            line.isSection = true;
            line.section = section;
            continue;
        }
        line.section = section;
        if (s.isEmpty() || s.startsWith(u';'))
            continue;
        int eq = s.indexOf(u'=');
        if (eq <= 0)
            continue;
        line.key = s.left(eq).trimmed().toLower();
    }
}

int IniFile::findLine(const QString &section, const QString &key) const
{
    const QString sec = section.trimmed().toLower();
    const QString k = key.trimmed().toLower();
    for (int i = 0; i < m_lines.size(); ++i) {
        const Line &l = m_lines.at(i);
        if (!l.isSection && !l.key.isEmpty() && l.section == sec && l.key == k)
            return i;
    }
    return -1;
}

QString IniFile::value(const QString &section, const QString &key, const QString &fallback, bool *found) const
{
    int i = findLine(section, key);
    if (found)
        *found = i >= 0;
    if (i < 0)
        return fallback;
    const QString &raw = m_lines.at(i).raw;
    return unquote(raw.mid(raw.indexOf(u'=') + 1));
}

bool IniFile::contains(const QString &section, const QString &key) const
{
    return findLine(section, key) >= 0;
}

QStringList IniFile::sections() const
{
    QStringList out;
    for (const Line &l : m_lines)
        if (l.isSection && !out.contains(l.section))
            out.append(l.section);
    return out;
}

QStringList IniFile::keys(const QString &section) const
{
    const QString sec = section.trimmed().toLower();
    QStringList out;
    for (const Line &l : m_lines)
        if (!l.isSection && !l.key.isEmpty() && l.section == sec && !out.contains(l.key))
            out.append(l.key);
    return out;
}

void IniFile::setValue(const QString &section, const QString &key, const QString &value)
{
    const QString newLine = key.trimmed() + u'=' + value;
    int i = findLine(section, key);
    if (i >= 0) {
        // Keep the key as the file spells it.
        const QString &raw = m_lines.at(i).raw;
        m_lines[i].raw = raw.left(raw.indexOf(u'=')).trimmed() + u'=' + value;
        return;
    }
    const QString sec = section.trimmed().toLower();
    int lastOfSection = -1;
    for (int j = 0; j < m_lines.size(); ++j) {
        const Line &l = m_lines.at(j);
        if (l.section == sec && (l.isSection || !l.raw.trimmed().isEmpty()))
            lastOfSection = j;
    }
    if (lastOfSection < 0) {
        if (!m_lines.isEmpty() && !m_lines.last().raw.trimmed().isEmpty())
            m_lines.append(Line{QString(), {}, {}, false});
        m_lines.append(Line{u'[' + section.trimmed() + u']', {}, {}, false});
        m_lines.append(Line{newLine, {}, {}, false});
    } else {
        m_lines.insert(lastOfSection + 1, Line{newLine, {}, {}, false});
    }
    parse();
}

QString IniFile::text() const
{
    QString out;
    const QString eol = m_crlf ? QStringLiteral("\r\n") : QStringLiteral("\n");
    for (const Line &l : m_lines)
        out += l.raw + eol;
    return out;
}

bool IniFile::save(const QString &path, QString *error) const
{
    QByteArray bytes;
    if (m_gbk) {
        QStringEncoder enc("GBK");
        bytes = enc.encode(text());
    } else {
        bytes = text().toUtf8();
    }
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit()) {
        if (error)
            *error = f.errorString();
        return false;
    }
    return true;
}
