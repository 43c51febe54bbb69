#include "contacts/telephone/TelNrStandard.h"

#include "platform/refdb/Database.h"
#include "support/TestEnv.h"

#include <QFile>
#include <QtTest>

using namespace kw;
using namespace kw::contacts::telephone;

namespace {

QString digitsOf(const QString &text)
{
    QString out;
    for (const QChar c : text) {
        if (c >= u'0' && c <= u'9')
            out += c;
    }
    return out;
}

// The text between the default area-code brackets, "" when there are none.
QString bracketedAreaCode(const QString &formatted)
{
    const qsizetype open = formatted.indexOf(QStringLiteral(" ("));
    const qsizetype close = formatted.indexOf(QStringLiteral(") "));
    return open < 0 || close < open ? QString() : formatted.mid(open + 2, close - open - 2);
}

struct Example
{
    QString region, typed, e164, areaCode;
};

// tests/fixtures/telephone/example_numbers.csv: written by tools/telareas from
// the phone-number library, so that this test does not need the library.
QList<Example> frozenExamples()
{
    QFile file(QStringLiteral(KW_TEST_FIXTURES "/telephone/example_numbers.csv"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<Example> examples;
    bool header = true;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        if (std::exchange(header, false))
            continue;
        const QStringList f = line.split(u',');
        if (f.size() == 4)
            examples.append({f[0], f[1], f[2], f[3]});
    }
    return examples;
}

} // namespace

// The formatter over the shipped tables and default settings, on the example
// numbers of every country that dials area codes, typed with its country code.
class TestTelNrStandardExamples : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void libraryExamples();
};

// Every digit survives, and nearly every bracketed area code is the
// destination code the library gives.
void TestTelNrStandardExamples::libraryExamples()
{
    const QList<Example> examples = frozenExamples();
    QVERIFY(examples.size() > 100);
    test::TestEnv env;
    QVERIFY(env.settings.InitDefaultSettings());
    refdb::Database db(QStringLiteral(KW_DATA_DIR "/KontorwerkPub.db"));
    int digitsRight = 0;
    int areaRight = 0;
    for (const Example &example : examples) {
        bool changed = false;
        const QString out = TelNrStandard::FormatTelNumber(example.typed, changed, env.settings, env.messages, db);
        const bool digits = digitsOf(out) == example.e164;
        const bool area = bracketedAreaCode(out) == example.areaCode;
        digitsRight += digits ? 1 : 0;
        areaRight += area ? 1 : 0;
        if (!digits || !area)
            qInfo("%s: %s -> %s, area code %s", qPrintable(example.region), qPrintable(example.typed),
                  qPrintable(out), qPrintable(example.areaCode));
    }
    const double digitsShare = 100.0 * digitsRight / examples.size();
    const double areaShare = 100.0 * areaRight / examples.size();
    qInfo("%lld examples: digits kept %.1f %%, area code as the library's %.1f %%", qlonglong(examples.size()),
          digitsShare, areaShare);
    QCOMPARE(digitsRight, examples.size());
    QVERIFY2(areaShare >= 98.0, qPrintable(QString::number(areaShare)));
    QCOMPARE(env.box.shown.size(), 0);
}

QTEST_GUILESS_MAIN(TestTelNrStandardExamples)
#include "tst_telnrstandard_examples.moc"
