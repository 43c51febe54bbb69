#include "contacts/names/NameCorrectionFunctions.h"
#include "contacts/names/NameTokenTypes.h"

namespace kw::contacts::names {

QString NormalizeNameString(const QString &text)
{
    // Pad the marks that are tokens of their own; a semicolon counts as a comma.
    // Tabs, line breaks and non-breaking spaces pasted from elsewhere separate
    // words just like a blank. Written in one pass into a buffer of the
    // largest size (every character a padded mark): a blank is added only
    // after a word and the last one is cut, so no run of blanks remains.
    QString out(text.size() * 3, Qt::Uninitialized);
    QChar *const begin = out.data();
    QChar *end = begin;
    const auto blank = [&] {
        if (end != begin && end[-1] != QLatin1Char(' '))
            *end++ = QLatin1Char(' ');
    };
    for (const QChar c : text) {
        switch (c.unicode()) {
        case ',':
        case ';':
            blank();
            *end++ = QLatin1Char(',');
            blank();
            break;
        case '-':
        case '(':
        case '[':
        case '{':
        case ')':
        case ']':
        case '}':
            blank();
            *end++ = c;
            blank();
            break;
        default:
            if (c.isSpace())
                blank();
            else
                *end++ = c;
        }
    }
    if (end != begin && end[-1] == QLatin1Char(' '))
        --end;
    out.truncate(end - begin);
    return out;
}

int CountTokenType(const NameTokens &tokens, const QString &type)
{
    return int(tokens.type.count(type));
}

int FindTokenType(const NameTokens &tokens, const QString &type, int k)
{
    if (k < 1)
        return -1;
    for (int i = 0; i < tokens.type.size(); ++i) {
        if (tokens.type[i] == type && --k == 0)
            return i;
    }
    return -1;
}

int FirstTokenTypeIndex(const NameTokens &tokens, const QString &type)
{
    const qsizetype i = tokens.type.indexOf(type);
    return int(i < 0 ? tokens.type.size() : i);
}

} // namespace kw::contacts::names
