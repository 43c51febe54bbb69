// The undo of backup values, end to end on a fixture profile: its progress
// and its failure path.
#include "contacts/ContactRunWorld.h"

#include "contacts/undo/frmUndo.h"

#include <QCheckBox>
#include <QPushButton>
#include <QtTest>

using namespace kw;
using namespace kw::contacts::undo;

namespace {

// A contact whose two numbers were formatted by the telephone run.
QVariantMap formattedContact(int n)
{
    const QString home = QStringLiteral("0711 %1").arg(n);
    const QString mobile = QStringLiteral("0171 %1").arg(n);
    return {{"HomeTelephoneNumber", QStringLiteral("+49 (711) %1").arg(n)},
            {"MobileTelephoneNumber", QStringLiteral("+49 (171) %1").arg(n)},
            {"user:KW Backup HomeTelephoneNumber", home},
            {"user:KW Backup MobileTelephoneNumber", mobile}};
}

bool restored(test::ContactWorld &w, const QString &id, int n)
{
    return w.field(id, "HomeTelephoneNumber") == QStringLiteral("0711 %1").arg(n)
        && w.field(id, "MobileTelephoneNumber") == QStringLiteral("0171 %1").arg(n) && w.backupCount(id) == 0;
}

bool untouched(test::ContactWorld &w, const QString &id, int n)
{
    return w.field(id, "HomeTelephoneNumber") == QStringLiteral("+49 (711) %1").arg(n)
        && w.field(id, "MobileTelephoneNumber") == QStringLiteral("+49 (171) %1").arg(n)
        && w.backup(id, "HomeTelephoneNumber") == QStringLiteral("0711 %1").arg(n)
        && w.backup(id, "MobileTelephoneNumber") == QStringLiteral("0171 %1").arg(n);
}

} // namespace

class TestUndo : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void progressRunsToTheItemTotal_data();
    void progressRunsToTheItemTotal();
    void failedSaveEndsTheUndoAndASecondOneFinishes();
};

void TestUndo::progressRunsToTheItemTotal_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("withBackups");
    QTest::addColumn<int>("withoutBackups");
    QTest::addColumn<int>("distLists");
    QTest::newRow("telephone, every contact with backups") << "Telephone" << 3 << 0 << 0;
    QTest::newRow("telephone, a distribution list counts as an item") << "Telephone" << 2 << 0 << 1;
    QTest::newRow("telephone, contacts without backups count too") << "Telephone" << 1 << 2 << 0;
    QTest::newRow("names, nothing to restore") << "Names" << 2 << 1 << 1;
}

// The undo is the only run in the world, so the maximum it sets is the only
// one recorded: the working set's item total, whatever the items are.
void TestUndo::progressRunsToTheItemTotal()
{
    QFETCH(QString, kind);
    QFETCH(int, withBackups);
    QFETCH(int, withoutBackups);
    QFETCH(int, distLists);
    test::ContactWorld w;
    for (int n = 1; n <= withBackups; ++n)
        w.add(formattedContact(n));
    for (int n = 1; n <= withoutBackups; ++n)
        w.add({{"HomeTelephoneNumber", QStringLiteral("0711 9%1").arg(n)}});
    for (int n = 1; n <= distLists; ++n)
        w.add({{"Subject", "Verteiler"}}, mailstore::itemclass::DistList);
    const int total = withBackups + withoutBackups + distLists;
    auto ctx = w.context();

    const int expected = kind == "Telephone" ? withBackups : 0;
    QCOMPARE(UndoFunctions::UndoContactFields(ctx, kind), expected);
    QCOMPARE(w.view.maxima, QList<int>{total});
    QCOMPARE(w.view.progress, total);
    QCOMPARE(w.view.yields, total);
    QCOMPARE(w.view.statuses, QStringList(total, QStringLiteral("Wiederherstellung...")));
}

// The second of three contacts cannot be saved: the undo reports 401 and
// stops; the first stays restored, the second and third keep their numbers
// and backups. A second undo finishes the job.
void TestUndo::failedSaveEndsTheUndoAndASecondOneFinishes()
{
    test::ContactWorld w;
    const QStringList ids{w.add(formattedContact(1)), w.add(formattedContact(2)), w.add(formattedContact(3))};
    mailstore::faults::failSave(ids[1], 1);
    QList<int> results;
    frmUndo dialog([&w, &results](const QString &kind) {
        auto ctx = w.context();
        results << UndoFunctions::UndoContactFields(ctx, kind);
    });
    QTest::mouseClick(dialog.controls().chkTel, Qt::LeftButton);
    QVERIFY(dialog.controls().chkTel->isChecked());
    QVERIFY(!dialog.controls().chkName->isChecked());
    dialog.show();
    QTest::mouseClick(dialog.controls().cmdUndo, Qt::LeftButton);

    QCOMPARE(results, QList<int>{-1});
    QCOMPARE(w.env.box.shown.size(), 1);
    QVERIFY2(w.env.box.shown.first().prompt.contains(QStringLiteral("Nr.: 401 /")),
             qPrintable(w.env.box.shown.first().prompt));
    QCOMPARE(w.calls, (QStringList{"BeginEndOperation(yes)", "BeginEndOperation(no)"}));
    QVERIFY(restored(w, ids[0], 1));
    QVERIFY(untouched(w, ids[1], 2));
    QVERIFY(untouched(w, ids[2], 3));

    auto ctx = w.context();
    QCOMPARE(UndoFunctions::UndoContactFields(ctx, QStringLiteral("Telephone")), 2);
    QCOMPARE(w.env.box.prompts().last(), QStringLiteral("Telefonnummern bei 2 Kontakten wiederhergestellt."));
    for (int n = 1; n <= 3; ++n)
        QVERIFY2(restored(w, ids[n - 1], n), qPrintable(QString::number(n)));
    QCOMPARE(UndoFunctions::UndoContactFields(ctx, QStringLiteral("Telephone")), 0);
}

QTEST_MAIN(TestUndo)
#include "tst_undo.moc"
