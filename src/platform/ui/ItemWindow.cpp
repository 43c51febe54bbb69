#include "platform/ui/ItemWindow.h"

#include "platform/mailstore/FieldValues.h"
#include "platform/mailstore/Item.h"

#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kw::ui {

namespace {

// The labels of the item forms; an address part is named after its address
// below ("Straße geschäftlich").
constexpr const char *kLabels[][2] = {
    {"MessageClass", "Nachrichtenklasse"}, {"EntryID", "Eintrags-ID"}, {"CreationTime", "Erstellt"},
    {"Subject", "Betreff"}, {"Body", "Text"}, {"Categories", "Kategorien"}, {"Companies", "Firmen"},
    {"Mileage", "Reisekilometer"}, {"BillingInformation", "Abrechnungsinformationen"},
    {"FullName", "Name"}, {"Title", "Anrede"}, {"FirstName", "Vorname"},
    {"MiddleName", "Weitere Vornamen"}, {"LastName", "Nachname"}, {"Suffix", "Namenszusatz"},
    {"FileAs", "Speichern unter"}, {"CompanyName", "Firma"}, {"Department", "Abteilung"},
    {"JobTitle", "Position"}, {"Profession", "Beruf"}, {"OfficeLocation", "Büro"},
    {"ManagerName", "Name des Vorgesetzten"}, {"AssistantName", "Name des Assistenten"},
    {"NickName", "Spitzname"}, {"Initials", "Initialen"}, {"Spouse", "Partner"}, {"Children", "Kinder"},
    {"Hobby", "Hobbys"}, {"ReferredBy", "Empfohlen von"}, {"Account", "Konto"},
    {"CustomerID", "Kundennummer"}, {"GovernmentIDNumber", "Ausweisnummer"},
    {"OrganizationalIDNumber", "Organisationsnummer"}, {"ComputerNetworkName", "Computername"},
    {"FTPSite", "FTP-Site"}, {"IMAddress", "Chatadresse"},
    {"InternetFreeBusyAddress", "Adresse für Frei/Gebucht"}, {"WebPage", "Webseite"},
    {"BusinessHomePage", "Homepage geschäftlich"}, {"PersonalHomePage", "Homepage privat"},
    {"User1", "Benutzerfeld 1"}, {"User2", "Benutzerfeld 2"}, {"User3", "Benutzerfeld 3"},
    {"User4", "Benutzerfeld 4"}, {"Language", "Sprache"}, {"Gender", "Geschlecht"},
    {"Email1Address", "E-Mail"}, {"Email2Address", "E-Mail 2"}, {"Email3Address", "E-Mail 3"},
    {"Email1AddressType", "E-Mail-Typ"}, {"Email2AddressType", "E-Mail-Typ 2"},
    {"Email3AddressType", "E-Mail-Typ 3"}, {"Email1DisplayName", "Anzeigen als"},
    {"Email2DisplayName", "Anzeigen als (E-Mail 2)"}, {"Email3DisplayName", "Anzeigen als (E-Mail 3)"},
    {"BusinessTelephoneNumber", "Telefon geschäftlich"}, {"BusinessFaxNumber", "Fax geschäftlich"},
    {"HomeFaxNumber", "Fax privat"}, {"HomeTelephoneNumber", "Telefon privat"},
    {"MobileTelephoneNumber", "Mobiltelefon"}, {"AssistantTelephoneNumber", "Telefon Assistent"},
    {"Business2TelephoneNumber", "Telefon geschäftlich 2"}, {"CallbackTelephoneNumber", "Rückmeldung"},
    {"CarTelephoneNumber", "Autotelefon"}, {"CompanyMainTelephoneNumber", "Telefon Firma"},
    {"Home2TelephoneNumber", "Telefon privat 2"}, {"ISDNNumber", "ISDN"},
    {"OtherFaxNumber", "Weiteres Fax"}, {"OtherTelephoneNumber", "Weiteres Telefon"},
    {"PagerNumber", "Pager"}, {"PrimaryTelephoneNumber", "Haupttelefon"},
    {"RadioTelephoneNumber", "Funkruf"}, {"TelexNumber", "Telex"}, {"TTYTDDTelephoneNumber", "Texttelefon"},
    {"Birthday", "Geburtstag"}, {"Anniversary", "Jahrestag"},
    {"Start", "Beginn"}, {"End", "Ende"}, {"AllDayEvent", "Ganztägig"},
    {"BusyStatus", "Zeitspanne zeigen als"}, {"Location", "Ort"}, {"ReminderSet", "Erinnerung"},
    {"ReminderMinutesBeforeStart", "Erinnerung (Minuten vorher)"}, {"IsRecurring", "Serie"},
    {"Duration", "Dauer"}, {"Organizer", "Organisator"}, {"RequiredAttendees", "Erforderliche Teilnehmer"},
    {"OptionalAttendees", "Optionale Teilnehmer"},
    {"StartDate", "Beginnt am"}, {"DueDate", "Fällig am"}, {"DateCompleted", "Erledigt am"},
    {"Owner", "Besitzer"}, {"Role", "Rolle"}, {"ContactNames", "Kontakte"}, {"Status", "Status"},
    {"PercentComplete", "% erledigt"}, {"Complete", "Erledigt"}, {"TotalWork", "Gesamtaufwand"},
    {"ActualWork", "Ist-Aufwand"},
    {"SenderName", "Von"}, {"SenderEmailAddress", "Absenderadresse"}, {"SentOn", "Gesendet"},
    {"ReceivedTime", "Erhalten"}, {"UnRead", "Ungelesen"}, {"ConversationTopic", "Unterhaltung"},
    {"To", "An"}, {"CC", "Cc"}, {"BCC", "Bcc"},
    {"Color", "Farbe"}, {"Height", "Höhe"}, {"Width", "Breite"}, {"Left", "Links"}, {"Top", "Oben"},
    {"Type", "Eintragstyp"}, {"DLName", "Name"}, {"MemberCount", "Anzahl Mitglieder"},
    {"Members", "Mitglieder"},
};

constexpr const char *kAddresses[][2] = {
    {"BusinessAddress", "geschäftlich"}, {"HomeAddress", "privat"}, {"OtherAddress", "weitere"}};
constexpr const char *kAddressParts[][2] = {
    {"", "Adresse"}, {"Street", "Straße"}, {"PostalCode", "Postleitzahl"}, {"City", "Ort"},
    {"State", "Bundesland"}, {"Country", "Land"}, {"PostOfficeBox", "Postfach"}};

QHash<QString, QString> buildLabels()
{
    QHash<QString, QString> labels;
    for (const auto &row : kLabels)
        labels.insert(QString::fromLatin1(row[0]), QString::fromUtf8(row[1]));
    for (const auto &address : kAddresses)
        for (const auto &part : kAddressParts)
            labels.insert(QString::fromLatin1(address[0]) + QString::fromLatin1(part[0]),
                          QString::fromUtf8(part[1]) + u' ' + QString::fromUtf8(address[1]));
    return labels;
}

class ItemWindow : public QWidget
{
public:
    explicit ItemWindow(const mailstore::Item &item)
    {
        setAttribute(Qt::WA_DeleteOnClose);
        setObjectName(QStringLiteral("ItemInspector"));
        setWindowTitle(itemWindowTitle(item));
        auto *layout = new QVBoxLayout(this);
        layout->addWidget(fieldTable(itemWindowRows(item)));
        resize(560, 520);
    }

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
            close();
        else
            QWidget::keyPressEvent(event);
    }

private:
    // Labels take the width they need; values wrap in the rest and the
    // table scrolls, so nothing is cut short with "...".
    QTableWidget *fieldTable(const QList<QPair<QString, QString>> &rows)
    {
        auto *table = new QTableWidget(int(rows.size()), 2, this);
        table->setObjectName(QStringLiteral("tblFields"));
        table->setHorizontalHeaderLabels({QStringLiteral("Feld"), QStringLiteral("Wert")});
        table->setEditTriggers(QAbstractItemView::NoEditTriggers);
        table->setTextElideMode(Qt::ElideNone);
        table->setWordWrap(true);
        table->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
        table->verticalHeader()->hide();
        table->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
        table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
        table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
        for (int r = 0; r < rows.size(); ++r) {
            auto *label = new QTableWidgetItem(rows[r].first);
            label->setTextAlignment(Qt::AlignLeft | Qt::AlignTop);
            table->setItem(r, 0, label);
            auto *value = new QTableWidgetItem(rows[r].second);
            value->setTextAlignment(Qt::AlignLeft | Qt::AlignTop);
            table->setItem(r, 1, value);
        }
        return table;
    }
};

} // namespace

QString fieldLabel(const QString &fieldName)
{
    static const QHash<QString, QString> labels = buildLabels();
    return labels.value(fieldName, fieldName);
}

QString itemWindowTitle(const mailstore::Item &item)
{
    const QStringList candidates = item.Class() == mailstore::itemclass::Contact
        ? QStringList{item.text(u"FullName"), item.text(u"FileAs"), item.Subject()}
        : QStringList{item.Subject()};
    for (const QString &title : candidates)
        if (!title.trimmed().isEmpty())
            return title;
    return item.MessageClass();
}

QList<QPair<QString, QString>> itemWindowRows(const mailstore::Item &item)
{
    QList<QPair<QString, QString>> rows;
    for (const QString &name : {QStringLiteral("MessageClass"), QStringLiteral("EntryID"),
                               QStringLiteral("CreationTime")})
        rows.append({fieldLabel(name), item.text(name)});
    for (const mailstore::FieldDef &f : item.schema().fields()) {
        const QString value = item.text(f.name);
        if (value != mailstore::defaultFieldText(f.kind)) // only what the item really holds
            rows.append({fieldLabel(f.name), value});
    }
    return rows;
}

QWidget *showItemWindow(const mailstore::ItemPtr &item)
{
    auto *window = new ItemWindow(*item);
    window->show();
    return window;
}

void installItemWindow()
{
    mailstore::Inspector::setDisplayHook([](const mailstore::ItemPtr &item) { showItemWindow(item); });
}

} // namespace kw::ui
