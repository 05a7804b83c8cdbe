// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace Mervak {

/*!
    A small INI file read and written as UTF-8 text, as the system's profile-string routines
    treat it: sections in brackets, "key=value" lines, section and key names compared
    without regard to case, values trimmed, other lines (comments, blank lines) kept as they
    were. Keys are written exactly as given, so a key such as "hatırla" stays readable by any
    INI reader (QSettings would percent-encode it).
*/
class IniFile
{
public:
    IniFile() = default;
    explicit IniFile(const QString &path);

    QString path() const { return m_path; }
    bool exists() const;
    bool load();               // false when the file cannot be read; empty content then
    bool save() const;         // written whole, replacing the old file in one step
    void parse(const QString &text);
    QString text() const;

    bool contains(const QString &section, const QString &key) const;
    QString value(const QString &section, const QString &key,
                  const QString &defaultValue = QString()) const;
    // "1"/"true"/"yes" and any other non-zero number count as true.
    bool boolValue(const QString &section, const QString &key, bool defaultValue) const;
    void setValue(const QString &section, const QString &key, const QString &value);
    QStringList keys(const QString &section) const;

private:
    struct Line {
        QString section;   // the section this line belongs to (lower case lookup via compare)
        QString key;       // empty for a header, a comment or a blank line
        QString value;
        QString raw;       // as read, for lines that are not key lines
    };
    int find(const QString &section, const QString &key) const;

    QString m_path;
    std::vector<Line> m_lines;
};

} // namespace Mervak
