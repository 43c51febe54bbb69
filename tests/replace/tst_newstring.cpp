#include "replace/NewString.h"

#include <QtTest>

using kw::replace::ReplaceOptions;

class TestNewString : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void newString_data();
    void newString();
};

namespace {

// Option letters: w whole word, r replace the content, l fill empty fields.
ReplaceOptions options(const QString &find, const QString &by, const QString &flags)
{
    return {find, by, flags.contains(u'w'), flags.contains(u'r'), flags.contains(u'l')};
}

} // namespace

void TestNewString::newString_data()
{
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("find");
    QTest::addColumn<QString>("by");
    QTest::addColumn<QString>("flags");
    QTest::addColumn<QString>("expected");

    QTest::newRow("found without regard to case") << "Muster GmbH" << "gmbh" << "AG" << "" << "Muster AG";
    QTest::newRow("umlaut found without regard to case") << "ÄRGER mit Ärger" << "ärger" << "Ruhe" << "" << "Ruhe mit Ruhe";
    QTest::newRow("capitals around ß") << "HAUPTSTRASSE, Hauptstraße" << "STRAßE" << "Str." << "" << "HAUPTSTRASSE, HauptStr.";
    QTest::newRow("occurrences do not overlap") << "aaaa" << "aa" << "b" << "" << "bb";
    QTest::newRow("inserted text is not searched again") << "ab" << "a" << "aa" << "" << "aab";
    QTest::newRow("no match leaves blanks as they are") << "  a " << "z" << "x" << "" << "  a ";
    QTest::newRow("empty search text changes nothing") << "a  b" << "" << "x" << "" << "a  b";

    QTest::newRow("word between blanks") << "a b c" << "b" << "x" << "w" << "a x c";
    QTest::newRow("adjacent words all replaced") << "b b" << "b" << "x" << "w" << "x x";
    QTest::newRow("word at the start, part of a word is none") << "B ab b ba" << "b" << "x" << "w" << "x ab x ba";
    QTest::newRow("word beside punctuation") << "b, (b) b." << "b" << "x" << "w" << "x, (x) x.";
    QTest::newRow("word beside tab and line break") << "b\tb\nb" << "b" << "x" << "w" << "x\tx\nx";
    QTest::newRow("umlaut is part of the word") << "Müller M Mü" << "M" << "X" << "w" << "Müller X Mü";
    QTest::newRow("ß is part of the word") << "Straße Stra" << "stra" << "X" << "w" << "Straße X";
    QTest::newRow("word search keeps blanks when nothing matched") << "  a " << "z" << "x" << "w" << "  a ";
    QTest::newRow("word search keeps blanks around a match") << " b " << "b" << "x" << "w" << " x ";
    QTest::newRow("empty search text in word mode changes nothing") << "a  b" << "" << "x" << "w" << "a  b";

    QTest::newRow("content replaced whatever it was") << "alt" << "zz" << "neu" << "r" << "neu";
    QTest::newRow("content replaced by nothing") << "alt" << "" << "" << "r" << "";
    QTest::newRow("empty field filled") << "" << "a" << "neu" << "l" << "neu";
    QTest::newRow("filled field stays with fill-empty and word") << "a b" << "a" << "neu" << "lw" << "a b";
}

void TestNewString::newString()
{
    QFETCH(QString, current);
    QFETCH(QString, find);
    QFETCH(QString, by);
    QFETCH(QString, flags);
    QFETCH(QString, expected);
    QCOMPARE(kw::replace::newString(current, options(find, by, flags)), expected);
}

QTEST_APPLESS_MAIN(TestNewString)
#include "tst_newstring.moc"
