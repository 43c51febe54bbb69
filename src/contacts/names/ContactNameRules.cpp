#include "contacts/names/ContactNameRules.h"

#include "shell/RegistryFunctions.h"
#include "shell/SettingNames.h"

namespace kw::contacts::names {

const QStringList &ContactNameFields::names()
{
    // "Fullname" is spelled as the undo reads its backup.
    static const QStringList list = {
        QStringLiteral("Fullname"), QStringLiteral("Title"),  QStringLiteral("FirstName"),
        QStringLiteral("MiddleName"), QStringLiteral("LastName"), QStringLiteral("Suffix"),
        QStringLiteral("FileAs"), QStringLiteral("Subject"), QStringLiteral("CompanyName")};
    return list;
}

QStringList ContactNameFields::values() const
{
    return {Fullname, Title, FirstName, MiddleName, LastName, Suffix, FileAs, Subject, CompanyName};
}

ContactNameFields ContactNameFields::fromValues(const QStringList &v)
{
    return {v.value(0), v.value(1), v.value(2), v.value(3), v.value(4),
            v.value(5), v.value(6), v.value(7), v.value(8)};
}

NameLayouts NameLayouts::read(const Settings &settings)
{
    NameLayouts layouts;
    layouts.fileAs = settings.GetSetting(setting::FileAsLayoutEx, layouts.fileAs);
    layouts.subject = settings.GetSetting(setting::SubjectLayout, layouts.subject);
    layouts.subjectOn = settings.GetSettingBool(setting::SubjectNameCorrect, false);
    return layouts;
}

void NameLayoutSettings::lookAtFile()
{
    m_settings.registry().changeStamp();
}

const NameLayouts &NameLayoutSettings::current()
{
    // The stamp changes whenever the file was written, or found replaced.
    if (!m_valid || m_settings.registry().knownChangeStamp() != m_stamp) {
        m_layouts = NameLayouts::read(m_settings);
        m_stamp = m_settings.registry().knownChangeStamp(); // reading looked at the file
        m_valid = true;
    }
    return m_layouts;
}

NameCorrection correctName(const ContactNameFields &old, const ParsedName &parsed, const NameLayouts &layouts)
{
    NameCorrection c;
    c.parts = parsed;
    const ParsedName &p = parsed;
    if (p.IsBusiness) {
        // The texts built with the company would not be written anyway.
        c.verdict = NameCorrection::Company;
        return c;
    }
    c.FileAs = BuildNameLayout(p.Title, p.FirstName, p.MiddleName, p.LastName, p.Suffix, old.CompanyName,
                               layouts.fileAs);
    c.writeSubject = layouts.subjectOn;
    if (layouts.subjectOn)
        c.Subject = BuildNameLayout(p.Title, p.FirstName, p.MiddleName, p.LastName, p.Suffix, old.CompanyName,
                                    layouts.subject);
    const bool same = p.FirstName == old.FirstName && p.Title == old.Title && p.MiddleName == old.MiddleName
        && p.LastName == old.LastName && p.Suffix == old.Suffix && c.FileAs == old.FileAs
        && (!layouts.subjectOn || c.Subject == old.Subject);
    c.verdict = same ? NameCorrection::Unchanged : NameCorrection::Person;
    return c;
}

} // namespace kw::contacts::names
