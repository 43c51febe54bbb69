#include "platform/mailstore/FieldValues.h"

#include "platform/core/PlatformError.h"


namespace kw::mailstore {

QDateTime noDate()
{
    return QDateTime(QDate(4501, 1, 1), QTime(0, 0), Qt::UTC);
}

QString dateToText(const QDateTime &value)
{
    if (!value.isValid())
        return kNoDate;
    if (value.time() == QTime(0, 0))
        return value.toString(QStringLiteral("dd.MM.yyyy"));
    return value.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
}

namespace {

// Reads 1..maxDigits digits at pos; -1 when there are none.
int number(QStringView t, qsizetype &pos, int maxDigits)
{
    int value = 0;
    int digits = 0;
    while (pos < t.size() && digits < maxDigits && t[pos].isDigit()) {
        value = value * 10 + t[pos].digitValue();
        ++pos;
        ++digits;
    }
    return digits ? value : -1;
}

bool expect(QStringView t, qsizetype &pos, QChar c)
{
    if (pos >= t.size() || t[pos] != c)
        return false;
    ++pos;
    return true;
}

} // namespace

std::optional<QDateTime> parseDateText(const QString &text)
{
    // e.g. "3.7.2026", "03.07.2026 09:30", "03.07.2026 09:30:15"; every item
    // load reads one, so no regular expression here.
    const QStringView t = QStringView(text).trimmed();
    qsizetype pos = 0;
    const int day = number(t, pos, 2);
    if (day < 0 || !expect(t, pos, u'.'))
        return std::nullopt;
    const int month = number(t, pos, 2);
    if (month < 0 || !expect(t, pos, u'.'))
        return std::nullopt;
    const qsizetype yearStart = pos;
    const int year = number(t, pos, 4);
    if (year < 0 || pos - yearStart != 4)
        return std::nullopt;
    int h = 0, m = 0, sec = 0;
    if (pos < t.size()) {
        if (!t[pos].isSpace())
            return std::nullopt;
        while (pos < t.size() && t[pos].isSpace())
            ++pos;
        h = number(t, pos, 2);
        if (h < 0 || !expect(t, pos, u':') || pos + 2 > t.size() || (m = number(t, pos, 2)) < 0)
            return std::nullopt;
        if (pos < t.size()) {
            if (!expect(t, pos, u':') || (sec = number(t, pos, 2)) < 0 || pos != t.size())
                return std::nullopt;
        }
    }
    const QDate date(year, month, day);
    const QTime time(h, m, sec);
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    // Item dates are wall-clock texts; read as UTC so that no time-zone rule
    // (a spring-forward gap) can turn a valid text into an invalid date.
    return QDateTime(date, time, Qt::UTC);
}

namespace {

[[noreturn]] void mismatch(const QString &fieldName, const QVariant &value)
{
    throw PlatformError(errors::kTypeMismatch,
                        QStringLiteral("Typen unverträglich: \"%1\" passt nicht in das Feld %2.")
                            .arg(value.toString(), fieldName));
}

QString dateText(const QVariant &value, const QString &fieldName)
{
    if (value.metaType().id() == QMetaType::QDateTime)
        return dateToText(value.toDateTime());
    if (value.metaType().id() == QMetaType::QDate)
        return dateToText(QDateTime(value.toDate(), QTime(0, 0), Qt::UTC));
    const std::optional<QDateTime> parsed = parseDateText(value.toString());
    if (!parsed)
        mismatch(fieldName, value);
    return dateToText(*parsed);
}

QString boolText(const QVariant &value, const QString &fieldName)
{
    if (value.metaType().id() == QMetaType::Bool)
        return value.toBool() ? kTrueText : kFalseText;
    const QString t = value.toString().trimmed();
    if (t.compare(kTrueText, Qt::CaseInsensitive) == 0 || t.compare(u"true", Qt::CaseInsensitive) == 0
        || t == u"1" || t == u"-1")
        return kTrueText;
    if (t.compare(kFalseText, Qt::CaseInsensitive) == 0
        || t.compare(u"false", Qt::CaseInsensitive) == 0 || t == u"0")
        return kFalseText;
    mismatch(fieldName, value);
}

QString integerText(const QVariant &value, const QString &fieldName)
{
    bool ok = false;
    const qlonglong n = value.metaType().id() == QMetaType::QString
                            ? value.toString().trimmed().toLongLong(&ok)
                            : value.toLongLong(&ok);
    if (!ok)
        mismatch(fieldName, value);
    return QString::number(n);
}

QString numberText(const QVariant &value, const QString &fieldName)
{
    bool ok = false;
    QString t = value.toString().trimmed();
    t.replace(u',', u'.');
    const double d = t.toDouble(&ok);
    if (!ok)
        mismatch(fieldName, value);
    return QString::number(d, 'g', 15);
}

} // namespace

QString toFieldText(FieldKind kind, const QVariant &value, const QString &fieldName)
{
    switch (kind) {
    case FieldKind::Text:
        return value.toString();
    case FieldKind::Date:
        return dateText(value, fieldName);
    case FieldKind::Bool:
        return boolText(value, fieldName);
    case FieldKind::Integer:
        return integerText(value, fieldName);
    case FieldKind::Number:
        return numberText(value, fieldName);
    }
    return value.toString();
}

QVariant fromFieldText(FieldKind kind, const QString &text)
{
    switch (kind) {
    case FieldKind::Text:
        return text;
    case FieldKind::Date:
        return parseDateText(text).value_or(noDate());
    case FieldKind::Bool:
        return text == kTrueText;
    case FieldKind::Integer:
        return text.toInt();
    case FieldKind::Number:
        return text.toDouble();
    }
    return text;
}

QString defaultFieldText(FieldKind kind)
{
    switch (kind) {
    case FieldKind::Text:
        return QLatin1String("");
    case FieldKind::Date:
        return kNoDate;
    case FieldKind::Bool:
        return kFalseText;
    case FieldKind::Integer:
    case FieldKind::Number:
        return QStringLiteral("0");
    }
    return {};
}

} // namespace kw::mailstore
