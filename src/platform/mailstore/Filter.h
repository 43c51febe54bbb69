#pragma once

#include <QList>
#include <QString>

// Filters of the form "[Field] = 'value'", clauses joined by " OR " and
// " AND " (AND binds tighter), as Items.Restrict and Items.Find take them.
namespace kw::mailstore::filter {

struct Clause
{
    QString field; // canonical field name
    QString value; // unquoted: "''" inside the quotes reads as one apostrophe
};

// Alternatives, each a list of clauses that must all hold.
using Expression = QList<QList<Clause>>;

// Throws kw::PlatformError for a malformed filter or an unknown field.
Expression parse(const QString &text);

// Whether a field's stored text (null = the field's default) matches a
// clause's value: text without regard to case, dates, yes-no values and
// numbers by value.
bool matches(const QString &field, const QString &storedText, const QString &value);

} // namespace kw::mailstore::filter
