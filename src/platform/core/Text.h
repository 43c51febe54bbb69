#pragma once

#include <QString>

namespace kw {

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

} // namespace kw
