#pragma once

#include <QString>
#include <QStringView>
#include <algorithm>

namespace kw {

// The line break of the texts the tools write into fields, messages and the
// error log.
inline const QString kCrLf = QStringLiteral("\r\n");

// `text` without leading and trailing blanks. Only " " counts: the settings,
// names and class names the tools compare keep tabs and other spaces.
inline QString trimBlanks(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == u' ')
        ++begin;
    while (end > begin && text.at(end - 1) == u' ')
        --end;
    return (begin == 0 && end == text.size()) ? text : text.mid(begin, end - begin);
}

// Exact prefix and suffix tests, inline: cheaper than Qt's general
// comparison for the few characters of a telephone prefix or separator.
inline bool hasPrefix(QStringView text, QStringView prefix) noexcept
{
    return text.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), text.begin());
}

inline bool hasSuffix(QStringView text, QStringView suffix) noexcept
{
    return text.size() >= suffix.size() && std::equal(suffix.begin(), suffix.end(), text.end() - suffix.size());
}

// Whether a and b are equal without regard to case, exactly as
// QStringView::compare with Qt::CaseInsensitive judges it. ASCII, where
// folding is plain lowering, is compared without Qt's Unicode tables: names
// of fields and properties are ASCII and compared by the thousand.
inline bool equalsIgnoringCase(QStringView a, QStringView b) noexcept
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        const char16_t x = a[i].unicode();
        const char16_t y = b[i].unicode();
        if (x == y)
            continue;
        if (x >= 0x80 || y >= 0x80)
            return a.compare(b, Qt::CaseInsensitive) == 0;
        const char16_t lower = x | 0x20;
        if (lower != (y | 0x20) || lower < u'a' || lower > u'z')
            return false;
    }
    return true;
}

} // namespace kw
