#include "platform/core/PlatformError.h"
#include "platform/mailstore/FieldValues.h"
#include "platform/core/Text.h"
#include "platform/mailstore/ItemSchema.h"

#include <QTest>
#include <ctime>

using namespace kw::mailstore;

class TestFieldValues : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        // A zone with daylight saving time, so the gap rows below mean something.
        qputenv("TZ", "Europe/Berlin");
        tzset();
    }

    void dateText_data()
    {
        QTest::addColumn<QDateTime>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("midnight shows the date alone") << QDateTime(QDate(2024, 3, 4), QTime(0, 0), Qt::UTC) << "04.03.2024";
        QTest::newRow("time of day shown with seconds") << QDateTime(QDate(2024, 3, 4), QTime(9, 5, 7), Qt::UTC) << "04.03.2024 09:05:07";
        QTest::newRow("invalid is no date") << QDateTime() << "01.01.4501";
    }
    void dateText()
    {
        QFETCH(QDateTime, value);
        QFETCH(QString, text);
        QCOMPARE(dateToText(value), text);
    }

    void parseDate_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QDateTime>("value");
        const QDateTime d(QDate(2024, 7, 3), QTime(0, 0), Qt::UTC);
        QTest::newRow("two-digit day and month") << "03.07.2024" << true << d;
        QTest::newRow("one-digit day and month") << "3.7.2024" << true << d;
        QTest::newRow("with minutes") << "03.07.2024 09:30" << true << QDateTime(QDate(2024, 7, 3), QTime(9, 30), Qt::UTC);
        QTest::newRow("with seconds") << "03.07.2024 09:30:15" << true << QDateTime(QDate(2024, 7, 3), QTime(9, 30, 15), Qt::UTC);
        QTest::newRow("no date marker") << "01.01.4501" << true << noDate();
        QTest::newRow("surrounding blanks") << "  03.07.2024 " << true << d;
        QTest::newRow("empty") << "" << false << QDateTime();
        QTest::newRow("words") << "morgen" << false << QDateTime();
        QTest::newRow("31st of February") << "31.02.2024" << false << QDateTime();
        QTest::newRow("two-digit year") << "03.07.24" << false << QDateTime();
        QTest::newRow("iso order") << "2024-07-03" << false << QDateTime();
        QTest::newRow("hour in the spring-forward gap") << "31.03.2024 02:30:00" << true << QDateTime(QDate(2024, 3, 31), QTime(2, 30), Qt::UTC);
        QTest::newRow("hour 25") << "03.07.2024 25:00" << false << QDateTime();
        QTest::newRow("trailing text") << "03.07.2024 x" << false << QDateTime();
    }
    void parseDate()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(QDateTime, value);
        const std::optional<QDateTime> parsed = parseDateText(text);
        QCOMPARE(parsed.has_value(), ok);
        if (ok)
            QCOMPARE(*parsed, value);
    }

    void toFieldText_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("text"); // empty: type mismatch expected
        QTest::newRow("date from text") << int(FieldKind::Date) << QVariant("4.3.2024 08:00") << "04.03.2024 08:00:00";
        QTest::newRow("date from QDate") << int(FieldKind::Date) << QVariant(QDate(2024, 3, 4)) << "04.03.2024";
        QTest::newRow("gap hour stays as written") << int(FieldKind::Date) << QVariant("31.03.2024 02:30") << "31.03.2024 02:30:00";
        QTest::newRow("no date stays no date") << int(FieldKind::Date) << QVariant("01.01.4501") << "01.01.4501";
        QTest::newRow("empty text into a date") << int(FieldKind::Date) << QVariant("") << "";
        QTest::newRow("word into a date") << int(FieldKind::Date) << QVariant("bald") << "";
        QTest::newRow("bool true") << int(FieldKind::Bool) << QVariant(true) << "Wahr";
        QTest::newRow("bool from -1") << int(FieldKind::Bool) << QVariant("-1") << "Wahr";
        QTest::newRow("bool from Falsch") << int(FieldKind::Bool) << QVariant("falsch") << "Falsch";
        QTest::newRow("bool from other text") << int(FieldKind::Bool) << QVariant("vielleicht") << "";
        QTest::newRow("integer from text") << int(FieldKind::Integer) << QVariant(" 15 ") << "15";
        QTest::newRow("integer from words") << int(FieldKind::Integer) << QVariant("fünf") << "";
        QTest::newRow("text kept as is") << int(FieldKind::Text) << QVariant("  a'b ") << "  a'b ";
    }
    void toFieldText()
    {
        QFETCH(int, kind);
        QFETCH(QVariant, value);
        QFETCH(QString, text);
        if (text.isEmpty()) {
            try {
                kw::mailstore::toFieldText(FieldKind(kind), value, QStringLiteral("Feld"));
                QFAIL("no type mismatch raised");
            } catch (const kw::PlatformError &e) {
                QCOMPARE(e.number(), kw::errors::kTypeMismatch);
            }
            return;
        }
        QCOMPARE(kw::mailstore::toFieldText(FieldKind(kind), value, QStringLiteral("Feld")), text);
    }

    void schemaLookup_data()
    {
        QTest::addColumn<int>("cls");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("canonical"); // empty: unknown
        QTest::newRow("contact Fullname") << 40 << "Fullname" << "FullName";
        QTest::newRow("contact all capitals") << 40 << "BUSINESSTELEPHONENUMBER" << "BusinessTelephoneNumber";
        QTest::newRow("mail RECEIVEDTIME") << 43 << "RECEIVEDTIME" << "ReceivedTime";
        QTest::newRow("post has no To") << 45 << "To" << "";
        QTest::newRow("note Color") << 44 << "color" << "Color";
        QTest::newRow("journal Duration") << 42 << "Duration" << "Duration";
        QTest::newRow("task DateCompleted") << 48 << "datecompleted" << "DateCompleted";
        QTest::newRow("appointment has no FirstName") << 26 << "FirstName" << "";
        QTest::newRow("near miss") << 40 << "FullNam" << "";
        QTest::newRow("longer by a blank") << 40 << "FullName " << "";
        QTest::newRow("same length, other letter") << 40 << "FullNamf" << "";
        QTest::newRow("Kelvin sign folds to k") << 40 << QString::fromUtf8("Nic\u212AName") << "NickName";
        QTest::newRow("long s folds to s") << 40 << QString::fromUtf8("\u017Fubject") << "Subject";
        QTest::newRow("empty") << 40 << "" << "";
    }
    void schemaLookup()
    {
        QFETCH(int, cls);
        QFETCH(QString, name);
        QFETCH(QString, canonical);
        const ItemSchema &s = ItemSchema::forClass(cls);
        const int idx = s.indexOf(name);
        QCOMPARE(idx < 0, canonical.isEmpty());
        if (idx >= 0)
            QCOMPARE(s.field(idx).name, canonical);
    }

    // The ASCII shortcut must judge as Qt does.
    void equalsIgnoringCase_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::newRow("same") << "FullName" << "FullName";
        QTest::newRow("case") << "KW Backup Fullname" << "kw backup FULLNAME";
        QTest::newRow("other letter") << "KW Backup Fullname" << "KW Backup LastName";
        QTest::newRow("@ and `") << "a@b" << "a`b";
        QTest::newRow("[ and {") << "a[b" << "a{B";
        QTest::newRow("^ and ~") << "^" << "~";
        QTest::newRow("lengths") << "Title" << "Titles";
        QTest::newRow("umlauts") << QString::fromUtf8("Jürgen") << QString::fromUtf8("JÜRGEN");
        QTest::newRow("Kelvin sign") << QString::fromUtf8("\u212A") << "k";
        QTest::newRow("sharp s") << QString::fromUtf8("ß") << "ss";
        QTest::newRow("ASCII differs before a non-ASCII") << QString::fromUtf8("aü") << QString::fromUtf8("bü");
        QTest::newRow("surrogates") << QString::fromUtf8("\U00010400") << QString::fromUtf8("\U00010428");
        QTest::newRow("empty") << "" << "";
    }
    void equalsIgnoringCase()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        const bool qt = a.compare(b, Qt::CaseInsensitive) == 0;
        QCOMPARE(kw::equalsIgnoringCase(a, b), qt);
        QCOMPARE(kw::equalsIgnoringCase(b, a), qt);
    }

    // One map ignoring case serves every spelling, so no two fields of a
    // class may differ in case alone.
    void everyFieldFindsItself_data()
    {
        QTest::addColumn<int>("cls");
        for (const int cls : {26, 40, 42, 43, 44, 45, 48, 69})
            QTest::newRow(qPrintable(QString::number(cls))) << cls;
    }
    void everyFieldFindsItself()
    {
        QFETCH(int, cls);
        const ItemSchema &s = ItemSchema::forClass(cls);
        for (int i = 0; i < s.size(); ++i) {
            QCOMPARE(s.indexOf(s.field(i).name), i);
            QCOMPARE(s.indexOf(s.field(i).name.toUpper()), i);
            QCOMPARE(s.indexOf(s.field(i).name.toLower()), i);
        }
    }

    void contactSchemaHasEveryReplaceField()
    {
        // The replace dialog and the telephone and name tools address these.
        const QStringList names = {
            "BillingInformation", "Department", "BusinessAddress", "HomeAddress", "OtherAddress",
            "Title", "Profession", "Subject", "BusinessAddressState", "HomeAddressState",
            "OtherAddressState", "OfficeLocation", "ComputerNetworkName", "Email1Address",
            "Email1AddressType", "Email1DisplayName", "Email2Address", "Email2AddressType",
            "Email2DisplayName", "Email3Address", "Email3AddressType", "Email3DisplayName",
            "ReferredBy", "BusinessFaxNumber", "HomeFaxNumber", "OtherFaxNumber", "FTPSite",
            "Birthday", "Hobby", "IMAddress", "Initials", "Anniversary", "Categories", "Children",
            "Account", "CustomerID", "BusinessAddressCountry", "HomeAddressCountry",
            "OtherAddressCountry", "LastName", "Fullname", "Suffix", "NetMeetingAlias",
            "NetMeetingServer", "Body", "OrganizationalIDNumber", "Spouse",
            "BusinessAddressPostalCode", "HomeAddressPostalCode", "OtherAddressPostalCode",
            "JobTitle", "BusinessAddressPostOfficeBox", "HomeAddressPostOfficeBox",
            "OtherAddressPostOfficeBox", "GovernmentIDNumber", "Mileage", "User1", "User2", "User3",
            "User4", "AssistantName", "FileAs", "NickName", "BusinessAddressCity", "HomeAddressCity",
            "OtherAddressCity", "BusinessAddressStreet", "HomeAddressStreet", "OtherAddressStreet",
            "CompanyMainTelephoneNumber", "ISDNNumber", "CarTelephoneNumber", "RadioTelephoneNumber",
            "BusinessTelephoneNumber", "Business2TelephoneNumber", "PrimaryTelephoneNumber",
            "MobileTelephoneNumber", "PagerNumber", "HomeTelephoneNumber", "Home2TelephoneNumber",
            "CallbackTelephoneNumber", "AssistantTelephoneNumber", "OtherTelephoneNumber",
            "TelexNumber", "TTYTDDTelephoneNumber", "Companies", "CompanyName",
            "InternetFreeBusyAddress", "ManagerName", "FirstName", "WebPage", "BusinessHomePage",
            "PersonalHomePage", "MiddleName"};
        QCOMPARE(names.size(), 94); // the 95 of the dialog less MessageClass, a member of every item
        const ItemSchema &s = ItemSchema::forClass(40);
        for (const QString &n : names)
            QVERIFY2(s.indexOf(n) >= 0, qPrintable(n));
        QCOMPARE(s.field(s.indexOf(u"Birthday")).kind, FieldKind::Date);
    }

    void classFromMessageClass_data()
    {
        QTest::addColumn<QString>("messageClass");
        QTest::addColumn<int>("cls");
        QTest::newRow("contact") << "IPM.Contact" << 40;
        QTest::newRow("custom contact form") << "IPM.Contact.Kunde" << 40;
        QTest::newRow("lower case") << "ipm.task" << 48;
        QTest::newRow("mail") << "IPM.Note" << 43;
        QTest::newRow("note is not mail") << "IPM.StickyNote" << 44;
        QTest::newRow("prefix without dot") << "IPM.Contacts" << 0;
        QTest::newRow("distribution list") << "IPM.DistList" << 69;
        QTest::newRow("unknown") << "IPM.Schedule.Meeting.Request" << 0;
    }
    void classFromMessageClass()
    {
        QFETCH(QString, messageClass);
        QFETCH(int, cls);
        QCOMPARE(classForMessageClass(messageClass), cls);
    }
};

QTEST_GUILESS_MAIN(TestFieldValues)
#include "tst_fieldvalues.moc"
