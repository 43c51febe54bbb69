#include "replace/ReplaceFields.h"

#include "platform/mailstore/ItemSchema.h"
#include "platform/mapi/SafeItem.h"

#include <initializer_list>

namespace kw::replace {
namespace {

struct Row
{
    const char *caption; // UTF-8
    const char *property;
    DateRule dateRule = DateRule::None;
};

QList<ReplaceField> fields(std::initializer_list<Row> rows)
{
    QList<ReplaceField> out;
    out.reserve(qsizetype(rows.size()));
    for (const Row &row : rows)
        out.append({QString::fromUtf8(row.caption), QString::fromLatin1(row.property), row.dateRule});
    return out;
}

constexpr DateRule kDate = DateRule::Date;
constexpr DateRule kDateKept = DateRule::DateNotClearable;

// The captions are the list's texts as users know them, typing slip in
// "Tefefon Firma" included; the list position is the stored field index, so
// entries are only ever appended.
QList<ReplaceField> contactFields()
{
    return fields({
        {"Abrechnungsinformationen", "BillingInformation"}, {"Abteilung", "Department"},
        {"Adresse geschäftlich !", "BusinessAddress"}, {"Adresse privat !", "HomeAddress"},
        {"Adresse weitere !", "OtherAddress"}, {"Anrede", "Title"}, {"Beruf", "Profession"},
        {"Betreff", "Subject"}, {"Bundesland geschäftlich", "BusinessAddressState"},
        {"Bundesland privat", "HomeAddressState"}, {"Bundesland weitere", "OtherAddressState"},
        {"Bürostandort", "OfficeLocation"}, {"Computernetzwerkname", "ComputerNetworkName"},
        {"Email1 Adresse", "Email1Address"}, {"Email1 Adresstyp", "Email1AddressType"},
        {"Email1 Anzeigename", "Email1DisplayName"}, {"Email2 Adresse", "Email2Address"},
        {"Email2 Adresstyp", "Email2AddressType"}, {"Email2 Anzeigename", "Email2DisplayName"},
        {"Email3 Adresse", "Email3Address"}, {"Email3 Adresstyp", "Email3AddressType"},
        {"Email3 Anzeigename", "Email3DisplayName"}, {"empfohlen von", "ReferredBy"},
        {"Faxnummer geschäftlich", "BusinessFaxNumber"}, {"Faxnummer privat", "HomeFaxNumber"},
        {"Faxnummer weitere", "OtherFaxNumber"}, {"FTP Seite", "FTPSite"},
        {"Geburtstag", "Birthday", kDate}, {"Hobby", "Hobby"}, {"IM-Adresse", "IMAddress"},
        {"Initialen", "Initials"}, {"Jahrestag", "Anniversary", kDate}, {"Kategorien", "Categories"},
        {"Kinder", "Children"}, {"Konto", "Account"}, {"Kunden-ID", "CustomerID"},
        {"Land geschäftlich", "BusinessAddressCountry"}, {"Land privat", "HomeAddressCountry"},
        {"Land weitere", "OtherAddressCountry"}, {"Nachname", "LastName"},
        {"Nachrichtenklasse", "MessageClass"}, {"Name (vollständig) !", "Fullname"},
        {"Namenszusatz", "Suffix"}, {"Netmeeting Alias", "NetMeetingAlias"},
        {"Netmeeting Server", "NetMeetingServer"}, {"Notiz", "Body"},
        {"Organisationsnummer", "OrganizationalIDNumber"}, {"Partner", "Spouse"},
        {"PLZ geschäftlich", "BusinessAddressPostalCode"}, {"PLZ privat", "HomeAddressPostalCode"},
        {"PLZ weitere", "OtherAddressPostalCode"}, {"Position", "JobTitle"},
        {"Postfach geschäftlich", "BusinessAddressPostOfficeBox"},
        {"Postfach privat", "HomeAddressPostOfficeBox"}, {"Postfach weitere", "OtherAddressPostOfficeBox"},
        {"Regierungsnummer", "GovernmentIDNumber"}, {"Reisekilometer", "Mileage"},
        {"Schedule+-Benutzer 1", "User1"}, {"Schedule+-Benutzer 2", "User2"},
        {"Schedule+-Benutzer 3", "User3"}, {"Schedule+-Benutzer 4", "User4"},
        {"Sekretär(in)", "AssistantName"}, {"Speichern unter", "FileAs"}, {"Spitzname", "NickName"},
        {"Stadt geschäftlich", "BusinessAddressCity"}, {"Stadt privat", "HomeAddressCity"},
        {"Stadt weitere", "OtherAddressCity"}, {"Straße geschäftlich", "BusinessAddressStreet"},
        {"Straße privat", "HomeAddressStreet"}, {"Straße weitere", "OtherAddressStreet"},
        {"Tefefon Firma", "CompanyMainTelephoneNumber"}, {"Telefon ISDN", "ISDNNumber"},
        {"Telefonnummer Auto", "CarTelephoneNumber"}, {"Telefonnummer Funk", "RadioTelephoneNumber"},
        {"Telefonnummer geschäftlich", "BusinessTelephoneNumber"},
        {"Telefonnummer geschäftlich 2", "Business2TelephoneNumber"},
        {"Telefonnummer Haupt", "PrimaryTelephoneNumber"}, {"Telefonnummer Mobil", "MobileTelephoneNumber"},
        {"Telefonnummer Pager", "PagerNumber"}, {"Telefonnummer privat", "HomeTelephoneNumber"},
        {"Telefonnummer privat 2", "Home2TelephoneNumber"},
        {"Telefonnummer Rückmeldung", "CallbackTelephoneNumber"},
        {"Telefonnummer Sekretär(in)", "AssistantTelephoneNumber"},
        {"Telefonnummer weitere", "OtherTelephoneNumber"}, {"Telexnummer", "TelexNumber"},
        {"Texttelefon", "TTYTDDTelephoneNumber"}, {"Unternehmen", "Companies"},
        {"Unternehmensname", "CompanyName"}, {"URL für Frei/Gebucht-Informationen", "InternetFreeBusyAddress"},
        {"Vorgesetzter", "ManagerName"}, {"Vorname", "FirstName"}, {"Webseite", "WebPage"},
        {"Webseite geschäftlich", "BusinessHomePage"}, {"Webseite privat", "PersonalHomePage"},
        {"weitere Vorn.", "MiddleName"},
    });
}

QList<ReplaceField> appointmentFields()
{
    return fields({{"Beginn um", "Start", kDateKept}, {"Betreff", "Subject"}, {"Endet um", "End", kDateKept},
                   {"Kategorien", "Categories"}, {"Notiz", "Body"}, {"Ort", "Location"}});
}

QList<ReplaceField> taskFields()
{
    return fields({{"Abrechnungsinfo", "BillingInformation"}, {"Betreff", "Subject"},
                   {"Erledigt am", "DateCompleted", kDate}, {"Fällig am", "DueDate", kDate},
                   {"Firmen", "Companies"}, {"Kategorien", "Categories"}, {"Kontaktnamen", "ContactNames"},
                   {"Notiz", "Body"}, {"Reisekilometer", "Mileage"}, {"Start am", "StartDate", kDate},
                   {"Zuständig", "Role"}});
}

QList<ReplaceField> subjectAndText()
{
    return fields({{"Betreff", "Subject"}, {"Text", "Body"}});
}

QList<ReplaceItemType> buildTypes()
{
    namespace ic = mailstore::itemclass;
    namespace pid = mapi::progid;
    return {
        {QStringLiteral("IPM.Appointment"), ic::Appointment, pid::SafeAppointmentItem, appointmentFields()},
        {QStringLiteral("IPM.Contact"), ic::Contact, pid::SafeContactItem, contactFields()},
        {QStringLiteral("IPM.Task"), ic::Task, pid::SafeTaskItem, taskFields()},
        {QStringLiteral("IPM.Note"), ic::Mail, pid::SafeMailItem, subjectAndText()},
        {QStringLiteral("IPM.Post"), ic::Post, pid::SafePostItem, subjectAndText()},
        // Notes have no safe item of their own; the post item reads them alike.
        {QStringLiteral("IPM.StickyNote"), ic::Note, pid::SafePostItem, fields({{"Text", "Body"}})},
        {QStringLiteral("IPM.Activity"), ic::Journal, pid::SafeJournalItem, subjectAndText()},
    };
}

} // namespace

const QList<ReplaceItemType> &replaceItemTypes()
{
    static const QList<ReplaceItemType> types = buildTypes();
    return types;
}

const ReplaceItemType *replaceItemType(const QString &messageClass)
{
    for (const ReplaceItemType &type : replaceItemTypes()) {
        if (type.messageClass == messageClass)
            return &type;
    }
    return nullptr;
}

} // namespace kw::replace
