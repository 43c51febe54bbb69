#pragma once

// What the name-correction run decides for one contact, apart from the mail store.

#include "contacts/names/NameCorrectionFunctions.h"

#include <QString>
#include <QStringList>

namespace kw {
class Settings;
}

namespace kw::contacts::names {

// The nine name fields of a contact as read before the run changes it.
struct ContactNameFields
{
    QString Fullname;
    QString Title;
    QString FirstName;
    QString MiddleName;
    QString LastName;
    QString Suffix;
    QString FileAs;
    QString Subject;
    QString CompanyName;

    // The field names in the order the backups are written: "Fullname",
    // "Title", ..., "CompanyName". Each is the contact's field and, after
    // "KW Backup ", the name of its backup.
    static const QStringList &names();
    // The values in the order of names().
    QStringList values() const;
    static ContactNameFields fromValues(const QStringList &values);

    bool operator==(const ContactNameFields &) const = default;
};

// The layouts the run builds the file-as text and the subject with, and
// whether the subject is compared and written at all.
struct NameLayouts
{
    QString fileAs = QStringLiteral("N,LV");
    QString subject = QStringLiteral("VN");
    bool subjectOn = false;

    // Reads the three settings ("FileAsLayoutEx", "SubjectLayout",
    // "SubjectNameCorrect") afresh.
    static NameLayouts read(const Settings &settings);
};

// NameLayouts for a whole run: read again only when the settings changed.
// A layout saved from this process counts from the next contact on, as with a
// read per contact; the file itself is looked at only by lookAtFile(), which
// the run calls once per folder, since a look costs a system call.
class NameLayoutSettings
{
public:
    explicit NameLayoutSettings(Settings &settings) : m_settings(settings) {}
    const NameLayouts &current();
    void lookAtFile();

private:
    Settings &m_settings;
    NameLayouts m_layouts;
    quint64 m_stamp = 0;
    bool m_valid = false;
};

// What becomes of one contact.
struct NameCorrection
{
    enum Verdict {
        Unchanged, // parts, file-as text and (when on) subject equal the fields: nothing is written
        Person,    // the parts, the file-as text and (when on) the subject are written
        Company,   // the full name moves into the company field
    };
    Verdict verdict = Unchanged;
    ParsedName parts;
    QString FileAs;
    QString Subject;
    bool writeSubject = false; // "SubjectNameCorrect" is on
};

// Compares the parse of a contact's full name and the texts built from the
// layouts with its fields. A company name (the parser found a marker) is
// always rewritten, even when nothing else would change.
NameCorrection correctName(const ContactNameFields &old, const ParsedName &parsed, const NameLayouts &layouts);

} // namespace kw::contacts::names
