#include "platform/mailstore/Filter.h"

#include "platform/core/PlatformError.h"
#include "platform/mailstore/FieldValues.h"
#include "platform/mailstore/ItemSchema.h"

namespace kw::mailstore::filter {

namespace {

[[noreturn]] void malformed(const QString &text, const QString &why)
{
    throw PlatformError(errors::kInvalidArgument,
                        QStringLiteral("Die Bedingung ist ungültig (%1): %2").arg(why, text));
}

class Parser
{
public:
    explicit Parser(const QString &text) : m_text(text) {}

    Expression run()
    {
        Expression expr;
        expr.append({clause()});
        while (skipBlanks(), m_pos < m_text.size()) {
            const QString word = keyword();
            if (word == u"OR")
                expr.append({clause()});
            else if (word == u"AND")
                expr.last().append(clause());
            else
                malformed(m_text, QStringLiteral("OR oder AND erwartet"));
        }
        return expr;
    }

private:
    void skipBlanks()
    {
        while (m_pos < m_text.size() && m_text.at(m_pos).isSpace())
            ++m_pos;
    }

    QString keyword()
    {
        const int start = m_pos;
        while (m_pos < m_text.size() && m_text.at(m_pos).isLetter())
            ++m_pos;
        if (m_pos == start || m_pos >= m_text.size() || !m_text.at(m_pos).isSpace())
            malformed(m_text, QStringLiteral("OR oder AND erwartet"));
        return m_text.mid(start, m_pos - start).toUpper();
    }

    Clause clause()
    {
        skipBlanks();
        expect(u'[');
        const int close = m_text.indexOf(u']', m_pos);
        if (close < 0)
            malformed(m_text, QStringLiteral("] fehlt"));
        const QString name = m_text.mid(m_pos, close - m_pos).trimmed();
        m_pos = close + 1;
        const QString canonical = canonicalFieldName(name);
        if (canonical.isEmpty())
            malformed(m_text, QStringLiteral("unbekanntes Feld %1").arg(name));
        skipBlanks();
        expect(u'=');
        skipBlanks();
        const QString value = quoted();
        // A value that does not fit the field fails here, whether or not the
        // folder holds any item to compare it with.
        const FieldKind kind = kindOfField(canonical);
        return {canonical, kind == FieldKind::Text ? value : toFieldText(kind, value, canonical)};
    }

    QString quoted()
    {
        if (m_pos >= m_text.size() || (m_text.at(m_pos) != u'\'' && m_text.at(m_pos) != u'"'))
            malformed(m_text, QStringLiteral("Wert in Anführungszeichen erwartet"));
        const QChar quote = m_text.at(m_pos++);
        QString value;
        while (true) {
            if (m_pos >= m_text.size())
                malformed(m_text, QStringLiteral("Anführungszeichen nicht geschlossen"));
            const QChar c = m_text.at(m_pos++);
            if (c != quote) {
                value.append(c);
                continue;
            }
            if (m_pos < m_text.size() && m_text.at(m_pos) == quote) {
                value.append(quote); // doubled quote inside the value
                ++m_pos;
                continue;
            }
            return value;
        }
    }

    void expect(QChar c)
    {
        if (m_pos >= m_text.size() || m_text.at(m_pos) != c)
            malformed(m_text, QStringLiteral("%1 erwartet").arg(c));
        ++m_pos;
    }

    const QString &m_text;
    int m_pos = 0;
};

} // namespace

QString clause(const QString &field, const QString &value)
{
    // Built in one pass: replacing each apostrophe in place moves the rest
    // of the text every time, which is quadratic in their number.
    QString out;
    out.reserve(field.size() + value.size() + value.count(u'\'') + 8);
    out += u'[' + field + QLatin1String("] = '");
    for (const QChar c : value) {
        out += c;
        if (c == u'\'')
            out += c;
    }
    out += u'\'';
    return out;
}

Expression parse(const QString &text)
{
    if (text.trimmed().isEmpty())
        malformed(text, QStringLiteral("leer"));
    return Parser(text).run();
}

bool matches(const QString &field, const QString &storedText, const QString &value)
{
    const FieldKind kind = kindOfField(field);
    const QString stored = storedText.isNull() ? defaultFieldText(kind) : storedText;
    if (kind == FieldKind::Text)
        return stored.compare(value, Qt::CaseInsensitive) == 0;
    return stored == value; // both in the field's text form
}

} // namespace kw::mailstore::filter
