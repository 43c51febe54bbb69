#include "platform/mailstore/ItemSchema.h"
#include "platform/mapi/SafeItem.h"
#include "replace/ReplaceFields.h"

#include <QSet>
#include <QtTest>

using namespace kw;
using namespace kw::replace;

class TestReplaceFields : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyType_data();
    void everyType();
    void sampleRows_data();
    void sampleRows();
};

void TestReplaceFields::everyType_data()
{
    QTest::addColumn<QString>("messageClass");
    QTest::addColumn<int>("count");
    QTest::newRow("contacts") << "IPM.Contact" << 95;
    QTest::newRow("appointments") << "IPM.Appointment" << 6;
    QTest::newRow("tasks") << "IPM.Task" << 11;
    QTest::newRow("mails") << "IPM.Note" << 2;
    QTest::newRow("posts") << "IPM.Post" << 2;
    QTest::newRow("journal") << "IPM.Activity" << 2;
    QTest::newRow("notes") << "IPM.StickyNote" << 1;
}

// Each list addresses real members of its item class, once each, with a date
// rule exactly where the member holds a date, through a safe item that suits
// the class.
void TestReplaceFields::everyType()
{
    QFETCH(QString, messageClass);
    QFETCH(int, count);
    const ReplaceItemType *type = replaceItemType(messageClass);
    QVERIFY(type);
    QCOMPARE(type->fields.size(), count);
    QCOMPARE(type->itemClass, mailstore::classForMessageClass(messageClass));
    QCOMPARE(type->safeProgId, mapi::safeProgIdForClass(type->itemClass));
    const mailstore::ItemSchema &schema = mailstore::ItemSchema::forClass(type->itemClass);
    QSet<QString> captions, members;
    for (const ReplaceField &f : type->fields) {
        const int at = schema.indexOf(f.property);
        QVERIFY2(at >= 0 || f.property == u"MessageClass", qPrintable(f.property));
        const bool isDate = at >= 0 && schema.field(at).kind == mailstore::FieldKind::Date;
        QVERIFY2(isDate == (f.dateRule != DateRule::None), qPrintable(f.property));
        captions.insert(f.caption);
        members.insert(f.property.toLower());
    }
    QCOMPARE(captions.size(), count);
    QCOMPARE(members.size(), count);
}

void TestReplaceFields::sampleRows_data()
{
    QTest::addColumn<QString>("messageClass");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("property");
    QTest::newRow("contact typing slip kept") << "IPM.Contact" << 70 << "Tefefon Firma" << "CompanyMainTelephoneNumber";
    QTest::newRow("contact composite full name") << "IPM.Contact" << 41 << "Name (vollständig) !" << "Fullname";
    QTest::newRow("contact last entry") << "IPM.Contact" << 94 << "weitere Vorn." << "MiddleName";
    QTest::newRow("task due date") << "IPM.Task" << 3 << "Fällig am" << "DueDate";
    QTest::newRow("mail text second") << "IPM.Note" << 1 << "Text" << "Body";
    QTest::newRow("note has only its text") << "IPM.StickyNote" << 0 << "Text" << "Body";
}

void TestReplaceFields::sampleRows()
{
    QFETCH(QString, messageClass);
    QFETCH(int, index);
    QFETCH(QString, caption);
    QFETCH(QString, property);
    const ReplaceField &f = replaceItemType(messageClass)->fields.at(index);
    QCOMPARE(f.caption, caption);
    QCOMPARE(f.property, property);
    // Derived and differently written classes have no list.
    for (const char *other : {"IPM.Contact.Kunde", "ipm.contact", "IPM.DistList"})
        QVERIFY2(!replaceItemType(QString::fromLatin1(other)), other);
}

QTEST_APPLESS_MAIN(TestReplaceFields)
#include "tst_replacefields.moc"
