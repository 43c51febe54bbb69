#include "options/frmOptionsUi.h"

#include "options/InputRules.h"
#include "platform/ui/HistoryTextBox.h"
#include "platform/ui/WidgetBuild.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace kw::options {

using namespace ui::build;

namespace {

QHBoxLayout *row(std::initializer_list<QWidget *> widgets, bool stretch = true)
{
    auto *box = new QHBoxLayout;
    for (QWidget *w : widgets)
        box->addWidget(w);
    if (stretch)
        box->addStretch();
    return box;
}

} // namespace

QList<QWidget *> TelephoneControls::filterControls() const
{
    return {chkFilterCountry, txtFilterCountryStr, chkFilterArea, txtFilterAreaStr, chkCountryFilter,
            cmbCountryFilterText};
}

QWidget *TelephoneControls::setupTelephone(QWidget *page)
{
    lblDurchwahlTrenn = label(page, "lblDurchwahlTrenn", "Eigenes Durchwahltrennzeichen");
    txtDurchwahlTrenn = text(page, "txtDurchwahlTrenn");
    acceptExtensionSeparator(txtDurchwahlTrenn);
    txtDurchwahlTrenn->setFixedWidth(40);

    setupCountryFrame(page, Placement::Beside);

    chkIgnoreCountryCode = check(page, "chkIgnoreCountryCode", "vorhandene Ländervorwahl ignorieren");
    chkPlus = check(page, "chkPlus", "Ländervorwahl auch bei Rufnummern ohne internationales Präfix erkennen");
    chkSchweizKonv = check(page, "chkSchweizKonv", "Alte schweizer Vorwahl (1) in (44) umwandeln");
    chkHideFax = check(page, "chkHideFax", "Faxnummern im Adressbuch verstecken");

    frFilterTel = captioned<QGroupBox>(page, "frFilterTel", "Filter aktiv");
    frFilterTel->setCheckable(true);
    QWidget *f = frFilterTel;
    chkFilterCountry = check(f, "chkFilterCountry", "Ländervorwahl");
    txtFilterCountryStr = text(f, "txtFilterCountryStr");
    acceptDigits(txtFilterCountryStr, 4);
    chkFilterArea = check(f, "chkFilterArea", "Ortvorwahl (ohne nationales Präfix)");
    txtFilterAreaStr = text(f, "txtFilterAreaStr");
    acceptDigits(txtFilterAreaStr, 10);
    chkCountryFilter = check(f, "chkCountryFilter", "Land");
    cmbCountryFilterText = named(new ui::HistoryTextBox(f), "cmbCountryFilterText");
    auto *filter = new QGridLayout(frFilterTel);
    const QList<QWidget *> filters = filterControls();
    for (int i = 0; i < filters.size(); ++i)
        filter->addWidget(filters[i], i / 2, i % 2);

    cmdTelOptions = captioned<QPushButton>(page, "cmdTelOptions", "benutzerdefiniertes Telefonnummernformat...");
    cmdTelDB = captioned<QPushButton>(page, "cmdTelDB", "Tabellen für Vorwahlen...");

    auto *holder = new QWidget(page);
    auto *box = new QVBoxLayout(holder);
    box->setContentsMargins(0, 0, 0, 0);
    box->addLayout(row({lblDurchwahlTrenn, txtDurchwahlTrenn}));
    box->addWidget(frTelQuick);
    for (QCheckBox *option : {chkIgnoreCountryCode, chkPlus, chkSchweizKonv, chkHideFax})
        box->addWidget(option);
    box->addWidget(frFilterTel);
    box->addLayout(row({cmdTelOptions, cmdTelDB}));
    box->addStretch();
    return holder;
}

QWidget *OtherPagesControls::setupAttachments(QWidget *page)
{
    lblFolderAtt = label(page, "lblFolderAtt", "Ordner für exportierte Anlagen");
    txtAttPath = text(page, "txtAttPath");
    txtAttPath->setReadOnly(true);
    cmdAttPath = named(new QToolButton(page), "cmdAttPath");
    cmdAttPath->setText(QStringLiteral("..."));
    cmdAttPath->setToolTip(QStringLiteral("Ordner auswählen"));
    lblSizeAtt = label(page, "lblSizeAtt", "Nur Anlagen exportieren die mindestens diese Größe haben:");
    cmbAttSize = text(page, "cmbAttSize");
    acceptDigits(cmbAttSize, 6);
    cmbAttSize->setFixedWidth(80);
    lblSizeUnit = label(page, "lblSizeUnit", "kB");

    auto *holder = new QWidget(page);
    auto *box = new QVBoxLayout(holder);
    box->setContentsMargins(0, 0, 0, 0);
    box->addWidget(lblFolderAtt);
    box->addLayout(row({txtAttPath, cmdAttPath}, false));
    box->addWidget(lblSizeAtt);
    box->addLayout(row({cmbAttSize, lblSizeUnit}));
    box->addStretch();
    return holder;
}

QWidget *OtherPagesControls::setupNames(QWidget *page)
{
    lblFileAsLayout = label(page, "lblFileAsLayout", "Layout für Speichern unter");
    cmbFileAsLayoutEx = named(new ui::HistoryTextBox(page), "cmbFileAsLayoutEx");
    lblSubjectLayout = label(page, "lblSubjectLayout", "Layout für Betreff");
    cmbSubjectLayout = named(new ui::HistoryTextBox(page), "cmbSubjectLayout");
    optSaveAs = named(new QRadioButton(page), "optSaveAs");
    optBetreff = named(new QRadioButton(page), "optBetreff");
    grpLayout = new QButtonGroup(page);
    grpLayout->addButton(optSaveAs);
    grpLayout->addButton(optBetreff);

    frExample = captioned<QGroupBox>(page, "frExample", "Beispiel");
    lblExample = named(new QLabel(frExample), "lblExample");
    lblExample->setWordWrap(true);
    lblExample->setMinimumHeight(lblExample->fontMetrics().height() * 2);
    auto *words = new QHBoxLayout;
    auto *separators = new QHBoxLayout;
    for (const LayoutToken &token : layoutTokens()) {
        auto *button = indexed(new QPushButton(token.caption, frExample), "cmdZeichen", token.index);
        button->setProperty("Tag", token.tag);
        if (token.code.isNull()) {
            button->setFixedWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("MM")) + 12);
            separators->addWidget(button);
        } else {
            words->addWidget(button);
        }
        cmdZeichen[token.index] = button;
    }
    roCommand1 = named(new QPushButton(frExample), "roCommand1");
    roCommand1->setIcon(page->style()->standardIcon(QStyle::SP_ArrowBack));
    roCommand1->setToolTip(QString::fromUtf8("Rückgängig"));
    cmdDelLayout = named(new QPushButton(frExample), "cmdDelLayout");
    cmdDelLayout->setIcon(page->style()->standardIcon(QStyle::SP_DialogDiscardButton));
    cmdDelLayout->setToolTip(QString::fromUtf8("Layout löschen"));
    separators->addStretch();
    separators->addWidget(roCommand1);
    separators->addWidget(cmdDelLayout);
    auto *example = new QVBoxLayout(frExample);
    example->addWidget(lblExample);
    example->addLayout(words);
    example->addLayout(separators);

    frMoreOptions = captioned<QGroupBox>(page, "frMoreOptions", "weitere Optionen");
    chkBusinessNameCheck = check(frMoreOptions, "chkBusinessNameCheck", "Firmennamen erkennen");
    chkSubjectNameCorrect = check(frMoreOptions, "chkSubjectNameCorrect", "\"Betreff\"-Feld ändern");
    auto *more = new QVBoxLayout(frMoreOptions);
    more->addWidget(chkBusinessNameCheck);
    more->addWidget(chkSubjectNameCorrect);

    auto *holder = new QWidget(page);
    auto *grid = new QGridLayout(holder);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(lblFileAsLayout, 0, 0, 1, 2);
    grid->addWidget(optSaveAs, 1, 0);
    grid->addWidget(cmbFileAsLayoutEx, 1, 1);
    grid->addWidget(lblSubjectLayout, 2, 0, 1, 2);
    grid->addWidget(optBetreff, 3, 0);
    grid->addWidget(cmbSubjectLayout, 3, 1);
    grid->addWidget(frExample, 4, 0, 1, 2);
    grid->addWidget(frMoreOptions, 5, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(6, 1);
    return holder;
}

QWidget *OtherPagesControls::setupGeneral(QWidget *page)
{
    lblIdleTime = label(page, "lblIdleTime", "Timeout für Ordnerstruktur einlesen:");
    cmbIdleTime = text(page, "cmbIdleTime");
    acceptDigits(cmbIdleTime, 4, 3600);
    cmbIdleTime->setFixedWidth(80);
    lblIdleUnit = label(page, "lblIdleUnit", "sec.");
    lblSkipFolder = label(page, "lblSkipFolder", "Diese Ordnerstruktur nicht einlesen:");
    txtFolderStructureSkip = named(new ui::HistoryTextBox(page), "txtFolderStructureSkip");

    auto *holder = new QWidget(page);
    auto *box = new QVBoxLayout(holder);
    box->setContentsMargins(0, 0, 0, 0);
    box->addWidget(lblIdleTime);
    box->addLayout(row({cmbIdleTime, lblIdleUnit}));
    box->addWidget(lblSkipFolder);
    box->addWidget(txtFolderStructureSkip);
    box->addStretch();
    return holder;
}

} // namespace kw::options
