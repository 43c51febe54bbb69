#include "contacts/telephone/frmTelPruef.h"

#include "contacts/telephone/TelNrStandard.h"
#include "contacts/telephone/TelSettings.h"
#include "contacts/telephone/TelTables.h"
#include "platform/refdb/Database.h"
#include "platform/ui/HistoryTextBox.h"
#include "shell/AppPaths.h"
#include "shell/ErrorTrap.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

namespace kw::contacts::telephone {

void frmTelPruefUi::setupUi(QDialog *dialog)
{
    dialog->setObjectName(QStringLiteral("frmTelPruef"));
    auto *layout = new QVBoxLayout(dialog);
    lblInfo = new QLabel(dialog);
    lblInfo->setObjectName(QStringLiteral("lblInfo"));
    lblInfo->setWordWrap(true);
    lblTelNr = new QLabel(dialog);
    lblTelNr->setObjectName(QStringLiteral("lblTelNr"));
    txtTelNr = new ui::HistoryTextBox(dialog);
    txtTelNr->setObjectName(QStringLiteral("txtTelNr"));
    frmOut = new QGroupBox(dialog);
    frmOut->setObjectName(QStringLiteral("frmOut"));
    auto *outLayout = new QVBoxLayout(frmOut);
    lblAusgabe = new QLabel(frmOut);
    lblAusgabe->setObjectName(QStringLiteral("lblAusgabe"));
    lblAusgabe->setTextInteractionFlags(Qt::TextSelectableByMouse);
    outLayout->addWidget(lblAusgabe);
    layout->addWidget(lblInfo);
    layout->addWidget(lblTelNr);
    layout->addWidget(txtTelNr);
    layout->addWidget(frmOut);
}

TelTestResult telTestResult(const QString &input, const QString &formatted)
{
    const bool differs = trimBlanks(formatted) != trimBlanks(input);
    return {formatted, differs ? QColor(0, 170, 0) : QColor(0, 0, 0)};
}

frmTelPruef::frmTelPruef(Settings &settings, Messages &messages, refdb::Database &database,
                         const QString &programFolder, QWidget *parent)
    : QDialog(parent)
    , m_settings(settings)
    , m_messages(messages)
    , m_database(database)
    , m_programFolder(programFolder)
{
    m_ui.setupUi(this);
    connect(m_ui.txtTelNr, &QComboBox::editTextChanged, this, [this] { txtTelNr_Change(); });
    Form_Load();
}

void frmTelPruef::Form_Load()
{
    setWindowTitle(QStringLiteral("Telefonnummer testen"));
    m_ui.lblInfo->setText(QString::fromUtf8("Geben Sie eine beliebig formatierte Telefonnummer ein. Hiermit können "
                                            "Sie das Ergebnis der Tel.-Nr.-vereinheitlichen-Funktion testen."));
    m_ui.frmOut->setTitle(QStringLiteral("Ausgabe:"));
    m_ui.lblTelNr->setText(QStringLiteral("Telefonnummer"));
    m_ui.txtTelNr->setHistoryFile(AppPaths::historyFile(m_programFolder, QStringLiteral("Tel.dat")));
    m_ui.txtTelNr->setListTitle(QStringLiteral("Namen"));
}

void frmTelPruef::txtTelNr_Change()
{
    ShowTestResult();
}

// A missing or unreadable reference database is said once per opening, not
// at every keystroke; the output stays empty until it can be read.
bool frmTelPruef::databaseUsable()
{
    return m_databaseReport(m_messages, place::TelTestDialog, QString(), [this] {
        m_database.cached<TelTables>([](refdb::Connection &db) { return TelTables::read(db); });
    });
}

void frmTelPruef::ShowTestResult()
{
    trapErrors(m_messages, place::TelTestDialog, QString(), [this] {
        QString input = trimBlanks(m_ui.txtTelNr->text());
        if (!input.isEmpty() && !databaseUsable())
            input.clear();
        bool changed = false;
        const QString out = TelNrStandard::FormatTelNumber(input, changed, m_settings, m_messages, m_database);
        const TelTestResult result = telTestResult(input, out);
        m_ui.lblAusgabe->setText(result.text);
        QCoreApplication::processEvents();
        QPalette palette = m_ui.lblAusgabe->palette();
        palette.setColor(QPalette::WindowText, result.colour);
        palette.setColor(QPalette::Text, result.colour);
        m_ui.lblAusgabe->setPalette(palette);
        QCoreApplication::processEvents();
    });
}

} // namespace kw::contacts::telephone
