// The table editor's grids driven by keys and mouse clicks as a person uses
// them, offscreen over the frozen telephone tables; what the tables hold
// afterwards is read from the database file.
#include "contacts/ContactRunWorld.h"

#include "contacts/telephone/TelTableModel.h"
#include "contacts/telephone/frmTelDB.h"
#include "platform/refdb/Connection.h"

#include <QApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTableView>
#include <QSet>
#include <QtTest>

using namespace kw;
using namespace kw::contacts::telephone;

namespace {

const QString kRefused = QString::fromUtf8(
    "Fehler beim Hinzufügen der neuen Datenzeile, prüfen Sie ob die Daten bereits vorhanden sind.");
const QString kAreas = QStringLiteral("T_CountryAndAreaCodes");
const QString kCountries = QStringLiteral("T_CountryCodes");

// Every row of a table as "value|value|...", NULL written as NULL.
QSet<QString> tableRows(const QString &path, const QString &table)
{
    refdb::Connection db = refdb::Connection::Open(path);
    refdb::Recordset rs = db.OpenRecordset(QStringLiteral("SELECT * FROM ") + table);
    QSet<QString> rows;
    for (; !rs.Eof(); rs.MoveNext()) {
        QStringList values;
        for (int i = 0; i < rs.FieldCount(); ++i)
            values << (rs.Fields(i).isNull() ? QStringLiteral("NULL") : rs.Fields(i).text());
        rows.insert(values.join(QLatin1Char('|')));
    }
    return rows;
}

QStringList sorted(const QSet<QString> &set)
{
    QStringList list(set.begin(), set.end());
    list.sort();
    return list;
}

// The editor on screen with one of its grids, worked as a person works it.
class Person
{
public:
    Person(frmTelDB &dialog, int grid) : m_dialog(dialog)
    {
        m_grid = grid == 1 ? dialog.controls().GridCountryArea : dialog.controls().GridNDDP;
        m_new = grid == 1 ? dialog.controls().cmdNew1 : dialog.controls().cmdNew2;
        open();
    }

    void open()
    {
        m_dialog.show();
        QApplication::setActiveWindow(&m_dialog);
        m_grid->setFocus();
        settle();
    }

    QTableView *grid() const { return m_grid; }

    // Sends one key to whatever has the focus, as the keyboard does.
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(target(), key, modifiers);
        settle();
    }
    // Key by key: the first one opens an editor, which takes the rest.
    void type(const QString &text)
    {
        for (const QChar c : text) {
            QTest::keyClicks(target(), QString(c));
            settle();
        }
    }
    void click(QWidget *button)
    {
        QTest::mouseClick(button, Qt::LeftButton);
        settle();
    }
    void clickNew() { click(m_new); }
    void clickOK() { click(m_dialog.controls().cmdOK); }
    // A click into a cell of the grid; a row past the end means the last one.
    void clickCell(int row, int column)
    {
        QAbstractItemModel *model = m_grid->model();
        const QModelIndex cell = model->index(std::min(row, model->rowCount() - 1), column % model->columnCount());
        m_grid->scrollTo(cell);
        const QPoint at = m_grid->visualRect(cell).center();
        QTest::mouseClick(m_grid->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        settle();
    }

    // Runs a script: "new", "ok", "tab", "backtab", "enter", "esc", "del", "f2", "backspace",
    // "click:row,column" (row "end" for the last one), "!n" (n messages
    // shown so far), anything else is typed.
    void run(const QString &script, const ui::ScriptedMessageBox &box)
    {
        for (const QString &step : script.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (step == QLatin1String("new"))
                clickNew();
            else if (step == QLatin1String("ok"))
                clickOK();
            else if (step == QLatin1String("tab"))
                key(Qt::Key_Tab);
            else if (step == QLatin1String("backtab"))
                key(Qt::Key_Backtab, Qt::ShiftModifier);
            else if (step == QLatin1String("enter"))
                key(Qt::Key_Return);
            else if (step == QLatin1String("esc"))
                key(Qt::Key_Escape);
            else if (step == QLatin1String("del"))
                key(Qt::Key_Delete);
            else if (step == QLatin1String("f2"))
                key(Qt::Key_F2);
            else if (step == QLatin1String("backspace"))
                key(Qt::Key_Backspace);
            else if (step.startsWith(QLatin1String("click:"))) {
                const QStringList at = step.mid(6).split(QLatin1Char(','));
                clickCell(at[0] == QLatin1String("end") ? INT_MAX : at[0].toInt(), at[1].toInt());
            } else if (step.startsWith(QLatin1Char('!'))) {
                QVERIFY2(box.shown.size() == step.mid(1).toInt(), qPrintable(QStringLiteral("at ") + step));
            } else
                type(step);
            if (!m_dialog.isVisible())
                open();
        }
    }

private:
    QWidget *target() const
    {
        QWidget *focus = QApplication::focusWidget();
        return focus && m_dialog.isAncestorOf(focus) ? focus : static_cast<QWidget *>(m_grid);
    }

    // Lets queued commits run and closed editors go, as the event loop does between two keys.
    static void settle()
    {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    frmTelDB &m_dialog;
    QTableView *m_grid;
    QPushButton *m_new;
};

} // namespace

class TestFrmTelDB : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keysAndClicks_data();
    void keysAndClicks();
    void randomWalkStoresOnlyFinishedRows_data();
    void randomWalkStoresOnlyFinishedRows();
    void shippedTablesOpenReadableAndSorted();
};

void TestFrmTelDB::keysAndClicks_data()
{
    QTest::addColumn<int>("grid"); // 1: area codes, 2: country codes
    QTest::addColumn<QString>("script");
    QTest::addColumn<QStringList>("added");
    QTest::addColumn<int>("refusals");

    const QStringList none;
    // Sequences that ended the program.
    QTest::newRow("Neu twice") << 1 << "new new" << none << 0;
    QTest::newRow("Neu then Escape") << 1 << "new esc" << none << 0;
    QTest::newRow("Neu, 49, Escape") << 1 << "new 49 esc" << none << 0;
    QTest::newRow("existing row with Enter, then Neu") << 1 << "new 49 tab 711 enter !1 new !1 ok" << none << 1;
    // Half-typed rows that were stored.
    QTest::newRow("area code typed, then Escape") << 1 << "new 49 tab 40 esc ok" << none << 0;
    QTest::newRow("area code reaches the new row") << 1 << "new 49 tab 712 ok" << QStringList{"49|712|NULL"} << 0;
    QTest::newRow("existing row with OK") << 1 << "new 49 tab 711 ok !1" << none << 1;
    QTest::newRow("country code only, left by a click") << 1 << "new 49 click:0,0 !1 ok" << none << 1;
    QTest::newRow("country code only, OK") << 1 << "new 49 ok" << none << 1;
    QTest::newRow("no whole-country row typed for a known country")
        << 1 << "new 423 tab tab Vaduz enter !0 ok !1" << none << 1;
    QTest::newRow("no whole-country row typed for a new country") << 1 << "new 999 ok" << none << 1;
    QTest::newRow("place without codes") << 1 << "new tab tab Nirgendwo ok" << none << 1;
    // Rows finished in the ways a person finishes them.
    QTest::newRow("finished with Enter") << 1 << "new 49 tab 40 enter !0 ok" << QStringList{"49|40|NULL"} << 0;
    QTest::newRow("all three cells") << 1 << "new 49 tab 40 tab Hamburg enter" << QStringList{"49|40|Hamburg"} << 0;
    QTest::newRow("Enter goes on to the area code") << 1 << "new 49 enter 40 enter" << QStringList{"49|40|NULL"} << 0;
    QTest::newRow("left by a click on a stored row") << 1 << "new 49 tab 40 click:3,1 !0" << QStringList{"49|40|NULL"} << 0;
    QTest::newRow("Tab goes round the row") << 1 << "new 49 tab 40 tab tab 41 enter" << QStringList{"41|40|NULL"} << 0;
    QTest::newRow("Shift+Tab goes back") << 1 << "new 49 tab 40 backtab 43 enter" << QStringList{"43|40|NULL"} << 0;
    QTest::newRow("finished row, then Neu") << 1 << "new 49 tab 40 new 49 tab 41 enter"
                                            << QStringList{"49|40|NULL", "49|41|NULL"} << 0;
    QTest::newRow("stored once, Escape then closes") << 1 << "new 49 tab 40 enter esc" << QStringList{"49|40|NULL"} << 0;
    QTest::newRow("click in the row, then Escape") << 1 << "new 49 tab 40 click:end,2 esc ok" << none << 0;
    QTest::newRow("Delete on the new row drops it unasked") << 1 << "new 49 tab 40 click:end,2 del !0 ok" << none << 0;
    QTest::newRow("edit of a stored row into an existing one") << 1 << "click:12,1 89 enter !1" << none << 1;
    QTest::newRow("area code of a stored row emptied") << 1 << "click:12,1 f2 backspace enter !1 ok" << none << 1;
    // The country table needs only its code.
    QTest::newRow("countries: Neu twice") << 2 << "new new ok" << none << 0;
    QTest::newRow("countries: code, Escape") << 2 << "new 998 esc ok" << none << 0;
    QTest::newRow("countries: code only") << 2 << "new 998 ok" << QStringList{"998|NULL|NULL|NULL"} << 0;
    QTest::newRow("countries: all cells") << 2 << "new 998 tab 0 tab Testland tab TL enter"
                                          << QStringList{"998|0|Testland|TL"} << 0;
    QTest::newRow("countries: existing code") << 2 << "new 49 tab 0 enter !1 ok" << none << 1;
    QTest::newRow("countries: prefix without code") << 2 << "new tab 0 ok" << none << 1;
}

void TestFrmTelDB::keysAndClicks()
{
    QFETCH(int, grid);
    QFETCH(QString, script);
    QFETCH(QStringList, added);
    QFETCH(int, refusals);
    test::ContactWorld w;
    const QString table = grid == 1 ? kAreas : kCountries;
    const QSet<QString> before = tableRows(w.databasePath(), table);
    {
        frmTelDB dialog(w.env.messages, w.database, w.help);
        Person person(dialog, grid);
        person.run(script, w.env.box);
        if (QTest::currentTestFailed())
            return;
        dialog.close();
    }
    const QSet<QString> after = tableRows(w.databasePath(), table);
    QCOMPARE(sorted(after - before), added);
    QCOMPARE(sorted(before - after), QStringList());
    QCOMPARE(w.env.box.prompts(), QStringList(refusals, kRefused));
}

void TestFrmTelDB::randomWalkStoresOnlyFinishedRows_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("steps");
    const int steps = qEnvironmentVariableIntValue("KW_WALK_STEPS");
    for (quint32 seed : {1u, 2u})
        QTest::addRow("seed %u", seed) << seed << (steps > 0 ? steps : 1500);
}

// A seeded walk over both grids: "Neu", digits and letters, Tab, Enter,
// Escape, Delete (answered No), clicks into cells, OK. Afterwards no stored
// row was removed, every new row has its key columns, the grids show what
// the tables hold, and the only message besides the delete question is the
// add-row message.
void TestFrmTelDB::randomWalkStoresOnlyFinishedRows()
{
    QFETCH(quint32, seed);
    QFETCH(int, steps);
    test::ContactWorld w;
    const QSet<QString> areasBefore = tableRows(w.databasePath(), kAreas);
    const QSet<QString> countriesBefore = tableRows(w.databasePath(), kCountries);
    QRandomGenerator random(seed);
    {
        frmTelDB dialog(w.env.messages, w.database, w.help);
        Person people[] = {Person(dialog, 1), Person(dialog, 2)};
        const QStringList texts = {"4", "9", "49", "0", "711", "1", "23", "x", "Ort", " "};
        for (int step = 0; step < steps; ++step) {
            Person &person = people[random.bounded(2)];
            switch (random.bounded(12)) {
            case 0: person.clickNew(); break;
            case 1: case 2: case 3: person.type(texts[random.bounded(texts.size())]); break;
            case 4: case 5: person.key(Qt::Key_Tab); break;
            case 6: person.key(Qt::Key_Return); break;
            case 7: person.key(Qt::Key_Escape); break;
            case 8:
                w.env.box.answers.clear();
                w.env.box.answerWith(ui::answer::No);
                person.key(Qt::Key_Delete);
                break;
            case 9: person.clickCell(random.bounded(4) == 0 ? INT_MAX : random.bounded(12), random.bounded(4)); break;
            case 10: person.key(random.bounded(2) ? Qt::Key_Backspace : Qt::Key_F2); break;
            default:
                if (random.bounded(20) == 0)
                    person.clickOK();
                else
                    person.key(random.bounded(2) ? Qt::Key_Down : Qt::Key_Up);
            }
            if (!dialog.isVisible())
                person.open();
        }
        dialog.close();
        for (TelTableModel *model : {dialog.countryAreaModel(), dialog.nddpModel()}) {
            QSet<QString> shown;
            for (int r = 0; r < model->rowCount(); ++r) {
                QStringList values;
                for (int c = 0; c < model->columnCount(); ++c) {
                    const QVariant v = model->index(r, c).data();
                    values << (v.isNull() ? QStringLiteral("NULL") : v.toString());
                }
                shown.insert(values.join(QLatin1Char('|')));
            }
            QCOMPARE(shown, tableRows(w.databasePath(), model == dialog.nddpModel() ? kCountries : kAreas));
        }
    }
    const QSet<QString> areasAfter = tableRows(w.databasePath(), kAreas);
    const QSet<QString> countriesAfter = tableRows(w.databasePath(), kCountries);
    // Stored rows may be edited by the walk's typing, but every row has its
    // country code, and no row without area code came to stand beside area
    // codes the table had before (it would swallow them).
    QSet<QString> countriesWithAreas;
    for (const QString &row : areasAfter & areasBefore) {
        if (row.section(QLatin1Char('|'), 1, 1) != QLatin1String("NULL"))
            countriesWithAreas.insert(row.section(QLatin1Char('|'), 0, 0));
    }
    for (const QString &row : areasAfter - areasBefore) {
        const QStringList v = row.split(QLatin1Char('|'));
        QVERIFY2(v[0] != QLatin1String("NULL"), qPrintable(row));
        QVERIFY2(v[1] != QLatin1String("NULL") || !countriesWithAreas.contains(v[0]), qPrintable(row));
    }
    for (const QString &row : countriesAfter - countriesBefore)
        QVERIFY2(!row.startsWith(QLatin1String("NULL|")), qPrintable(row));
    const QSet<QString> allowed = {kRefused, QString::fromUtf8("Möchten Sie den Datensatz löschen?")};
    const QStringList prompts = w.env.box.prompts();
    QVERIFY(QSet<QString>(prompts.begin(), prompts.end()).subtract(allowed).isEmpty());
    QVERIFY(areasAfter.size() >= areasBefore.size());
    QVERIFY(countriesAfter.size() >= countriesBefore.size());
}

// The program folder's own copy of the shipped tables (tens of thousands of
// area rows): every row in order, German headers in full, the window within 800x600, a new row at the
// end and in view.
void TestFrmTelDB::shippedTablesOpenReadableAndSorted()
{
    test::ContactWorld w;
    QFile::remove(w.databasePath());
    QVERIFY(QFile::copy(QStringLiteral(KW_DATA_DIR "/KontorwerkPub.db"), w.databasePath()));
    QFile::setPermissions(w.databasePath(), QFile::ReadOwner | QFile::WriteOwner);
    frmTelDB dialog(w.env.messages, w.database, w.help);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QVERIFY(dialog.width() <= 800 && dialog.height() <= 600);
    QCOMPARE(w.env.box.shown.size(), 0);

    TelTableModel *areas = dialog.countryAreaModel();
    const int shippedRows = int(tableRows(w.databasePath(), kAreas).size());
    QVERIFY(shippedRows > 10000);
    QCOMPARE(areas->rowCount(), shippedRows);
    for (int r = 1; r < areas->rowCount(); ++r) {
        const int c0 = areas->index(r - 1, 0).data().toInt();
        const int c1 = areas->index(r, 0).data().toInt();
        const QString a0 = areas->index(r - 1, 1).data().toString();
        const QString a1 = areas->index(r, 1).data().toString();
        QVERIFY2(c0 < c1 || (c0 == c1 && a0 < a1), qPrintable(QStringLiteral("row %1").arg(r)));
    }

    const QList<QPair<QTableView *, QStringList>> headers = {
        {dialog.controls().GridCountryArea, {"Ländervorwahl", "Ortsvorwahl", "Ort"}},
        {dialog.controls().GridNDDP, {"Ländervorwahl", "Nationales Präfix", "Land", "ISO"}}};
    for (const auto &[grid, names] : headers) {
        QHeaderView *header = grid->horizontalHeader();
        QCOMPARE(header->count(), names.size());
        for (int s = 0; s < names.size(); ++s) {
            QCOMPARE(grid->model()->headerData(s, Qt::Horizontal).toString(), names[s]);
            QVERIFY2(header->sectionSize(s) > header->fontMetrics().horizontalAdvance(names[s]), qPrintable(names[s]));
        }
        // Every header is in view without scrolling sideways.
        QVERIFY(header->sectionViewportPosition(names.size() - 1) + header->sectionSize(names.size() - 1)
                <= grid->viewport()->width() + 1);
    }

    QTest::mouseClick(dialog.controls().cmdNew1, Qt::LeftButton);
    const QModelIndex newCell = areas->index(areas->newRow(), 0);
    QCOMPARE(newCell.row(), shippedRows);
    QVERIFY(dialog.controls().GridCountryArea->viewport()->rect().contains(
        dialog.controls().GridCountryArea->visualRect(newCell)));
    if (qEnvironmentVariableIsSet("KW_GRAB")) // to look at the window
        dialog.grab().save(qEnvironmentVariable("KW_GRAB"));
}

QTEST_MAIN(TestFrmTelDB)
#include "tst_frmteldb.moc"
