#include "contacts/NameCorrectionFunctions.h"
#include "contacts/NameTokenTypes.h"

namespace kw {

QString NormalizeNameString(const QString &text)
{
    // Pad the marks that are tokens of their own; a semicolon counts as a comma.
    // Tabs, line breaks and non-breaking spaces pasted from elsewhere separate
    // words just like a blank.
    QString padded;
    padded.reserve(text.size() * 2);
    for (const QChar c : text) {
        switch (c.unicode()) {
        case ',':
        case ';':
            padded += QLatin1String(" , ");
            break;
        case '-':
        case '(':
        case '[':
        case '{':
        case ')':
        case ']':
        case '}':
            padded += QLatin1Char(' ');
            padded += c;
            padded += QLatin1Char(' ');
            break;
        default:
            padded += c.isSpace() ? QLatin1Char(' ') : c;
        }
    }

    QString out;
    out.reserve(padded.size());
    for (const QChar c : padded) {
        if (c == QLatin1Char(' ') && (out.isEmpty() || out.back() == QLatin1Char(' ')))
            continue;
        out += c;
    }
    if (!out.isEmpty() && out.back() == QLatin1Char(' '))
        out.chop(1);
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

} // namespace kw
