#include "contacts/names/frmNameCheck.h"

#include "contacts/names/NameCorrectionFunctions.h"
#include "platform/core/PlatformError.h"
#include "platform/ui/HistoryTextBox.h"
#include "platform/ui/WidgetBuild.h"
#include "shell/AppPaths.h"
#include "shell/GlobalFunctions.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

namespace kw::contacts::names {
namespace {

using ui::build::named;

// A part's label inside its frame. The frames stand one below the other, so
// each part has the dialog's whole width: a title such as "Frau Prof. Dr. med.
// Dipl.-Ing." is shown in full, and the dialog still fits 800 x 600.
QLabel *partLabel(QDialog *dialog, QGroupBox *&frame, const char *frameName, const char *labelName,
                  const QString &caption)
{
    frame = named(new QGroupBox(caption, dialog), frameName);
    auto *label = named(new QLabel(frame), labelName);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    (new QVBoxLayout(frame))->addWidget(label);
    return label;
}

QString labelText(QString part)
{
    return part.replace(QLatin1Char('&'), QLatin1String("&&"));
}

} // namespace

void frmNameCheckUi::setupUi(QDialog *dialog)
{
    dialog->setObjectName(QStringLiteral("frmNameCheck"));
    auto *layout = new QVBoxLayout(dialog);
    lblInfo = named(new QLabel(dialog), "lblInfo");
    lblInfo->setWordWrap(true);
    txtFullname = named(new ui::HistoryTextBox(dialog), "txtFullname");
    chkBusinessCheck = named(new QCheckBox(QStringLiteral("Firmennamen erkennen"), dialog), "chkBusinessCheck");
    lblTitle = partLabel(dialog, fraTitle, "fraTitle", "lblTitle", QStringLiteral("Anrede"));
    lblFirstname = partLabel(dialog, fraFirstname, "fraFirstname", "lblFirstname", QStringLiteral("Vorname"));
    lblMiddleName =
        partLabel(dialog, fraMiddleName, "fraMiddleName", "lblMiddleName", QStringLiteral("weitere Vornamen"));
    lblLastName = partLabel(dialog, fraLastName, "fraLastName", "lblLastName", QStringLiteral("Nachname"));
    lblSuffix = partLabel(dialog, fraSuffix, "fraSuffix", "lblSuffix", QStringLiteral("Namenzusatz"));
    lblDes = named(new QLabel(dialog), "lblDes");
    layout->addWidget(lblInfo);
    layout->addWidget(txtFullname);
    layout->addWidget(chkBusinessCheck);
    for (QGroupBox *frame : {fraTitle, fraFirstname, fraMiddleName, fraLastName, fraSuffix})
        layout->addWidget(frame);
    layout->addWidget(lblDes);
    layout->addStretch();
    dialog->resize(480, dialog->sizeHint().height());
    // A label reads "&&" as one "&" only while it has a buddy; the parts
    // come with every "&" doubled, so none becomes an access key.
    for (QLabel *label : {lblTitle, lblFirstname, lblMiddleName, lblLastName, lblSuffix})
        label->setBuddy(txtFullname);
}

NameCheckResult nameCheckResult(const QString &fullName, bool checkBusiness, NameWordSource &words,
                                Messages &messages)
{
    QString title, first, middle, last, suffix;
    bool isBusiness = false;
    ParseFullName(fullName, title, first, middle, last, suffix, isBusiness, checkBusiness, words, messages);
    NameCheckResult r{labelText(title), labelText(first), labelText(middle), labelText(last), labelText(suffix),
                      QString()};
    if (isBusiness)
        r.lblDes = QStringLiteral("Es wurde ein Firmenname erkannt!");
    return r;
}

frmNameCheck::frmNameCheck(NameWordSource &words, Messages &messages, const QString &programFolder,
                           QWidget *parent)
    : QDialog(parent), m_words(words), m_messages(messages), m_programFolder(programFolder)
{
    m_ui.setupUi(this);
    Form_Load();
    connect(m_ui.txtFullname, &QComboBox::editTextChanged, this, [this] { txtFullname_Change(); });
    connect(m_ui.chkBusinessCheck, &QCheckBox::toggled, this, [this] { chkBusinessCheck_Click(); });
}

void frmNameCheck::Form_Load()
{
    setWindowTitle(QStringLiteral("Namen testen"));
    m_ui.lblInfo->setText(QStringLiteral("Geben Sie einen vollständigen Namen ein.\n\n"
                                         "Hiermit können Sie testen wie die Namen korrigieren-Funktion arbeitet."));
    m_ui.txtFullname->setHistoryFile(AppPaths::historyFile(m_programFolder, QStringLiteral("Fullname.dat")));
    m_ui.txtFullname->setListTitle(QStringLiteral("Namen"));
}

void frmNameCheck::txtFullname_Change()
{
    ShowNameCheckResult();
}

void frmNameCheck::chkBusinessCheck_Click()
{
    ShowNameCheckResult();
}

// The tables are taken here, not inside the parser, so that an unusable
// reference database is said once per opening instead of at every key.
void frmNameCheck::ShowNameCheckResult()
{
    std::shared_ptr<const NameWordTables> tables;
    m_tablesReport(m_messages, place::ParseFullName, QString(), [&] {
        tables = m_words.acquire();
        if (!tables)
            throw PlatformError(errors::kDatabase, QString::fromUtf8("Die Namenstabellen sind nicht verfügbar."));
    });
    NameCheckResult r;
    if (tables) {
        FixedNameWordSource words(tables);
        r = nameCheckResult(m_ui.txtFullname->text(), m_ui.chkBusinessCheck->isChecked(), words, m_messages);
    }
    m_ui.lblTitle->setText(r.lblTitle);
    m_ui.lblFirstname->setText(r.lblFirstname);
    m_ui.lblMiddleName->setText(r.lblMiddleName);
    m_ui.lblLastName->setText(r.lblLastName);
    m_ui.lblSuffix->setText(r.lblSuffix);
    m_ui.lblDes->setText(r.lblDes);
}

} // namespace kw::contacts::names
