#include "contacts/telephone/frmVorwahlen.h"

#include "contacts/telephone/TelSettingsCheck.h"
#include "platform/refdb/Database.h"
#include "platform/ui/HelpViewer.h"
#include "platform/ui/HistoryTextBox.h"
#include "shell/AppPaths.h"
#include "shell/ErrorTrap.h"
#include "shell/GlobalFunctions.h"
#include "shell/RegistryFunctions.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kw::contacts::telephone {
namespace {

ui::HistoryTextBox *combo(QWidget *parent, const QString &name)
{
    auto *box = new ui::HistoryTextBox(parent);
    box->setObjectName(name);
    box->setMinimumContentsLength(4);
    return box;
}

QLabel *label(QWidget *parent, const char *name)
{
    auto *l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    return l;
}

QGroupBox *frame(QWidget *parent, const char *name)
{
    auto *f = new QGroupBox(parent);
    f->setObjectName(QLatin1String(name));
    return f;
}

// A frame of block lengths: a row of captions and a row of combos.
QGroupBox *blockFrame(QDialog *dialog, const char *name, QList<QPair<QLabel *, QList<ui::HistoryTextBox *>>> columns)
{
    QGroupBox *box = frame(dialog, name);
    box->setCheckable(true);
    auto *grid = new QGridLayout(box);
    int column = 0;
    for (const auto &[caption, boxes] : columns) {
        caption->setParent(box);
        grid->addWidget(caption, 0, column, 1, int(boxes.size()));
        for (ui::HistoryTextBox *b : boxes) {
            b->setParent(box);
            grid->addWidget(b, 1, column++);
        }
    }
    return box;
}

QGroupBox *exampleFrame(QDialog *dialog, const char *name, QLabel *&example, const char *labelName)
{
    QGroupBox *box = frame(dialog, name);
    example = label(box, labelName);
    (new QVBoxLayout(box))->addWidget(example);
    return box;
}

} // namespace

void frmVorwahlenUi::setupUi(QDialog *dialog)
{
    dialog->setObjectName(QStringLiteral("frmVorwahlen"));
    auto *layout = new QVBoxLayout(dialog);

    lblAreaCodeAv = label(dialog, "lblAreaCodeAv");
    auto *withArea = new QHBoxLayout;
    lblPrefixCountryCode = label(dialog, "lblPrefixCountryCode");
    lblCountryCode = label(dialog, "lblCountryCode");
    lblAreaCode = label(dialog, "lblAreaCode");
    lblSubscriberNumber = label(dialog, "lblSubscriberNumber");
    lblDIDN = label(dialog, "lblDIDN");
    cmbIDDPOut = combo(dialog, QStringLiteral("cmbIDDPOut"));
    cmbVorwahlTrennOut1 = combo(dialog, QStringLiteral("cmbVorwahlTrennOut1"));
    cmbVorwahlTrennOut2 = combo(dialog, QStringLiteral("cmbVorwahlTrennOut2"));
    cmbDurchwahlTrennOut = combo(dialog, QStringLiteral("cmbDurchwahlTrennOut"));
    // The prefix on a line of its own, then the number as it is written:
    // each separator box between the parts it separates. One line for all
    // was wider than a small screen.
    auto *prefix = new QHBoxLayout;
    prefix->addWidget(lblPrefixCountryCode);
    prefix->addWidget(cmbIDDPOut);
    prefix->addStretch();
    const QList<QWidget *> number = {lblCountryCode,      cmbVorwahlTrennOut1,  lblAreaCode, cmbVorwahlTrennOut2,
                                     lblSubscriberNumber, cmbDurchwahlTrennOut, lblDIDN};
    for (QWidget *part : number)
        withArea->addWidget(part);
    withArea->addStretch();

    for (int i = 0; i < 2; ++i)
        cmbBlockA[i] = combo(dialog, QStringLiteral("cmbBlockA%1").arg(i + 1));
    for (int i = 0; i < 5; ++i) {
        cmbBlockS[i] = combo(dialog, QStringLiteral("cmbBlockS%1").arg(i + 1));
        cmbBlockT[i] = combo(dialog, QStringLiteral("cmbBlockT%1").arg(i + 1));
    }
    cmbBlockTrennAreaPres = combo(dialog, QStringLiteral("cmbBlockTrennAreaPres"));
    cmbBlockTrennAreaNo = combo(dialog, QStringLiteral("cmbBlockTrennAreaNo"));
    lblBlocklaenge = label(dialog, "lblBlocklaenge");
    lblAreaCode2 = label(dialog, "lblAreaCode2");
    lblSubscriberNumber2 = label(dialog, "lblSubscriberNumber2");
    lblTrennzeichen = label(dialog, "lblTrennzeichen");
    frmNumberBlocksAreaPres = blockFrame(dialog, "frmNumberBlocksAreaPres",
                                         {{lblAreaCode2, {cmbBlockA[0], cmbBlockA[1]}},
                                          {lblSubscriberNumber2, {cmbBlockS[0], cmbBlockS[1], cmbBlockS[2], cmbBlockS[3], cmbBlockS[4]}},
                                          {lblTrennzeichen, {cmbBlockTrennAreaPres}}});
    static_cast<QGridLayout *>(frmNumberBlocksAreaPres->layout())->addWidget(lblBlocklaenge, 2, 0, 1, 8);
    frExample = exampleFrame(dialog, "frExample", lblTel, "lblTel");

    lblAreaCodeNAv = label(dialog, "lblAreaCodeNAv");
    lblTelephoneNumber = label(dialog, "lblTelephoneNumber");
    cmbVorwahlTrennOutSingle = combo(dialog, QStringLiteral("cmbVorwahlTrennOutSingle"));
    lblTelephoneNumber2 = label(dialog, "lblTelephoneNumber2");
    auto *withoutArea = new QHBoxLayout;
    withoutArea->addWidget(cmbVorwahlTrennOutSingle);
    withoutArea->addWidget(lblTelephoneNumber);
    withoutArea->addStretch();
    lblBlocklaenge2 = label(dialog, "lblBlocklaenge2");
    lblTrennzeichen2 = label(dialog, "lblTrennzeichen2");
    frmNumberBlocksAreaNo = blockFrame(dialog, "frmNumberBlocksAreaNo",
                                       {{lblTelephoneNumber2, {cmbBlockT[0], cmbBlockT[1], cmbBlockT[2], cmbBlockT[3], cmbBlockT[4]}},
                                        {lblTrennzeichen2, {cmbBlockTrennAreaNo}}});
    static_cast<QGridLayout *>(frmNumberBlocksAreaNo->layout())->addWidget(lblBlocklaenge2, 2, 0, 1, 6);
    frExample2 = exampleFrame(dialog, "frExample2", lblTelo, "lblTelo");

    cmdHelp = new QPushButton(dialog);
    cmdHelp->setObjectName(QStringLiteral("cmdHelp"));
    cmdOK = new QPushButton(dialog);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdCancel = new QPushButton(dialog);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdHelp);
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);

    layout->addWidget(lblAreaCodeAv);
    layout->addLayout(prefix);
    layout->addLayout(withArea);
    layout->addWidget(frmNumberBlocksAreaPres);
    layout->addWidget(frExample);
    layout->addWidget(lblAreaCodeNAv);
    layout->addLayout(withoutArea);
    layout->addWidget(frmNumberBlocksAreaNo);
    layout->addWidget(frExample2);
    layout->addLayout(buttons);
}

QList<ui::HistoryTextBox *> frmVorwahlenUi::combos() const
{
    return {cmbIDDPOut,   cmbVorwahlTrennOut1, cmbVorwahlTrennOut2, cmbDurchwahlTrennOut, cmbVorwahlTrennOutSingle,
            cmbBlockA[0], cmbBlockA[1],        cmbBlockS[0],        cmbBlockS[1],         cmbBlockS[2],
            cmbBlockS[3], cmbBlockS[4],        cmbBlockTrennAreaPres, cmbBlockT[0],       cmbBlockT[1],
            cmbBlockT[2], cmbBlockT[3],        cmbBlockT[4],        cmbBlockTrennAreaNo};
}

QList<QPair<ui::HistoryTextBox *, QString>> frmVorwahlenUi::separatorHistories() const
{
    return {{cmbIDDPOut, QStringLiteral("IDDPOut.dat")},
            {cmbVorwahlTrennOut1, QStringLiteral("HyphenOut1.dat")},
            {cmbVorwahlTrennOut2, QStringLiteral("HyphenOut2.dat")},
            {cmbDurchwahlTrennOut, QStringLiteral("HyphenOut.dat")},
            {cmbBlockTrennAreaPres, QStringLiteral("BlockAreaPres.dat")},
            {cmbBlockTrennAreaNo, QStringLiteral("BlockAreaNo.dat")},
            {cmbVorwahlTrennOutSingle, QStringLiteral("HyphenOutSgl.dat")}};
}

frmVorwahlen::frmVorwahlen(Settings &settings, Messages &messages, refdb::Database &database,
                           const QString &programFolder, ui::HelpViewer &help, SettingTexts opener, QWidget *parent)
    : QDialog(parent)
    , m_settings(settings)
    , m_messages(messages)
    , m_database(database)
    , m_programFolder(programFolder)
    , m_help(help)
    , m_opener(std::move(opener))
{
    m_ui.setupUi(this);
    for (ui::HistoryTextBox *box : m_ui.combos())
        connect(box, &QComboBox::editTextChanged, this, [this] { UpdateExamples(); });
    // A checkable frame switches its combos on and off with its tick.
    for (QGroupBox *box : {m_ui.frmNumberBlocksAreaPres, m_ui.frmNumberBlocksAreaNo})
        connect(box, &QGroupBox::toggled, this, [this] { UpdateExamples(); });
    connect(m_ui.cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(m_ui.cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    connect(m_ui.cmdHelp, &QPushButton::clicked, this, [this] { cmdHelp_Click(); });
    Form_Load();
}

void frmVorwahlen::setCaptions()
{
    setWindowTitle(QStringLiteral("Telefonnummer Optionen"));
    const QList<QPair<QLabel *, const char *>> captions = {
        {m_ui.lblAreaCode, "Ortvorwahl"}, {m_ui.lblAreaCode2, "Ortvorwahl"},
        {m_ui.lblAreaCodeAv, "Ortvorwahlen im Zielland vorhanden"},
        {m_ui.lblAreaCodeNAv, "Im Zielland sind keine Ortvorwahlen vorhanden"},
        {m_ui.lblCountryCode, "Ländervorwahl"}, {m_ui.lblDIDN, "Durchwahl"},
        {m_ui.lblSubscriberNumber, "Empfängernummer"}, {m_ui.lblSubscriberNumber2, "Empfängernummer"},
        {m_ui.lblTelephoneNumber, "Telefonnummer"}, {m_ui.lblTelephoneNumber2, "Telefonnummer"},
        {m_ui.lblTrennzeichen, "Trennzeichen"}, {m_ui.lblTrennzeichen2, "Trennzeichen"},
        {m_ui.lblPrefixCountryCode, "Internationales Präfix und Ländervorwahl"},
        {m_ui.lblBlocklaenge, "Blocklänge"}, {m_ui.lblBlocklaenge2, "Blocklänge"}};
    for (const auto &[label, text] : captions)
        label->setText(QString::fromUtf8(text));
    m_ui.cmdCancel->setText(QStringLiteral("Abbrechen"));
    m_ui.cmdOK->setText(QStringLiteral("OK"));
    m_ui.cmdHelp->setText(QStringLiteral("Hilfe"));
    m_ui.frmNumberBlocksAreaPres->setTitle(QString::fromUtf8("Nummernblöcke erzeugen"));
    m_ui.frmNumberBlocksAreaNo->setTitle(QString::fromUtf8("Nummernblöcke erzeugen"));
    m_ui.frExample->setTitle(QStringLiteral("Beispiel"));
    m_ui.frExample2->setTitle(QStringLiteral("Beispiel"));
}

void frmVorwahlen::Form_Load()
{
    trapErrors(m_messages, place::NumberFormatLoad, QString(), [this] {
        setCaptions();
        QStringList names;
        for (ui::HistoryTextBox *box : m_ui.combos())
            names << box->objectName().mid(3);
        const NumberFormatValues stored = readNumberFormat(m_settings, names);
        for (ui::HistoryTextBox *box : m_ui.combos())
            box->setText(stored.value(box->objectName().mid(3), QString()));
        m_ui.frmNumberBlocksAreaPres->setChecked(stored.blocksAreaPres);
        m_ui.frmNumberBlocksAreaNo->setChecked(stored.blocksAreaNo);
        UpdateExamples();
        SetHistoryFiles();
    });
}

NumberFormatValues frmVorwahlen::values() const
{
    NumberFormatValues v;
    for (ui::HistoryTextBox *box : m_ui.combos())
        v.texts.insert(box->objectName().mid(3), box->text());
    v.blocksAreaPres = m_ui.frmNumberBlocksAreaPres->isChecked();
    v.blocksAreaNo = m_ui.frmNumberBlocksAreaNo->isChecked();
    return v;
}

void frmVorwahlen::UpdateExamples()
{
    const ExampleNumbers examples = exampleNumbers(values());
    m_ui.lblTel->setText(examples.withArea);
    m_ui.lblTelo->setText(examples.withoutArea);
}

void frmVorwahlen::SetHistoryFiles()
{
    for (const auto &[box, file] : m_ui.separatorHistories()) {
        box->setHistoryFile(AppPaths::historyFile(m_programFolder, file));
        box->setListTitle(QStringLiteral("Trennzeichen"));
    }
}

// Settings that would change the numbers again at every run, or lose
// digits, are refused before anything is stored; the box to change gets the
// focus.
bool frmVorwahlen::refusedByCheck(const NumberFormatValues &edited)
{
    const std::optional<SettingsProblem> problem =
        refusePendingTelSettings(m_settings, m_messages, m_database, settingTexts(edited), m_opener);
    if (!problem)
        return false;
    for (ui::HistoryTextBox *box : m_ui.combos()) {
        if (box->objectName().mid(3) == problem->setting)
            box->setFocus();
    }
    return true;
}

void frmVorwahlen::cmdOK_Click()
{
    const NumberFormatValues edited = values();
    trapErrors(m_messages, place::NumberFormatOk, QString(), [&] {
        if (refusedByCheck(edited))
            return;
        // A failed write has been shown; the window stays open with the edits.
        if (!saveNumberFormat(m_settings, edited))
            return;
        for (const auto &entry : m_ui.separatorHistories())
            entry.first->addCurrentToHistory();
        accept();
    });
}

void frmVorwahlen::cmdCancel_Click()
{
    reject();
}

void frmVorwahlen::cmdHelp_Click()
{
    m_help.showHelpFor(this);
}

} // namespace kw::contacts::telephone
