#include "duplicates/ScanTypes.h"

#include "platform/mailstore/ItemSchema.h"
#include "shell/GlobalFunctions.h"
#include "shell/SettingNames.h"

namespace kw::DupsDel {
namespace {

using N = Normalise;
namespace itemclass = mailstore::itemclass;

Criterion c(QLatin1String setting, const char *field, Normalise how)
{
    return Criterion{setting, QString::fromLatin1(field), how, false, false};
}

ScanType tasks()
{
    return ScanType{ScanKind::Tasks, QStringLiteral("RemoveDuplicateTasks"), {QStringLiteral("IPM.Task")},
                    QStringLiteral("IPM.Task"), {itemclass::Task}, {QStringLiteral("KWSafe3.SafeTaskItem")},
                    QStringLiteral("Remove Duplicates (Task)"), place::DupScanTasks, true, true, false,
                    SwitchRead::Strict,
                    {c(setting::AufgabenStartDate, "StartDate", N::Unchanged),
                     c(setting::AufgabenSubject, "Subject", N::Lower),
                     c(setting::AufgabenOwner, "Owner", N::Lower),
                     c(setting::AufgabenBody, "Body", N::Lower)},
                    {QStringLiteral("Subject")}};
}

ScanType emails()
{
    Criterion to = c(setting::EmailTo, "To", N::Unchanged);
    to.mailItemsOnly = true;
    return ScanType{ScanKind::Emails, QStringLiteral("RemoveDuplicateEmails"),
                    {QStringLiteral("IPM.Note"), QStringLiteral("IPM.Post")}, QStringLiteral("IPM.Note"), {itemclass::Mail, itemclass::Post},
                    {QStringLiteral("KWSafe3.SafeMailItem"), QStringLiteral("KWSafe3.SafePostItem")},
                    QStringLiteral("Remove Duplicates (Email)"), place::DupScanMails, true, false, false,
                    SwitchRead::Strict,
                    {c(setting::EmailSenderName, "SenderName", N::Unchanged),
                     c(setting::EmailSubject, "Subject", N::Lower),
                     to,
                     c(setting::EmailBody, "Body", N::Unchanged),
                     c(setting::EmailAttachments, "Attachments", N::Count),
                     c(setting::EmailSentOn, "SentOn", N::Unchanged),
                     c(setting::EmailReceivedTime, "RECEIVEDTIME", N::Unchanged)},
                    {QStringLiteral("Subject")}};
}

ScanType contacts()
{
    Criterion user = c(setting::KontakteFieldName, "", N::Unchanged);
    user.userProperty = true;
    return ScanType{ScanKind::Contacts, QStringLiteral("RemoveDuplicateContacts"), {QStringLiteral("IPM.Contact")},
                    QStringLiteral("IPM.Contact"), {itemclass::Contact}, {QStringLiteral("KWSafe3.SafeContactItem")},
                    QStringLiteral("Remove Duplicates (Contact)"), place::DupScanContacts, true, false, true,
                    SwitchRead::Strict,
                    {c(setting::KontakteBusinessTelephoneNumber, "BusinessTelephoneNumber", N::Unchanged),
                     c(setting::KontakteCompanyName, "CompanyName", N::Lower),
                     c(setting::KontakteEmail1Address, "Email1Address", N::Lower),
                     c(setting::KontakteFileAs, "FileAs", N::Lower),
                     c(setting::KontakteFirstName, "FirstName", N::Lower),
                     c(setting::KontakteLastName, "LastName", N::Lower),
                     c(setting::KontakteMobileTelephoneNumber, "MobileTelephoneNumber", N::Unchanged),
                     c(setting::KontakteHomeTelephoneNumber, "HomeTelephoneNumber", N::Unchanged),
                     c(setting::KontakteBusinessAddress, "BusinessAddress", N::Unchanged),
                     c(setting::KontakteHomeAddress, "HomeAddress", N::Unchanged),
                     user},
                    {QStringLiteral("FileAs")}};
}

ScanType appointments()
{
    return ScanType{ScanKind::Appointments, QStringLiteral("RemoveDuplicateAppointments"),
                    {QStringLiteral("IPM.Appointment")}, QStringLiteral("IPM.Appointment"), {itemclass::Appointment},
                    {QStringLiteral("KWSafe3.SafeAppointmentItem")}, QStringLiteral("Remove Duplicates (Appointment)"),
                    place::DupScanAppointments, true, true, false, SwitchRead::Strict,
                    {c(setting::TermineStart, "Start", N::Unchanged),
                     c(setting::TermineEnd, "End", N::Unchanged),
                     c(setting::TermineSubject, "Subject", N::Lower),
                     c(setting::TermineAllDayEvent, "AllDayEvent", N::Unchanged),
                     c(setting::TermineBusyStatus, "BusyStatus", N::Unchanged),
                     c(setting::TermineBody, "Body", N::Lower)},
                    {QStringLiteral("Subject"), QStringLiteral("Start")}};
}

ScanType journal()
{
    return ScanType{ScanKind::Journal, QStringLiteral("RemoveDuplicateJournal"), {QStringLiteral("IPM.Activity")},
                    QStringLiteral("IPM.Activity"), {itemclass::Journal}, {QStringLiteral("KWSafe3.SafeJournalItem")},
                    QStringLiteral("Remove Duplicates (Journal)"), place::DupScanJournal, true, false, false,
                    SwitchRead::Lenient,
                    {c(setting::JournalSubject, "Subject", N::Unchanged),
                     c(setting::JournalBody, "Body", N::Unchanged),
                     c(setting::JournalStart, "Start", N::Unchanged),
                     c(setting::JournalDuration, "Duration", N::Unchanged)},
                    {QStringLiteral("Body")}};
}

ScanType notes()
{
    return ScanType{ScanKind::Notes, QStringLiteral("RemoveDuplicateNotes"), {QStringLiteral("IPM.StickyNote")},
                    QStringLiteral("IPM.StickyNote"), {itemclass::Note}, {QStringLiteral("KWSafe3.SafePostItem")},
                    QStringLiteral("Remove Duplicates (Note)"), place::DupScanNotes, false, false, false,
                    SwitchRead::Lenient,
                    {c(setting::NotizenColor, "Color", N::Unchanged),
                     c(setting::NotizenBody, "Body", N::Lower)},
                    {QStringLiteral("Body")}};
}

} // namespace

QString ScanType::wrapperFor(int itemClass) const
{
    const qsizetype at = itemClasses.indexOf(itemClass);
    return at < 0 ? QString() : wrappers.at(at);
}

const QList<ScanType> &scanTypes()
{
    static const QList<ScanType> table{tasks(), emails(), contacts(), appointments(), journal(), notes()};
    return table;
}

const ScanType &scanType(ScanKind kind)
{
    for (const ScanType &type : scanTypes()) {
        if (type.kind == kind)
            return type;
    }
    Q_UNREACHABLE();
}

const ScanType *scanTypeForClass(const QString &markedClass)
{
    for (const ScanType &type : scanTypes()) {
        if (type.startClasses.contains(markedClass, Qt::CaseSensitive))
            return &type;
    }
    return nullptr;
}

QString normaliseValue(Normalise how, const QString &text)
{
    if (how != Normalise::Lower)
        return text;
    // Only blanks are stripped; tabs and line breaks are part of the value.
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && text.at(from) == QLatin1Char(' '))
        ++from;
    while (to > from && text.at(to - 1) == QLatin1Char(' '))
        --to;
    return text.mid(from, to - from).toLower();
}

} // namespace kw::DupsDel
