#include "contacts/names/NameCorrectionFunctions.h"

#include <QtTest>

using namespace kw;
using namespace kw::contacts::names;

class TestNameLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void layout_data();
    void layout();
    void isLayoutCode_data();
    void isLayoutCode();
};

void TestNameLayout::layout_data()
{
    QTest::addColumn<QStringList>("parts"); // title, first, middle, last, suffix, company
    QTest::addColumn<QString>("layout");
    QTest::addColumn<QString>("expected");

    const QStringList base{"", "Hans", "", "Meier", "", "Firma AG"};
    const auto with = [&base](int index, const QString &value) {
        QStringList p = base;
        p[index] = value;
        return p;
    };
    const QString fileAs = QStringLiteral("Nachname, Vorname (Firma)");
    QTest::newRow("default file-as") << base << fileAs << "Meier, Hans (Firma AG)";
    QTest::newRow("empty company drops its brackets") << with(5, "") << fileAs << "Meier, Hans";
    QTest::newRow("empty first name drops its comma") << with(1, "") << fileAs << "Meier (Firma AG)";
    QTest::newRow("default subject") << base << "Vorname Nachname Namenszusatz" << "Hans Meier";
    QTest::newRow("subject with suffix") << with(4, "jun.") << "Vorname Nachname Namenszusatz" << "Hans Meier jun.";
    QTest::newRow("empty layout") << base << "" << "";
    QTest::newRow("only empty parts") << base << "Anrede weitere Vorn. (Namenszusatz)" << "";
    QTest::newRow("lower-case codes") << base << "n v" << "Meier Hans";
    QTest::newRow("lower-case captions") << base << "nachname, VORNAME" << "Meier, Hans";
    QTest::newRow("no blanks around comma") << base << "Nachname,Vorname" << "Meier, Hans";
    QTest::newRow("blanks around comma") << base << "Nachname , Vorname" << "Meier, Hans";
    QTest::newRow("hyphen gets blanks") << base << "Vorname - Nachname" << "Hans - Meier";
    QTest::newRow("slash gets blanks") << base << "Vorname/Nachname" << "Hans / Meier";
    QTest::newRow("semicolon") << base << "Nachname;Vorname" << "Meier; Hans";
    QTest::newRow("leading separator") << base << ", Vorname" << "Hans";
    QTest::newRow("trailing separators") << base << "Vorname,;-/" << "Hans";
    QTest::newRow("run of separators keeps the last") << base << "N,;,V" << "Meier; Hans";
    QTest::newRow("separator beside a bracket goes") << base << "N,(F)" << "Meier (Firma AG)";
    QTest::newRow("full stop glues") << base << "Vorname.Nachname" << "Hans.Meier";
    QTest::newRow("digit glues") << base << "Nachname 2 Vorname" << "Meier2Hans";
    QTest::newRow("square brackets") << base << "Nachname [Firma]" << "Meier [Firma AG]";
    QTest::newRow("curly brackets empty") << with(5, "") << "Nachname {Firma}" << "Meier";
    QTest::newRow("empty brackets in the middle") << with(5, "") << "Vorname (Firma) Nachname" << "Hans Meier";
    QTest::newRow("unbalanced bracket") << base << "(Nachname" << "(Meier";
    QTest::newRow("L is one blank") << base << "N,LV" << "Meier, Hans";
    QTest::newRow("L without comma") << base << "NLV" << "Meier Hans";
    QTest::newRow("L keeps the comma before it") << with(1, "") << "N,LV" << "Meier,";
    QTest::newRow("all six parts")
        << QStringList{"Prof. Dr. Herr", "Max", "Maria", "Mustermann", "jun.", "Muster GmbH"}
        << "Anrede Vorname weitere Vorn. Nachname Namenszusatz (Firma)"
        << "Prof. Dr. Herr Max Maria Mustermann jun. (Muster GmbH)";
    QTest::newRow("part text with code letters is not re-read")
        << with(3, "VAN") << "Nachname, Vorname" << "VAN, Hans";
}

void TestNameLayout::layout()
{
    QFETCH(QStringList, parts);
    QFETCH(QString, layout);
    QFETCH(QString, expected);
    QCOMPARE(BuildNameLayout(parts[0], parts[1], parts[2], parts[3], parts[4], parts[5], layout), expected);
}

void TestNameLayout::isLayoutCode_data()
{
    QTest::addColumn<QString>("character");
    QTest::addColumn<bool>("code");
    for (const char *c : {"F", "N", "V", "Z", "W", "L", "A"})
        QTest::newRow(c) << QString(c) << true;
    QTest::newRow("lower case is not") << "n" << false;
    QTest::newRow("other letter") << "B" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("two letters") << "NV" << false;
}

void TestNameLayout::isLayoutCode()
{
    QFETCH(QString, character);
    QFETCH(bool, code);
    QCOMPARE(IsLayoutCode(character), code);
}

QTEST_GUILESS_MAIN(TestNameLayout)
#include "tst_namelayout.moc"
