#include "contacts/names/NameCorrectionFunctions.h"
#include "contacts/names/NameTokenTypes.h"

#include <QHash>
#include <algorithm>

namespace kw::contacts::names {
namespace {

struct LayoutPart
{
    const char *caption;
    QChar code;
    const QString *text;
};

bool isSeparator(QChar c)
{
    return c == QLatin1Char(',') || c == QLatin1Char(';') || c == QLatin1Char('-') || c == QLatin1Char('/');
}

void removeEmptyBrackets(QString &s)
{
    s.remove(QStringLiteral("()"));
    s.remove(QStringLiteral("[]"));
    s.remove(QStringLiteral("{}"));
}

void trimSeparators(QString &s)
{
    while (!s.isEmpty() && isSeparator(s.front()))
        s.remove(0, 1);
    while (!s.isEmpty() && isSeparator(s.back()))
        s.chop(1);
}

// A separator stays only between two code letters, so the separator of an
// empty part leaves with it ("N,V" without a first name becomes "N").
// The walk steps on after a removal: the character that moved up is not looked at.
void dropLooseSeparators(QString &s)
{
    const qsizetype end = s.size() - 1; // fixed when the walk starts
    for (qsizetype i = 1; i < end; ++i) {
        if (i + 1 >= s.size() || !isSeparator(s[i]))
            continue;
        if (!IsLayoutCode(s[i - 1].toUpper()) || !IsLayoutCode(s[i + 1].toUpper()))
            s.remove(i, 1);
    }
}

QString emitLayout(const QString &s, const LayoutPart (&parts)[6])
{
    QString result;
    QString pending;
    const QString blank = QStringLiteral(" ");
    for (const QChar raw : s) {
        const QChar c = raw.toUpper();
        const auto part = std::find_if(std::begin(parts), std::end(parts), [c](const LayoutPart &p) { return p.code == c; });
        if (part != std::end(parts)) {
            result += pending + *part->text;
            pending = blank;
        } else if (c == QLatin1Char('L')) {
            result += blank; // the one blank "L" stands for
            pending.clear();
        } else if (c == QLatin1Char('(') || c == QLatin1Char('[') || c == QLatin1Char('{')) {
            result += blank + c;
            pending.clear();
        } else if (c == QLatin1Char(')') || c == QLatin1Char(']') || c == QLatin1Char('}') || c == QLatin1Char(',')
                   || c == QLatin1Char(';')) {
            result += c;
            pending = blank;
        } else if (c == QLatin1Char('-') || c == QLatin1Char('/')) {
            result += blank + c;
            pending = blank;
        } else {
            result += raw;
            pending.clear();
        }
    }
    return result;
}

} // namespace

bool IsLayoutCode(QChar c)
{
    switch (c.unicode()) {
    case 'F':
    case 'N':
    case 'V':
    case 'Z':
    case 'W':
    case 'L':
    case 'A':
        return true;
    default:
        return false;
    }
}

bool IsLayoutCode(const QString &character)
{
    return character.size() == 1 && IsLayoutCode(character.front());
}

namespace {

// The layout cut down to the codes and separators of the parts at hand.
QString reduceLayout(const QString &layout, const LayoutPart (&parts)[6])
{
    QString s = layout;
    for (const LayoutPart &p : parts)
        s.replace(QLatin1String(p.caption), QString(p.code), Qt::CaseInsensitive);
    for (const LayoutPart &p : parts) {
        if (p.text->isEmpty())
            s.remove(p.code, Qt::CaseInsensitive);
    }
    s.remove(QLatin1Char(' '));
    removeEmptyBrackets(s);
    trimSeparators(s);
    dropLooseSeparators(s);
    removeEmptyBrackets(s);
    return s;
}

// reduceLayout() depends only on the layout and on which parts are empty; a run
// builds the same one or two layouts for every contact.
const QString &reducedLayout(const QString &layout, const LayoutPart (&parts)[6])
{
    constexpr int kKept = 256; // a few layouts times the 64 ways parts can be empty
    thread_local QHash<QString, QString> reduced;
    // The layout followed by one character for the parts that are present.
    QString key = layout;
    ushort present = 1;
    for (int i = 0; i < 6; ++i) {
        if (!parts[i].text->isEmpty())
            present |= ushort(2 << i);
    }
    key.append(QChar(present));
    auto it = reduced.constFind(key);
    if (it == reduced.cend()) {
        if (reduced.size() >= kKept)
            reduced.clear();
        it = reduced.insert(key, reduceLayout(layout, parts));
    }
    return *it;
}

} // namespace

QString BuildNameLayout(const QString &title, const QString &firstName, const QString &middleName,
                        const QString &lastName, const QString &suffix, const QString &company,
                        const QString &layout)
{
    const LayoutPart parts[6] = {
        {"Anrede", QLatin1Char('A'), &title},      {"Vorname", QLatin1Char('V'), &firstName},
        {"weitere Vorn.", QLatin1Char('W'), &middleName}, {"Nachname", QLatin1Char('N'), &lastName},
        {"Namenszusatz", QLatin1Char('Z'), &suffix}, {"Firma", QLatin1Char('F'), &company},
    };
    return trimBlanks(emitLayout(reducedLayout(layout, parts), parts));
}

} // namespace kw::contacts::names
