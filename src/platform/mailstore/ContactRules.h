#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// The composite fields of a contact, kept as a mail client keeps them. The
// name-correction and undo tools rely on these rules, so they are spelled
// out here and tested:
//
// Names
//  - Writing Title, FirstName, MiddleName, LastName or Suffix stores that part
//    and rebuilds FullName from the five parts in that order, the non-empty
//    ones joined by single blanks: Title "Dr.", FirstName "Eva", LastName
//    "Roth" gives FullName "Dr. Eva Roth".
//  - Writing FullName "" (or only blanks) clears FullName and all five parts.
//  - Writing a non-empty FullName stores it as written and splits it simply
//    at blanks: the first word becomes FirstName, the last word LastName, the
//    words between MiddleName (joined by blanks); Title and Suffix are
//    cleared. A single word becomes FirstName and clears LastName.
//    "Hans Peter Müller" -> First "Hans", Middle "Peter", Last "Müller".
//    No titles or suffixes are recognised here: that is the name parser's job.
//
// Addresses (prefix Business, Home or Other)
//  - Writing <p>AddressStreet, <p>AddressPostalCode, <p>AddressCity,
//    <p>AddressState or <p>AddressCountry stores that part and rebuilds
//    <p>Address from the lines: street; postal code and city joined by a
//    blank; state; country. Empty lines are left out; lines are joined by
//    CR LF. E.g. "Hauptstr. 1\r\n80331 München\r\nDeutschland".
//  - Writing <p>Address stores it and splits it back into the five parts by
//    its non-empty lines (CR LF or LF): 1 line: street; 2 lines: street,
//    postal code and city; 3 lines: street, postal code and city, country;
//    4 or more: the lines before the last three form the street (joined by
//    CR LF), then postal code and city, state, country. In the postal-code
//    line the first word is the postal code when it holds a digit ("80331",
//    "D-80331", "1010"); otherwise the whole line is the city.
//    The post-office box is never touched.
//
// Fixture loading bypasses these rules: a profile may hold any combination.
namespace kw::mailstore::contactrules {

// How the rules reach the item's fields, by canonical name and past the rules.
class Access
{
public:
    virtual QString get(QStringView canonicalName) const = 0;
    virtual void set(QStringView canonicalName, const QString &value) const = 0;

protected:
    ~Access() = default;
};

// True when writing the field has consequences for other fields.
bool isComposite(const QString &canonicalName);
// Writes the field and everything that follows from it.
void write(const QString &canonicalName, const QString &value, const Access &access);

QString composeFullName(const QStringList &parts); // Title, First, Middle, Last, Suffix
QStringList splitFullName(const QString &fullName); // the same five, in that order
QString composeAddress(const QStringList &parts);  // Street, PostalCode, City, State, Country
QStringList splitAddress(const QString &address);   // the same five, in that order

} // namespace kw::mailstore::contactrules
