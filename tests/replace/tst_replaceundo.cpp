#include "ReplaceWorld.h"
#include "replace/ReplaceRun.h"
#include "replace/ReplaceUndo.h"

#include <QJsonArray>
#include <QtTest>

using namespace kw;
using namespace kw::replace;

// A replace and its undo over the demo profile leave every field of every
// item as it was, byte for byte, also where the store rebuilds composite
// fields or moves an appointment's end with its start.
class TestReplaceUndo : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void undoGivesTheProfileBack_data();
    void undoGivesTheProfileBack();
};

namespace {

// The demo profile plus a contact whose business address holds a street of
// two lines, stored with LF only, as imported address books have it.
QJsonObject demoProfile()
{
    QJsonObject demo = mailstore::fixture::readJsonFile(QStringLiteral(KW_SOURCE_DIR "/data/profiles/sample.json"));
    QJsonArray stores = demo.value("stores").toArray();
    QJsonObject store = stores.at(0).toObject();
    QJsonArray folders = store.value("folders").toArray();
    for (qsizetype i = 0; i < folders.size(); ++i) {
        QJsonObject folder = folders.at(i).toObject();
        if (folder.value("name").toString() != QLatin1String("Kontakte"))
            continue;
        QJsonArray items = folder.value("items").toArray();
        items.append(QJsonObject{
            {"class", 40},
            {"messageClass", "IPM.Contact"},
            {"fields",
             QJsonObject{{"FullName", "Frau Lena Berger"},
                         {"FirstName", "Lena"},
                         {"LastName", "Berger"},
                         {"BusinessAddress", "c/o Müller GmbH\nHauptstraße 5\n80331 München"},
                         {"BusinessAddressStreet", "c/o Müller GmbH\nHauptstraße 5"},
                         {"BusinessAddressPostalCode", "80331"},
                         {"BusinessAddressCity", "München"}}}});
        folder.insert("items", items);
        folders.replace(i, folder);
    }
    store.insert("folders", folders);
    stores.replace(0, store);
    demo.insert("stores", stores);
    return demo;
}

ReplaceOptions replacing(const QString &find, const QString &by)
{
    return ReplaceOptions{find, by};
}

ReplaceOptions content(const QString &by)
{
    ReplaceOptions o;
    o.replacement = by;
    o.replaceContent = true;
    return o;
}

// The first line where two dumps differ, with the item around it; empty
// when they are equal.
QString firstDifference(const QJsonObject &expected, const QJsonObject &actual)
{
    const QList<QByteArray> a = mailstore::fixture::canonicalJson(expected).split('\n');
    const QList<QByteArray> b = mailstore::fixture::canonicalJson(actual).split('\n');
    for (qsizetype i = 0; i < qMax(a.size(), b.size()); ++i) {
        if (a.value(i) != b.value(i))
            return QStringLiteral("line %1: expected %2, got %3")
                .arg(i + 1)
                .arg(QString::fromUtf8(a.value(i).trimmed()), QString::fromUtf8(b.value(i).trimmed()));
    }
    return {};
}

} // namespace

void TestReplaceUndo::undoGivesTheProfileBack_data()
{
    QTest::addColumn<QString>("messageClass");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<ReplaceOptions>("options");

    QTest::newRow("name part") << "IPM.Contact" << "Kontakte" << QStringList{"Nachname"} << replacing("e", "E");
    QTest::newRow("full name") << "IPM.Contact" << "Kontakte" << QStringList{"Name (vollständig) !"}
                               << replacing("e", "E");
    QTest::newRow("name part and full name of one contact")
        << "IPM.Contact" << "Kontakte" << QStringList{"Nachname", "Name (vollständig) !", "Vorname"}
        << replacing("e", "E");
    QTest::newRow("business address with two street lines and LF")
        << "IPM.Contact" << "Kontakte" << QStringList{"Adresse geschäftlich !"}
        << replacing(QStringLiteral("Hauptstraße"), "Hauptstr.");
    QTest::newRow("address part") << "IPM.Contact" << "Kontakte" << QStringList{"PLZ geschäftlich"}
                                  << replacing("80331", "80333");
    QTest::newRow("date field, set where none was") << "IPM.Contact" << "Kontakte" << QStringList{"Geburtstag"}
                                                    << content("01.01.2000");
    QTest::newRow("appointment start") << "IPM.Appointment" << "Kalender" << QStringList{"Beginn um"}
                                       << content("15.06.2026 09:00");
    QTest::newRow("appointment start and end") << "IPM.Appointment" << "Kalender"
                                               << QStringList{"Beginn um", "Endet um"}
                                               << content("15.06.2026 09:00");
}

void TestReplaceUndo::undoGivesTheProfileBack()
{
    QFETCH(QString, messageClass);
    QFETCH(QString, folder);
    QFETCH(QStringList, captions);
    QFETCH(ReplaceOptions, options);
    test::ReplaceWorld w(demoProfile());
    ReplaceRequest request;
    request.type = replaceItemType(messageClass);
    request.selectedFields = test::ReplaceWorld::fieldIndexes(messageClass, captions);
    request.options = options;
    const QJsonObject before = w.dump();

    UndoRecord record;
    const ReplaceSummary run = ReplaceInFolders(request, w.set({folder}), record, w.env.messages, [] {});
    QVERIFY(run.replaced > 0);
    QCOMPARE(run.failed, 0);
    QVERIFY(w.dump() != before);

    w.env.box.shown.clear();
    const UndoSummary undo = UndoReplace(record, w.ns(), w.env.messages, [] {});
    QCOMPARE(w.env.box.prompts(),
             QStringList{QString::number(run.replaced) + QStringLiteral(" Ersetzungen rückgängig gemacht.")});
    QCOMPARE(undo.failed, 0);
    QCOMPARE(firstDifference(before, w.dump()), QString());
}

QTEST_GUILESS_MAIN(TestReplaceUndo)
#include "tst_replaceundo.moc"
