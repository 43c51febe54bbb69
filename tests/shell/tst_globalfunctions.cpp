#include "support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <QtTest>

using namespace kw;

class TestGlobalFunctions : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void errorEntryIsByteExact();
    void messageShownUnlessLogOnly_data();
    void messageShownUnlessLogOnly();
    void entriesAppendAndKeepLineBreaks();
    void unwritableLogShows202Once();
    void defaultAnswers_data();
    void defaultAnswers();
};

void TestGlobalFunctions::errorEntryIsByteExact()
{
    test::TestEnv env;
    env.messages.HandleError("", 91, place::FormatTelNumber, "(Telephone number.: 0711)");
    QFile f(env.programFolder() + "/errorlog.txt");
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray expected = "Date: 08.12.2026 14:05:09Sub: 801\r\n"
                                "\r\n"
                                "Err. No.: 91, Err. Des.: , Info: (Telephone number.: 0711)\r\n"
                                + QByteArray(76, '-') + "\r\n";
    QCOMPARE(f.readAll(), expected);
}

void TestGlobalFunctions::messageShownUnlessLogOnly_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("shown");
    QTest::newRow("log only") << 1 << false;
    QTest::newRow("start-up") << 201 << true;
    QTest::newRow("telephone") << 801 << true;
}

void TestGlobalFunctions::messageShownUnlessLogOnly()
{
    QFETCH(int, code);
    QFETCH(bool, shown);
    test::TestEnv env;
    env.messages.HandleError(QString::fromUtf8("Objekt nicht gefunden"), 424, code, "Info");
    QVERIFY(env.errorLog().contains(QString("Sub: %1\r\n").arg(code)));
    QCOMPARE(env.box.shown.size(), shown ? 1 : 0);
    if (!shown)
        return;
    const ui::MessageRequest &r = env.box.shown.first();
    QCOMPARE(r.buttons, 16);
    QCOMPARE(r.title, QString("Fehler!"));
    const QStringList lines = r.prompt.split("\r\n");
    QCOMPARE(lines.size(), 4);
    QCOMPARE(lines[0], QString::fromUtf8("Bei der Programmausführung ist folgender Fehler aufgetreten:"));
    QCOMPARE(lines[1], QString("Nr.: %1 / 424, Objekt nicht gefunden").arg(code));
    QVERIFY(lines[2].startsWith("Weitere Infos unter "));
    QCOMPARE(lines[3], QString("Info"));
}

void TestGlobalFunctions::entriesAppendAndKeepLineBreaks()
{
    test::TestEnv env;
    QVERIFY(env.messages.WriteErrorLog("first", "Save Outlook ID"));
    QVERIFY(env.messages.WriteErrorLog("line one\nline two\r\nline three", "DupsMove"));
    const QString rule(76, '-');
    const QString expected = "Date: 08.12.2026 14:05:09Sub: Save Outlook ID\r\n\r\nfirst\r\n" + rule + "\r\n"
        + "Date: 08.12.2026 14:05:09Sub: DupsMove\r\n\r\nline one\r\nline two\r\nline three\r\n" + rule + "\r\n";
    QCOMPARE(env.errorLog(), expected);
}

void TestGlobalFunctions::unwritableLogShows202Once()
{
    test::TestEnv env;
    // A folder where the log file should be makes every append fail.
    QVERIFY(QDir().mkpath(env.programFolder() + "/errorlog.txt"));
    env.messages.HandleError("boom", 5, place::SetBusy);
    QCOMPARE(env.box.shown.size(), 2);
    QVERIFY(env.box.shown[0].prompt.contains("Nr.: 202 / "));
    QVERIFY(env.box.shown[1].prompt.contains("Nr.: 204 / 5, boom"));
    env.box.shown.clear();
    env.messages.HandleError("quiet", 5, place::LogOnly);
    QCOMPARE(env.box.shown.size(), 1); // only the 202, no recursion
    QVERIFY(env.box.shown[0].prompt.contains("Nr.: 202 / "));
}

void TestGlobalFunctions::defaultAnswers_data()
{
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("answer");
    QTest::newRow("ok") << 0 << 1;
    QTest::newRow("stop") << 16 << 1;
    QTest::newRow("yes no") << 4 << 6;
    QTest::newRow("question") << 36 << 6;
    QTest::newRow("no is default") << 292 << 7;
    QTest::newRow("info") << 64 << 1;
}

void TestGlobalFunctions::defaultAnswers()
{
    QFETCH(int, buttons);
    QFETCH(int, answer);
    test::TestEnv env;
    QCOMPARE(env.messages.ShowMessage("?", buttons, "Frage?"), answer);
    env.box.answerWith(7);
    QCOMPARE(env.messages.ShowMessage("?", buttons, "Frage?"), 7);
    QCOMPARE(env.box.shown.size(), 2);
    QCOMPARE(env.box.shown[1].extra3, -2);
}

QTEST_GUILESS_MAIN(TestGlobalFunctions)
#include "tst_globalfunctions.moc"
