#include "ProfileFacts.h"

#include "platform/mailstore/FixtureContent.h"
#include "platform/mailstore/MailStore.h"

#include <QFile>
#include <QRegularExpression>

using namespace kw::mailstore;

namespace kw::test {

namespace {

// The telephone run's default layout: "+49 (711) 123456-78".
bool inLayout(const QString &number)
{
    static const QRegularExpression layout(QStringLiteral(R"(^\+\d+ \(\d+\) \d+(-\d+)?$)"));
    return layout.match(number).hasMatch();
}

void contactFacts(const ItemPtr &c, Facts &f)
{
    int filled = 0;
    for (const QString &field : phoneFields()) {
        const QString n = c->text(field);
        filled += !n.isEmpty();
        f[QStringLiteral("numbers in the layout")] += inLayout(n);
        f[QStringLiteral("unformatted ") + field] += !n.isEmpty() && !inLayout(n);
    }
    f[QStringLiteral("contacts with all 19 number fields")] += filled == 19;
    static const QRegularExpression company(QStringLiteral(R"((GmbH|AG|KG|OHG|e\.K\.|Ges\.m\.b\.H\.)\s*$)"));
    static const QRegularExpression titled(QStringLiteral(R"(^(Herr|Frau) .*\.)"));
    const QString full = c->text(u"FullName");
    const bool firm = c->text(u"CompanyName").isEmpty() && company.match(full).hasMatch();
    f[QStringLiteral("company in the full name, company field empty")] += firm;
    f[QStringLiteral("full name in capitals")] += full == full.toUpper() && full != full.toLower();
    f[QStringLiteral("Nachname, Vorname")] += full.contains(QLatin1String(", "));
    f[QStringLiteral("blanks to spare")] += full != full.simplified();
    f[QStringLiteral("couple with &")] += full.contains(QLatin1String(" & ")) && !firm;
    f[QStringLiteral("salutation and title")] += titled.match(full).hasMatch();
}

QByteArray savedBytes(const AttachmentPtr &a, const QString &scratch)
{
    const QString file = scratch + QStringLiteral("/content");
    a->SaveAsFile(file);
    QFile in(file);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

void attachmentFacts(const ItemPtr &item, Facts &f, const QString &base, const QString &scratch)
{
    static const QRegularExpression refused(QStringLiteral(R"([/\\:*?"<>|])"));
    AttachmentsPtr atts = item->Attachments();
    for (int i = 1; i <= atts->Count(); ++i) {
        AttachmentPtr a = atts->Item(i);
        f[QStringLiteral("attachments")] += 1;
        f[QStringLiteral("hidden attachments")] += a->hidden().toBool();
        if (a->Type() == attachtype::ByReference) {
            f[QStringLiteral("links into the base folder")] += a->PathName().startsWith(base + u'/');
            continue;
        }
        f[QStringLiteral("names a file system refuses")] += refused.match(a->FileName()).hasMatch();
        f[QStringLiteral("names without extension")] += !a->FileName().contains(u'.');
        const QByteArray bytes = savedBytes(a, scratch);
        const auto recipe = fixture::recogniseGenerated(bytes);
        const bool generated = recipe && recipe->size == a->Size();
        f[QStringLiteral("generated attachments")] += generated;
        f[QStringLiteral("generated attachments over 2 MB")] += generated && a->Size() > 2'000'000;
        const QString smallest = QStringLiteral("smallest attachment");
        f[smallest] = f.contains(smallest) ? std::min(f[smallest], a->Size()) : a->Size();
        f[QStringLiteral("largest attachment")] = std::max(f.value(QStringLiteral("largest attachment")), a->Size());
    }
}

void folderFacts(const FolderPtr &folder, Facts &f, const QString &base, const QString &scratch)
{
    static const QRegularExpression holidays(QStringLiteral("^(Sommer|Herbst|Winter|Oster|Pfingst|Weihnachts)ferien "));
    f[QStringLiteral("folders with default class IPM.Post")] += folder->DefaultMessageClass() == u"IPM.Post";
    f[QStringLiteral("calendars")] += folder->containerClass().value_or(QString()) == u"IPF.Appointment";
    for (ItemPtr item : folder->Items()) {
        const QString cls = baseMessageClass(item->Class());
        f[QStringLiteral("custom ") + cls] += item->MessageClass().startsWith(cls + u'.');
        f[QStringLiteral("school-holiday appointments")] += item->Class() == itemclass::Appointment
                                                             && holidays.match(item->Subject()).hasMatch();
        if (item->Class() == itemclass::Contact)
            contactFacts(item, f);
        attachmentFacts(item, f, base, scratch);
    }
    for (FolderPtr sub : folder->Folders())
        folderFacts(sub, f, base, scratch);
}

} // namespace

const QStringList &phoneFields()
{
    static const QStringList fields = {
        "AssistantTelephoneNumber", "BusinessTelephoneNumber", "Business2TelephoneNumber",
        "BusinessFaxNumber", "CallbackTelephoneNumber", "CarTelephoneNumber",
        "CompanyMainTelephoneNumber", "HomeTelephoneNumber", "Home2TelephoneNumber", "HomeFaxNumber",
        "ISDNNumber", "MobileTelephoneNumber", "OtherTelephoneNumber", "OtherFaxNumber", "PagerNumber",
        "PrimaryTelephoneNumber", "RadioTelephoneNumber", "TelexNumber", "TTYTDDTelephoneNumber"};
    return fields;
}

Facts ownStoreFacts(const QString &profile, const QString &base, const QString &scratch)
{
    Facts f;
    NameSpacePtr ns = Application::open(profile)->GetNamespace("MAPI");
    folderFacts(ns->Folders()->Item(QStringLiteral("Persönliche Ordner")), f, base, scratch);
    return f;
}

} // namespace kw::test
