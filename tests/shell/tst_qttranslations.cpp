// Qt's own texts (the folder picker, the context menu of text boxes) are
// German once the program has loaded Qt's German catalogue, whatever the
// system's language.
#include "platform/ui/FolderPicker.h"
#include "platform/ui/HistoryTextBox.h"
#include "shell/QtTranslations.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace {

// A caption as a person reads it: without its mnemonic and shortcut.
QString readable(QString text)
{
    return text.section(u'\t', 0, 0).remove(u'&');
}

// Every text the dialog shows: labels, buttons and the entries of its lists.
QStringList textsOf(const QWidget *dialog)
{
    QStringList texts;
    for (const QLabel *label : dialog->findChildren<QLabel *>())
        texts << readable(label->text());
    for (const QAbstractButton *button : dialog->findChildren<QAbstractButton *>())
        texts << readable(button->text());
    for (const QComboBox *box : dialog->findChildren<QComboBox *>()) {
        for (int i = 0; i < box->count(); ++i)
            texts << box->itemText(i);
    }
    texts.removeAll(QString());
    return texts;
}

QStringList menuTexts(const QMenu *menu)
{
    QStringList texts;
    for (const QAction *action : menu->actions()) {
        if (!action->isSeparator())
            texts << readable(action->text());
    }
    return texts;
}

} // namespace

class TestQtTranslations : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void folderPickerSpeaksGerman();
    void textBoxMenuSpeaksGerman_data();
    void textBoxMenuSpeaksGerman();
};

void TestQtTranslations::initTestCase()
{
    if (!QFile::exists(kw::qtCatalogueFile()))
        QSKIP("Qt's German catalogue is not installed (Debian: qt6-translations-l10n)");
    QVERIFY(kw::installQtTranslations());
}

void TestQtTranslations::folderPickerSpeaksGerman()
{
    QStringList texts;
    // The picker is modal: read it once it is up, then cancel it as a person would.
    QTimer poll;
    poll.setInterval(10);
    connect(&poll, &QTimer::timeout, this, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        poll.stop();
        texts = textsOf(dialog);
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    poll.start();
    kw::ui::QtFolderPicker picker;
    QCOMPARE(picker.pickFolder(QStringLiteral("Ordner wählen"), nullptr), QString());

    for (const char *english : {"Look in:", "Directory:", "Files of type:", "Directories", "Choose", "Cancel"})
        QVERIFY2(!texts.contains(QLatin1String(english)), english);
    QVERIFY2(texts.contains(QStringLiteral("Abbrechen")), qPrintable(texts.join(" | ")));
    QVERIFY2(texts.contains(QStringLiteral("Verzeichnisse")), qPrintable(texts.join(" | ")));
}

void TestQtTranslations::textBoxMenuSpeaksGerman_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("one-line text box") << 0;
    QTest::newRow("text box with history list") << 1;
    QTest::newRow("text area") << 2;
}

void TestQtTranslations::textBoxMenuSpeaksGerman()
{
    QFETCH(int, kind);
    QLineEdit line;
    kw::ui::HistoryTextBox history;
    QPlainTextEdit area;
    std::unique_ptr<QMenu> menu; // the box may own it as well: goes first
    line.setText(QStringLiteral("Text"));
    history.setText(QStringLiteral("Text"));
    area.setPlainText(QStringLiteral("Text"));
    if (kind == 0)
        menu.reset(line.createStandardContextMenu());
    else if (kind == 1)
        menu.reset(history.lineEdit()->createStandardContextMenu());
    else
        menu.reset(area.createStandardContextMenu());

    const QStringList texts = menuTexts(menu.get());
    for (const char *english : {"Copy", "Select All", "Paste", "Undo"})
        QVERIFY2(!texts.contains(QLatin1String(english)), english);
    QVERIFY2(texts.contains(QStringLiteral("Kopieren")), qPrintable(texts.join(" | ")));
    QVERIFY2(texts.contains(QString::fromUtf8("Alles auswählen")), qPrintable(texts.join(" | ")));
}

QTEST_MAIN(TestQtTranslations)
#include "tst_qttranslations.moc"
