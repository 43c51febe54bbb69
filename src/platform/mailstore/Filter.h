#pragma once

#include <QList>
#include <QString>

// Filters of the form "[Field] = 'value'", clauses joined by " OR " and
// " AND " (AND binds tighter), as Items.Restrict and Items.Find take them.
namespace kw::mailstore::filter {

struct Clause
{
    QString field; // canonical field name
    // Unquoted ("''" inside the quotes reads as one apostrophe); for dates,
    // yes-no values and numbers already in the field's text form.
    QString value;
};

// Alternatives, each a list of clauses that must all hold.
using Expression = QList<QList<Clause>>;

// The clause "[field] = 'value'" with every apostrophe of the value doubled:
// how a filter takes text typed by the user without the text changing the
// filter's meaning. Clauses join with " OR " or " AND ".
QString clause(const QString &field, const QString &value);

// Throws kw::PlatformError for a malformed filter, an unknown field or a value
// that does not fit its field.
Expression parse(const QString &text);

// Whether a field's stored text (null = the field's default) matches a
// clause's value: text without regard to case, other kinds by their text form.
bool matches(const QString &field, const QString &storedText, const QString &value);

} // namespace kw::mailstore::filter
