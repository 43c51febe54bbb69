#include "platform/mailstore/ItemSchema.h"

#include "platform/core/PlatformError.h"
#include "platform/core/Text.h"

#include <QHash>
#include <algorithm>

namespace kw::mailstore {

namespace {

using K = FieldKind;

QList<FieldDef> texts(std::initializer_list<const char *> names)
{
    QList<FieldDef> out;
    for (const char *n : names)
        out.append({QString::fromLatin1(n), K::Text});
    return out;
}

// Fields every item class has.
QList<FieldDef> commonFields()
{
    return texts({"Subject", "Body", "Categories", "Companies", "Mileage", "BillingInformation"});
}

QList<FieldDef> contactFields()
{
    QList<FieldDef> f = commonFields();
    f += texts({"FullName", "Title", "FirstName", "MiddleName", "LastName", "Suffix", "FileAs",
                "CompanyName", "Department", "JobTitle", "Profession", "OfficeLocation",
                "ManagerName", "AssistantName", "NickName", "Initials", "Spouse", "Children",
                "Hobby", "ReferredBy", "Account", "CustomerID", "GovernmentIDNumber",
                "OrganizationalIDNumber", "ComputerNetworkName", "FTPSite", "IMAddress",
                "InternetFreeBusyAddress", "NetMeetingAlias", "NetMeetingServer", "WebPage",
                "BusinessHomePage", "PersonalHomePage", "User1", "User2", "User3", "User4",
                "Language", "Gender"});
    for (const char *n : {"Email1", "Email2", "Email3"}) {
        const QString p = QString::fromLatin1(n);
        f += {{p + QStringLiteral("Address"), K::Text}, {p + QStringLiteral("AddressType"), K::Text}, {p + QStringLiteral("DisplayName"), K::Text}};
    }
    for (const char *n : {"Business", "Home", "Other"}) {
        const QString p = QString::fromLatin1(n) + QStringLiteral("Address");
        f += {{p, K::Text}, {p + QStringLiteral("Street"), K::Text}, {p + QStringLiteral("PostalCode"), K::Text},
              {p + QStringLiteral("City"), K::Text}, {p + QStringLiteral("State"), K::Text}, {p + QStringLiteral("Country"), K::Text},
              {p + QStringLiteral("PostOfficeBox"), K::Text}};
    }
    // The nineteen telephone and fax fields.
    f += texts({"BusinessTelephoneNumber", "BusinessFaxNumber", "HomeFaxNumber",
                "HomeTelephoneNumber", "MobileTelephoneNumber", "AssistantTelephoneNumber",
                "Business2TelephoneNumber", "CallbackTelephoneNumber", "CarTelephoneNumber",
                "CompanyMainTelephoneNumber", "Home2TelephoneNumber", "ISDNNumber",
                "OtherFaxNumber", "OtherTelephoneNumber", "PagerNumber", "PrimaryTelephoneNumber",
                "RadioTelephoneNumber", "TelexNumber", "TTYTDDTelephoneNumber"});
    f += {{QStringLiteral("Birthday"), K::Date}, {QStringLiteral("Anniversary"), K::Date}};
    return f;
}

QList<FieldDef> appointmentFields()
{
    QList<FieldDef> f = commonFields();
    f += {{QStringLiteral("Start"), K::Date}, {QStringLiteral("End"), K::Date},
          {QStringLiteral("AllDayEvent"), K::Bool}, {QStringLiteral("BusyStatus"), K::Integer},
          {QStringLiteral("Location"), K::Text}, {QStringLiteral("ReminderSet"), K::Bool},
          {QStringLiteral("ReminderMinutesBeforeStart"), K::Integer},
          {QStringLiteral("IsRecurring"), K::Bool}, {QStringLiteral("Duration"), K::Integer},
          {QStringLiteral("Organizer"), K::Text}, {QStringLiteral("RequiredAttendees"), K::Text},
          {QStringLiteral("OptionalAttendees"), K::Text}};
    return f;
}

QList<FieldDef> taskFields()
{
    QList<FieldDef> f = commonFields();
    f += {{QStringLiteral("StartDate"), K::Date}, {QStringLiteral("DueDate"), K::Date},
          {QStringLiteral("DateCompleted"), K::Date}, {QStringLiteral("Owner"), K::Text},
          {QStringLiteral("Role"), K::Text}, {QStringLiteral("ContactNames"), K::Text},
          {QStringLiteral("Status"), K::Integer}, {QStringLiteral("PercentComplete"), K::Integer},
          {QStringLiteral("Complete"), K::Bool}, {QStringLiteral("IsRecurring"), K::Bool},
          {QStringLiteral("ReminderSet"), K::Bool}, {QStringLiteral("TotalWork"), K::Integer},
          {QStringLiteral("ActualWork"), K::Integer}};
    return f;
}

QList<FieldDef> mailFields(bool withRecipients)
{
    QList<FieldDef> f = commonFields();
    f += {{QStringLiteral("SenderName"), K::Text}, {QStringLiteral("SenderEmailAddress"), K::Text},
          {QStringLiteral("SentOn"), K::Date}, {QStringLiteral("ReceivedTime"), K::Date},
          {QStringLiteral("UnRead"), K::Bool}, {QStringLiteral("ConversationTopic"), K::Text}};
    if (withRecipients)
        f += texts({"To", "CC", "BCC"});
    return f;
}

QList<FieldDef> noteFields()
{
    QList<FieldDef> f = commonFields();
    f += {{QStringLiteral("Color"), K::Integer}, {QStringLiteral("Height"), K::Integer},
          {QStringLiteral("Width"), K::Integer}, {QStringLiteral("Left"), K::Integer},
          {QStringLiteral("Top"), K::Integer}};
    return f;
}

QList<FieldDef> journalFields()
{
    QList<FieldDef> f = commonFields();
    f += {{QStringLiteral("Start"), K::Date}, {QStringLiteral("End"), K::Date},
          {QStringLiteral("Duration"), K::Integer}, {QStringLiteral("Type"), K::Text},
          {QStringLiteral("ContactNames"), K::Text}};
    return f;
}

QList<FieldDef> distListFields()
{
    QList<FieldDef> f = commonFields();
    f += {{QStringLiteral("DLName"), K::Text}, {QStringLiteral("MemberCount"), K::Integer},
          {QStringLiteral("Members"), K::Text}};
    return f;
}

struct Registry
{
    QHash<int, ItemSchema *> byClass;
    QHash<QString, QString> canonical; // folded name -> canonical spelling
    QHash<QString, FieldKind> kinds;   // folded name -> kind

    Registry()
    {
        add(itemclass::Contact, contactFields());
        add(itemclass::Appointment, appointmentFields());
        add(itemclass::Task, taskFields());
        add(itemclass::Mail, mailFields(true));
        add(itemclass::Post, mailFields(false));
        add(itemclass::Note, noteFields());
        add(itemclass::Journal, journalFields());
        add(itemclass::DistList, distListFields());
    }
    void add(int cls, QList<FieldDef> fields)
    {
        for (const FieldDef &f : fields)
        {
            canonical.insert(f.name.toCaseFolded(), f.name);
            kinds.insert(f.name.toCaseFolded(), f.kind);
        }
        byClass.insert(cls, new ItemSchema(cls, std::move(fields)));
    }
};

const Registry &registry()
{
    static const Registry r;
    return r;
}

struct ClassPrefix
{
    const char *messageClass;
    int itemClass;
};
constexpr ClassPrefix kPrefixes[] = {
    {"IPM.Contact", itemclass::Contact},   {"IPM.DistList", itemclass::DistList},
    {"IPM.Appointment", itemclass::Appointment}, {"IPM.Task", itemclass::Task},
    {"IPM.StickyNote", itemclass::Note},   {"IPM.Activity", itemclass::Journal},
    {"IPM.Post", itemclass::Post},         {"IPM.Note", itemclass::Mail},
};

} // namespace

ItemSchema::ItemSchema(int itemClass, QList<FieldDef> fields)
    : m_class(itemClass), m_fields(std::move(fields))
{
    m_utf8Names.reserve(m_fields.size()); // the views below must not move
    // Sparse buckets: a look-up mostly meets only the name it looks for.
    m_byName.max_load_factor(0.25f);
    for (int i = 0; i < m_fields.size(); ++i) {
        m_byName.emplace(QStringView(m_fields[i].name), i);
        m_utf8Names.push_back(m_fields[i].name.toStdString());
        m_byUtf8.emplace(m_utf8Names.back(), i);
    }
}

namespace {

// A unit as a case-insensitive comparison folds it; ASCII, all that field
// names hold, without the Unicode tables.
char16_t foldedUnit(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80)
        return u >= u'A' && u <= u'Z' ? char16_t(u + 32) : u;
    return char16_t(QChar::toCaseFolded(char32_t(u)));
}

} // namespace

size_t ItemSchema::FoldedHash::operator()(QStringView v) const noexcept
{
    // Field names differ in length or at their first, middle or last letter
    // but for a few (Email1Address, Email2Address, ...), which the equality
    // test tells apart. Hashing only those is far cheaper than every unit,
    // and names equal but for case still meet.
    if (v.isEmpty())
        return 0;
    size_t h = size_t(v.size());
    for (const qsizetype i : {qsizetype(0), v.size() / 2, v.size() - 1})
        h = h * 1099511628211ull + foldedUnit(v[i]);
    return h;
}

bool ItemSchema::FoldedEqual::operator()(QStringView a, QStringView b) const noexcept
{
    // Mostly the canonical spelling: compared whole first, which is cheaper.
    return a.size() == b.size() && (a == b || equalsIgnoringCase(a, b));
}

int ItemSchema::indexOf(QStringView name) const
{
    const auto it = m_byName.find(name);
    return it == m_byName.end() ? -1 : it->second;
}

int ItemSchema::indexOfUtf8(std::string_view name) const
{
    const auto it = m_byUtf8.find(name);
    return it == m_byUtf8.end() ? indexOf(QString::fromUtf8(name.data(), qsizetype(name.size()))) : it->second;
}

const ItemSchema &ItemSchema::forClass(int itemClass)
{
    const ItemSchema *s = registry().byClass.value(itemClass);
    if (!s)
        throw PlatformError(errors::kInvalidArgument,
                            QStringLiteral("Unbekannte Elementklasse %1.").arg(itemClass));
    return *s;
}

bool ItemSchema::isItemClass(int itemClass)
{
    return registry().byClass.contains(itemClass);
}

int classForMessageClass(const QString &messageClass)
{
    for (const ClassPrefix &p : kPrefixes) {
        const QLatin1String prefix(p.messageClass);
        if (messageClass.compare(prefix, Qt::CaseInsensitive) == 0)
            return p.itemClass;
        if (messageClass.size() > prefix.size() && messageClass.at(prefix.size()) == u'.'
            && messageClass.startsWith(prefix, Qt::CaseInsensitive))
            return p.itemClass;
    }
    return 0;
}

QString baseMessageClass(int itemClass)
{
    for (const ClassPrefix &p : kPrefixes)
        if (p.itemClass == itemClass)
            return QString::fromLatin1(p.messageClass);
    return {};
}

QString canonicalFieldName(QStringView name)
{
    return registry().canonical.value(name.toString().toCaseFolded());
}

FieldKind kindOfField(QStringView name)
{
    return registry().kinds.value(name.toString().toCaseFolded(), FieldKind::Text);
}

} // namespace kw::mailstore
