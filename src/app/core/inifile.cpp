// SPDX-License-Identifier: LicenseRef-Mervak
#include "inifile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace Mervak {

namespace {

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

IniFile::IniFile(const QString &path)
    : m_path(path)
{
}

bool IniFile::exists() const
{
    return QFileInfo::exists(m_path);
}

bool IniFile::load()
{
    m_lines.clear();
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QByteArray bytes = file.readAll();
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    parse(QString::fromUtf8(bytes));
    return true;
}

void IniFile::parse(const QString &text)
{
    m_lines.clear();
    QString section;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        QString raw = lines.at(i);
        if (raw.endsWith(QLatin1Char('\r')))
            raw.chop(1);
        if (i == lines.size() - 1 && raw.isEmpty())
            break;   // the final line break
        const QString t = raw.trimmed();
        Line line;
        line.raw = raw;
        if (t.startsWith(QLatin1Char('[')) && t.endsWith(QLatin1Char(']'))) {
            section = t.mid(1, t.size() - 2).trimmed();
            line.section = section;
        } else if (!t.isEmpty() && !t.startsWith(QLatin1Char(';'))
                   && !t.startsWith(QLatin1Char('#')) && t.contains(QLatin1Char('='))) {
            const int eq = t.indexOf(QLatin1Char('='));
            line.section = section;
            line.key = t.left(eq).trimmed();
            line.value = t.mid(eq + 1).trimmed();
            if (line.value.size() >= 2 && line.value.startsWith(QLatin1Char('"'))
                && line.value.endsWith(QLatin1Char('"')))
                line.value = line.value.mid(1, line.value.size() - 2);
        } else {
            line.section = section;
        }
        m_lines.push_back(line);
    }
}

QString IniFile::text() const
{
    QString out;
    for (const Line &line : m_lines) {
        if (line.key.isEmpty())
            out += line.raw;
        else
            out += line.key + QLatin1Char('=') + line.value;
        out += QStringLiteral("\r\n");
    }
    return out;
}

bool IniFile::save() const
{
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(text().toUtf8());
    return file.commit();
}

int IniFile::find(const QString &section, const QString &key) const
{
    for (int i = 0; i < int(m_lines.size()); ++i) {
        const Line &line = m_lines[size_t(i)];
        if (!line.key.isEmpty() && sameName(line.section, section) && sameName(line.key, key))
            return i;
    }
    return -1;
}

bool IniFile::contains(const QString &section, const QString &key) const
{
    return find(section, key) >= 0;
}

QString IniFile::value(const QString &section, const QString &key,
                       const QString &defaultValue) const
{
    const int i = find(section, key);
    return i < 0 ? defaultValue : m_lines[size_t(i)].value;
}

bool IniFile::boolValue(const QString &section, const QString &key, bool defaultValue) const
{
    const int i = find(section, key);
    if (i < 0)
        return defaultValue;
    const QString v = m_lines[size_t(i)].value.toLower();
    if (v == QLatin1String("true") || v == QLatin1String("yes"))
        return true;
    if (v == QLatin1String("false") || v == QLatin1String("no") || v.isEmpty())
        return false;
    bool ok = false;
    const long long n = v.toLongLong(&ok);
    return ok ? n != 0 : defaultValue;
}

void IniFile::setValue(const QString &section, const QString &key, const QString &value)
{
    const int i = find(section, key);
    if (i >= 0) {
        m_lines[size_t(i)].value = value;
        return;
    }
    // After the last line of the section, or a new section at the end.
    int header = -1;
    int last = -1;
    for (int j = 0; j < int(m_lines.size()); ++j) {
        const Line &line = m_lines[size_t(j)];
        if (!sameName(line.section, section))
            continue;
        if (header < 0)
            header = j;
        if (!line.key.isEmpty() || j == header)
            last = j;
    }
    Line line;
    line.section = section;
    line.key = key;
    line.value = value;
    if (header < 0) {
        Line head;
        head.section = section;
        head.raw = QLatin1Char('[') + section + QLatin1Char(']');
        m_lines.push_back(head);
        m_lines.push_back(line);
    } else {
        m_lines.insert(m_lines.begin() + last + 1, line);
    }
}

QStringList IniFile::keys(const QString &section) const
{
    QStringList out;
    for (const Line &line : m_lines) {
        if (!line.key.isEmpty() && sameName(line.section, section))
            out << line.key;
    }
    return out;
}

} // namespace Mervak
