#include "replace/NewString.h"

namespace kw::replace {
namespace {

// Letters (umlauts and ß among them), digits and the marks that combine
// with a letter belong to a word; blanks, tabs, line breaks and punctuation
// end one.
bool isWordChar(char32_t c)
{
    return QChar::isLetterOrNumber(c) || QChar::isMark(c);
}

char32_t codePointBefore(const QString &text, qsizetype pos)
{
    const QChar last = text.at(pos - 1);
    if (last.isLowSurrogate() && pos >= 2 && text.at(pos - 2).isHighSurrogate())
        return QChar::surrogateToUcs4(text.at(pos - 2), last);
    return last.unicode();
}

char32_t codePointAt(const QString &text, qsizetype pos)
{
    const QChar first = text.at(pos);
    if (first.isHighSurrogate() && pos + 1 < text.size() && text.at(pos + 1).isLowSurrogate())
        return QChar::surrogateToUcs4(first, text.at(pos + 1));
    return first.unicode();
}

bool standsAlone(const QString &text, qsizetype begin, qsizetype end)
{
    const bool openBefore = begin == 0 || !isWordChar(codePointBefore(text, begin));
    const bool openAfter = end == text.size() || !isWordChar(codePointAt(text, end));
    return openBefore && openAfter;
}

// Case-insensitive search folds one UTF-16 unit at a time, so a match is
// always exactly as long as the search text.
QString replaceOccurrences(const QString &text, const QString &find, const QString &by, bool word)
{
    QString out;
    qsizetype copied = 0;
    qsizetype at = 0;
    while ((at = text.indexOf(find, at, Qt::CaseInsensitive)) >= 0) {
        const qsizetype end = at + find.size();
        if (word && !standsAlone(text, at, end)) {
            ++at;
            continue;
        }
        out += QStringView(text).mid(copied, at - copied);
        out += by;
        copied = at = end;
    }
    if (copied == 0)
        return text;
    out += QStringView(text).mid(copied);
    return out;
}

} // namespace

QString newString(const QString &current, const ReplaceOptions &options)
{
    if (options.replaceContent)
        return options.replacement;
    if (options.fillEmpty)
        return current.isEmpty() ? options.replacement : current;
    if (options.find.isEmpty())
        return current;
    return replaceOccurrences(current, options.find, options.replacement, options.word);
}

} // namespace kw::replace
