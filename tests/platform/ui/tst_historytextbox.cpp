#include "platform/ui/HistoryList.h"
#include "platform/ui/HistoryTextBox.h"

#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>
#include <unistd.h>

using kw::ui::HistoryList;
using kw::ui::HistoryTextBox;

class TestHistoryTextBox : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void entriesAfterAdding_data();
    void entriesAfterAdding();
    void unusableFileLosesOnlyTheHistory_data();
    void unusableFileLosesOnlyTheHistory();
    void enterRecordsExactlyWhatWasTyped_data();
    void enterRecordsExactlyWhatWasTyped();
};

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unlesbar>");
}

void writeFile(const QString &path, const QByteArray &content)
{
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
}

QByteArray lines(const QStringList &entries)
{
    QByteArray out;
    for (const QString &e : entries)
        out += e.toUtf8() + '\n';
    return out;
}

QStringList numbered(int from, int to)
{
    QStringList out;
    for (int i = from; i <= to; ++i)
        out << QStringLiteral("Eintrag %1").arg(i);
    return out;
}

} // namespace

void TestHistoryTextBox::entriesAfterAdding_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("added");
    QTest::addColumn<QStringList>("expected");

    const QByteArray none; // no file yet, nor its Preferences folder
    QTest::newRow("most recent first") << none << QStringList{"a", "b", "c"} << QStringList{"c", "b", "a"};
    QTest::newRow("re-entering moves to the top")
        << lines({"a", "b", "c"}) << QStringList{"c"} << QStringList{"c", "a", "b"};
    QTest::newRow("top entry again changes nothing") << lines({"a", "b"}) << QStringList{"a"} << QStringList{"a", "b"};
    QTest::newRow("comparison is exact")
        << lines({"Max"}) << QStringList{"max", "Max "} << QStringList{"Max ", "max", "Max"};
    QTest::newRow("at most 25: the oldest goes")
        << lines(numbered(1, 25)) << QStringList{"neu"} << (QStringList{"neu"} + numbered(1, 24));
    QTest::newRow("file longer than 25 lines") << lines(numbered(1, 40)) << QStringList{} << numbered(1, 25);
    QTest::newRow("blank text is no entry") << lines({"a"}) << QStringList{"", "   "} << QStringList{"a"};
    QTest::newRow("line break becomes a blank")
        << none << QStringList{"Zeile 1\nZeile 2", "a\r\nb"} << QStringList{"a b", "Zeile 1 Zeile 2"};
    QTest::newRow("umlauts survive the file")
        << lines({"Grüße"}) << QStringList{"Müller-Lüdenscheidt"} << QStringList{"Müller-Lüdenscheidt", "Grüße"};
    QTest::newRow("file with CRLF, blank lines and duplicates")
        << QByteArray("a\r\n\r\nb\r\na\r\nc") << QStringList{} << QStringList{"a", "b", "c"};
}

void TestHistoryTextBox::entriesAfterAdding()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, added);
    QFETCH(QStringList, expected);
    QTemporaryDir dir;
    const QString path = dir.filePath("home/Preferences/Tel.dat");
    if (!file.isNull())
        writeFile(path, file);

    HistoryList list(path);
    QVERIFY(list.load());
    for (const QString &text : added)
        list.add(text);
    QCOMPARE(list.entries(), expected);
    QVERIFY(list.save());

    QCOMPARE(readAll(path), lines(expected));
    HistoryList again(path);
    QVERIFY(again.load());
    QCOMPARE(again.entries(), expected);
}

void TestHistoryTextBox::unusableFileLosesOnlyTheHistory_data()
{
    QTest::addColumn<QString>("obstacle");
    QTest::addColumn<bool>("needsModes");
    QTest::addColumn<int>("loaded");
    QTest::addColumn<bool>("writable");

    QTest::newRow("folder at the file's path") << "folder at file" << false << 0 << false;
    QTest::newRow("Preferences is a file") << "file at folder" << false << 0 << false;
    QTest::newRow("program folder is a file") << "file at program folder" << false << 0 << false;
    QTest::newRow("write-only file: replaced on the first entry") << "unreadable file" << true << 0 << true;
    QTest::newRow("read-only Preferences folder") << "read-only folder" << true << 1 << false;
}

void TestHistoryTextBox::unusableFileLosesOnlyTheHistory()
{
    QFETCH(QString, obstacle);
    QFETCH(bool, needsModes);
    QFETCH(int, loaded);
    QFETCH(bool, writable);
    if (needsModes && ::geteuid() == 0)
        QSKIP("root ignores file modes");
    QTemporaryDir dir;
    const QString folder = dir.filePath("home/Preferences");
    const QString path = folder + "/Tel.dat";
    if (obstacle == "folder at file")
        QVERIFY(QDir().mkpath(path));
    else if (obstacle == "file at folder")
        writeFile(folder, "");
    else if (obstacle == "file at program folder")
        writeFile(dir.filePath("home"), "");
    else
        writeFile(path, "alt\n");
    const QByteArray before = readAll(path);
    const auto lock = [&](bool on) {
        if (obstacle == "unreadable file")
            ::chmod(QFile::encodeName(path).constData(), on ? 0200 : 0600);
        if (obstacle == "read-only folder")
            ::chmod(QFile::encodeName(folder).constData(), on ? 0500 : 0700);
    };
    lock(true);

    HistoryTextBox box;
    box.setText("neu");
    box.setHistoryFile(path);
    QCOMPARE(box.count(), loaded);
    lock(false);
    QCOMPARE(readAll(path), before); // reading alone writes nothing
    lock(true);

    box.addCurrentToHistory();
    QCOMPARE(box.text(), QStringLiteral("neu"));
    QCOMPARE(box.itemText(0), QStringLiteral("neu"));
    lock(false);
    QCOMPARE(readAll(path), writable ? QByteArray("neu\n") : before);
}

void TestHistoryTextBox::enterRecordsExactlyWhatWasTyped_data()
{
    QTest::addColumn<QStringList>("history");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("new text goes on top") << QStringList{"a", "b"} << "c" << QStringList{"c", "a", "b"};
    QTest::newRow("known text moves up") << QStringList{"a", "b"} << "b" << QStringList{"b", "a"};
    QTest::newRow("start of an entry stays as typed") << QStringList{"Max"} << "Ma" << QStringList{"Ma", "Max"};
    QTest::newRow("other case stays as typed") << QStringList{"Max"} << "max" << QStringList{"max", "Max"};
}

void TestHistoryTextBox::enterRecordsExactlyWhatWasTyped()
{
    QFETCH(QStringList, history);
    QFETCH(QString, typed);
    QFETCH(QStringList, expected);
    QTemporaryDir dir;
    const QString path = dir.filePath("Preferences/Fullname.dat");
    writeFile(path, lines(history));
    HistoryTextBox box;
    box.setHistoryFile(path);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));

    QTest::keyClicks(box.lineEdit(), typed);
    QTest::keyClick(box.lineEdit(), Qt::Key_Return);

    QCOMPARE(box.text(), typed);
    QStringList items;
    for (int i = 0; i < box.count(); ++i)
        items << box.itemText(i);
    QCOMPARE(items, expected);
    QCOMPARE(readAll(path), lines(expected));
}

QTEST_MAIN(TestHistoryTextBox)
#include "tst_historytextbox.moc"
