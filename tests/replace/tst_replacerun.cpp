#include "ReplaceWorld.h"
#include "replace/ReplaceRun.h"
#include "replace/ReplaceUndo.h"

#include <QtTest>

using namespace kw;
using namespace kw::replace;

class TestReplaceRun : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void dateFields_data();
    void dateFields();
    void appointmentStartAndEnd_data();
    void appointmentStartAndEnd();
    void failedSaveLeavesTheRecord();
    void refusedEndIsCountedAndTheRunGoesOn();
    void errorEndsRunKeepingWhatWasSaved();
    void undoGoesOnPastFailuresAndRetries();
};

namespace {

struct Run
{
    test::ReplaceWorld w;
    UndoRecord record;
    ReplaceRequest request;

    Run(const QString &messageClass, const QStringList &captions, ReplaceOptions options, const QString &userField = {})
    {
        request.type = replaceItemType(messageClass);
        request.selectedFields = test::ReplaceWorld::fieldIndexes(messageClass, captions);
        request.useUserField = !userField.isEmpty();
        request.userFieldName = userField;
        request.options = std::move(options);
    }
    ReplaceSummary replace(const QString &folder)
    {
        return ReplaceInFolders(request, w.set({folder}), record, w.env.messages, [] {});
    }
    UndoSummary undo()
    {
        w.env.box.shown.clear();
        return UndoReplace(record, w.ns(), w.env.messages, [] {});
    }
    QStringList prompts() const { return w.env.box.prompts(); }
};

ReplaceOptions content(const QString &by)
{
    ReplaceOptions o;
    o.replacement = by;
    o.replaceContent = true;
    return o;
}

const QString kStrasse = QStringLiteral("straße");
const QString kStr = QStringLiteral("Str.");

} // namespace

void TestReplaceRun::dateFields_data()
{
    QTest::addColumn<QString>("messageClass");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("entryId");
    QTest::addColumn<QString>("newText");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("replaced");

    QTest::newRow("empty text clears a due date") << "IPM.Task" << "Aufgaben" << "Fällig am" << "B001" << "" << "01.01.4501" << 1;
    QTest::newRow("empty text leaves a start") << "IPM.Appointment" << "Kalender" << "Beginn um" << "A001" << "" << "02.03.2026 10:00:00" << 0;
    QTest::newRow("no date is not written") << "IPM.Contact" << "Kontakte" << "Geburtstag" << "C001" << "bald" << "12.03.1980" << 0;
    QTest::newRow("short date written to every contact") << "IPM.Contact" << "Kontakte" << "Geburtstag" << "C001" << "1.2.2020" << "01.02.2020" << 3;
    QTest::newRow("end with a new time") << "IPM.Appointment" << "Kalender" << "Endet um" << "A001" << "02.03.2026 12:30" << "02.03.2026 12:30:00" << 1;
}

void TestReplaceRun::dateFields()
{
    QFETCH(QString, messageClass);
    QFETCH(QString, folder);
    QFETCH(QString, caption);
    QFETCH(QString, entryId);
    QFETCH(QString, newText);
    QFETCH(QString, stored);
    QFETCH(int, replaced);
    Run run(messageClass, {caption}, content(newText));
    const ReplaceSummary s = run.replace(folder);
    QCOMPARE(s.replaced, replaced);
    QCOMPARE(run.record.size(), replaced);
    QCOMPARE(run.prompts(), QStringList{QString::number(replaced) + " Ersetzungen wurden vorgenommen."});
    const QString property = replaceItemType(messageClass)->fields.at(run.request.selectedFields[0]).property;
    QCOMPARE(run.w.field(entryId, property), stored);
}

// C001 changes its user-defined field, its text and its street in one save
// that fails; the run goes on to C004, and only what was saved can be undone.
void TestReplaceRun::failedSaveLeavesTheRecord()
{
    Run run("IPM.Contact", {"Notiz", "Straße privat", "Nachname"}, ReplaceOptions{kStrasse, kStr}, "Kundennummer");
    mailstore::faults::failSave("C001", 1);
    const ReplaceSummary s = run.replace("Kontakte");
    QCOMPARE(s.replaced, 1);
    QCOMPARE(s.failed, 3);
    QCOMPARE(run.prompts(), (QStringList{"1 Ersetzungen wurden vorgenommen.",
                                         "3 Ersetzungen schlugen fehl. Überprüfen Sie die Berechtigungen."}));
    QCOMPARE(run.w.field("C001", "HomeAddressStreet"), "Hauptstraße 5");
    QCOMPARE(run.w.userField("C001", "Kundennummer"), "Straße-7");
    QCOMPARE(run.w.field("C004", "LastName"), "Str.");
    QCOMPARE(run.record.userFields.size(), size_t(0));
    QCOMPARE(run.record.fields.size(), size_t(1));
    QCOMPARE(run.record.fields[0].entryId, "C004");
}

void TestReplaceRun::appointmentStartAndEnd_data()
{
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QString>("newText");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::addColumn<int>("replaced");
    QTest::addColumn<int>("failed");
    QTest::newRow("later start moves the end along") << QStringList{"Beginn um"} << "05.03.2026 14:00"
                                                     << "05.03.2026 14:00:00" << "05.03.2026 15:00:00" << 1 << 0;
    QTest::newRow("end before the start is refused") << QStringList{"Endet um"} << "01.03.2026 09:00"
                                                     << "02.03.2026 10:00:00" << "02.03.2026 11:00:00" << 0 << 1;
    QTest::newRow("start then end to one time") << QStringList{"Beginn um", "Endet um"} << "05.03.2026 14:00"
                                                << "05.03.2026 14:00:00" << "05.03.2026 14:00:00" << 2 << 0;
}

void TestReplaceRun::appointmentStartAndEnd()
{
    QFETCH(QStringList, captions);
    QFETCH(QString, newText);
    QFETCH(QString, start);
    QFETCH(QString, end);
    QFETCH(int, replaced);
    QFETCH(int, failed);
    Run run("IPM.Appointment", captions, content(newText));
    const ReplaceSummary s = run.replace("Kalender");
    QCOMPARE(s.replaced, replaced);
    QCOMPARE(s.failed, failed);
    QCOMPARE(run.w.field("A001", "Start"), start);
    QCOMPARE(run.w.field("A001", "End"), end);
}

// The new text makes A001 end before it starts: the store refuses the end,
// the subject of the same item is still written and saved, and the refusal
// is counted and logged rather than ending the run.
void TestReplaceRun::refusedEndIsCountedAndTheRunGoesOn()
{
    Run run("IPM.Appointment", {"Betreff", "Endet um"}, content("01.03.2026 09:00"));
    const ReplaceSummary s = run.replace("Kalender");
    QVERIFY(s.completed);
    QCOMPARE(s.replaced, 1);
    QCOMPARE(s.failed, 1);
    QCOMPARE(run.prompts(), (QStringList{"1 Ersetzungen wurden vorgenommen.",
                                         "1 Ersetzungen schlugen fehl. Überprüfen Sie die Berechtigungen."}));
    QCOMPARE(run.w.field("A001", "Subject"), "01.03.2026 09:00");
    QCOMPARE(run.w.field("A001", "Start"), "02.03.2026 10:00:00");
    QCOMPARE(run.w.field("A001", "End"), "02.03.2026 11:00:00");
    QCOMPARE(run.record.fields.size(), size_t(1));
    const QString log = run.w.env.errorLog();
    QVERIFY2(log.contains("ReplaceRun") && log.contains("A001") && log.contains("01.03.2026 09:00"), qPrintable(log));
}

void TestReplaceRun::errorEndsRunKeepingWhatWasSaved()
{
    Run run("IPM.Contact", {"Nachname"}, ReplaceOptions{"o", "0"});
    mailstore::faults::failItemRead("Kontakte", 2, 1);
    QVERIFY(!run.replace("Kontakte").completed);
    QCOMPARE(run.w.field("C001", "LastName"), "R0th");
    QCOMPARE(run.record.fields.size(), size_t(1));
    QCOMPARE(run.w.env.box.shown.size(), 1); // the error, no summary
    QVERIFY(run.w.env.errorLog().contains("59"));
}

// A fetch fails in the user-field pass and a save in the field pass: both
// passes go on, the failures stay in the record, and a second undo finishes.
void TestReplaceRun::undoGoesOnPastFailuresAndRetries()
{
    Run run("IPM.Contact", {"Nachname", "Straße privat", "Straße weitere"}, ReplaceOptions{kStrasse, kStr},
            "Kundennummer");
    const QJsonObject before = run.w.dump();
    QCOMPARE(run.replace("Kontakte").replaced, 4);

    mailstore::faults::failFetch("C001", 1);
    mailstore::faults::failSave("C004", 1);
    const UndoSummary first = run.undo();
    QCOMPARE(first.restored, 1);
    QCOMPARE(first.failed, 3);
    QCOMPARE(run.prompts(), (QStringList{"1 Ersetzungen rückgängig gemacht.", "3 Elemente nicht gefunden."}));
    QVERIFY(run.w.env.errorLog().contains("ReplaceUndo"));
    QVERIFY(run.w.env.errorLog().contains("C004"));
    QCOMPARE(run.record.userFields.size(), size_t(1));
    QCOMPARE(run.record.fields.size(), size_t(2));

    const UndoSummary second = run.undo();
    QCOMPARE(second.restored, 3);
    QCOMPARE(second.failed, 0);
    QVERIFY(run.record.empty());
    QCOMPARE(run.w.dump(), before);
}

QTEST_GUILESS_MAIN(TestReplaceRun)
#include "tst_replacerun.moc"
