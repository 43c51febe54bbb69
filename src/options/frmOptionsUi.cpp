#include "options/frmOptionsUi.h"

#include "platform/ui/HistoryTextBox.h"
#include "platform/ui/WidgetBuild.h"

#include <QButtonGroup>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollArea>
#include <QSlider>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

namespace kw::options {

using namespace ui::build;

namespace {

// Lays the boxes out in three columns, row by row.
void addInColumns(QGridLayout *grid, const QList<QWidget *> &boxes)
{
    for (int i = 0; i < boxes.size(); ++i)
        grid->addWidget(boxes[i], i / 3, i % 3);
}

QWidget *criteriaPage(QTabWidget *strip, int tag)
{
    auto *page = new QWidget(strip);
    page->setObjectName(QStringLiteral("frmTab"));
    page->setProperty("Index", tag);
    page->setProperty("Tag", QString::number(tag));
    new QGridLayout(page);
    strip->addTab(page, DupCriteriaControls::tabNames().at(tag));
    return page;
}

} // namespace

const QStringList &DupCriteriaControls::tabNames()
{
    static const QStringList names = {QStringLiteral("Kontakte"), QStringLiteral("Kalender"),
                                      QStringLiteral("Email"),    QStringLiteral("Notizen"),
                                      QStringLiteral("Aufgaben"), QStringLiteral("Journal")};
    return names;
}

QList<QCheckBox *> DupCriteriaControls::criteria(int tab) const
{
    switch (tab) {
    case 0:
        return {chkKontakteLastName, chkKontakteFirstName, chkKontakteCompanyName, chkKontakteFileAs,
                chkKontakteBusinessAddress, chkKontakteHomeAddress, chkKontakteEmail1Address,
                chkKontakteBusinessTelephoneNumber, chkKontakteHomeTelephoneNumber, chkKontakteMobileTelephoneNumber,
                chkKontakteFieldName};
    case 1:
        return {chkTermineStart, chkTermineEnd, chkTermineSubject, chkTermineAllDayEvent, chkTermineBusyStatus,
                chkTermineBody};
    case 2:
        return {chkEmailSubject, chkEmailBody, chkEmailSenderName, chkEmailTo, chkEmailAttachments,
                chkEmailReceivedTime, chkEmailSentOn};
    case 3:
        return {chkNotizenBody, chkNotizenColor};
    case 4:
        return {chkAufgabenSubject, chkAufgabenStartDate, chkAufgabenBody, chkAufgabenOwner};
    case 5:
        return {chkJournalStart, chkJournalSubject, chkJournalBody, chkJournalDuration};
    default:
        return {};
    }
}

QWidget *DupCriteriaControls::setupCriteria(QWidget *parent)
{
    TabStrip1 = named(new QTabWidget(parent), "TabStrip1");
    for (int tag = 0; tag < 6; ++tag)
        frmTab[tag] = criteriaPage(TabStrip1, tag);

    QWidget *p = frmTab[0];
    chkKontakteLastName = check(p, "chkKontakteLastName", "Nachname");
    chkKontakteFirstName = check(p, "chkKontakteFirstName", "Vorname");
    chkKontakteCompanyName = check(p, "chkKontakteCompanyName", "Firmenname");
    chkKontakteFileAs = check(p, "chkKontakteFileAs", "SpeichernUnter");
    chkKontakteBusinessAddress = check(p, "chkKontakteBusinessAddress", "Adresse geschäftlich");
    chkKontakteHomeAddress = check(p, "chkKontakteHomeAddress", "Adresse privat");
    chkKontakteEmail1Address = check(p, "chkKontakteEmail1Address", "Email");
    chkKontakteBusinessTelephoneNumber = check(p, "chkKontakteBusinessTelephoneNumber", "Telefon geschäftlich");
    chkKontakteHomeTelephoneNumber = check(p, "chkKontakteHomeTelephoneNumber", "Telefon privat");
    chkKontakteMobileTelephoneNumber = check(p, "chkKontakteMobileTelephoneNumber", "Telefon mobil");
    chkKontakteFieldName = check(p, "chkKontakteFieldName", "benutzerdefiniertes Feld");
    txtKontakteFieldNameStr = named(new ui::HistoryTextBox(p), "txtKontakteFieldNameStr");

    p = frmTab[1];
    chkTermineStart = check(p, "chkTermineStart", "Start");
    chkTermineEnd = check(p, "chkTermineEnd", "Ende");
    chkTermineSubject = check(p, "chkTermineSubject", "Betreff");
    chkTermineAllDayEvent = check(p, "chkTermineAllDayEvent", "Ganztägig");
    chkTermineBusyStatus = check(p, "chkTermineBusyStatus", "Belegt Status");
    chkTermineBody = check(p, "chkTermineBody", "Beschreibung");

    p = frmTab[2];
    chkEmailSubject = check(p, "chkEmailSubject", "Betreff");
    chkEmailBody = check(p, "chkEmailBody", "Text");
    chkEmailSenderName = check(p, "chkEmailSenderName", "Absender");
    chkEmailTo = check(p, "chkEmailTo", "Empfänger");
    chkEmailAttachments = check(p, "chkEmailAttachments", "Anlagenanzahl");
    chkEmailReceivedTime = check(p, "chkEmailReceivedTime", "Empfangszeit");
    chkEmailSentOn = check(p, "chkEmailSentOn", "Sendezeit");

    p = frmTab[3];
    chkNotizenBody = check(p, "chkNotizenBody", "Text");
    chkNotizenColor = check(p, "chkNotizenColor", "Farbe");

    p = frmTab[4];
    chkAufgabenSubject = check(p, "chkAufgabenSubject", "Betreff");
    chkAufgabenStartDate = check(p, "chkAufgabenStartDate", "Beginn");
    chkAufgabenBody = check(p, "chkAufgabenBody", "Beschreibung");
    chkAufgabenOwner = check(p, "chkAufgabenOwner", "Zuständig");

    p = frmTab[5];
    chkJournalStart = check(p, "chkJournalStart", "Start");
    chkJournalSubject = check(p, "chkJournalSubject", "Betreff");
    chkJournalBody = check(p, "chkJournalBody", "Beschreibung");
    chkJournalDuration = check(p, "chkJournalDuration", "Dauer");

    for (int tab = 0; tab < 6; ++tab) {
        auto *grid = static_cast<QGridLayout *>(frmTab[tab]->layout());
        const QList<QCheckBox *> tabCriteria = criteria(tab);
        QList<QWidget *> boxes(tabCriteria.begin(), tabCriteria.end());
        if (tab == 0)
            boxes.removeLast(); // the user field gets a row of its own, with its name
        addInColumns(grid, boxes);
        grid->setRowStretch(grid->rowCount(), 1);
    }
    auto *kontakte = static_cast<QGridLayout *>(frmTab[0]->layout());
    const int row = kontakte->rowCount();
    kontakte->addWidget(chkKontakteFieldName, row, 0);
    kontakte->addWidget(txtKontakteFieldNameStr, row, 1, 1, 2);
    return TabStrip1;
}

QGroupBox *DupKeepControls::setupPriorities(QWidget *parent)
{
    frmDupPrio = captioned<QGroupBox>(parent, "frmDupPrio", "Elemente bevorzugt beibehalten");
    QWidget *p = frmDupPrio;
    lblLogicDup = label(p, "lblLogicDup", "Wählen Sie, welches Element bei der Duplikatsuche nicht markiert werden soll?");
    lblLogicDup->setWordWrap(true);
    lblPrio = label(p, "lblPrio", "Priorität");
    chkMasterFolder = check(p, "chkMasterFolder", "aus markiertem Ordner");
    chkTerminSerie = check(p, "chkTerminSerie", "Serienelemente");
    chkOldDel = option(p, "chkOldDel", "ältestes Element");
    chkOldDelDis = option(p, "chkOldDelDis", "jüngstes Element");
    grpOldDel = new QButtonGroup(p);
    grpOldDel->addButton(chkOldDel);
    grpOldDel->addButton(chkOldDelDis);
    for (int i = 0; i < 3; ++i) {
        auto *slider = indexed(new QSlider(Qt::Horizontal, p), "sldPrio", i);
        slider->setRange(0, 2);
        slider->setPageStep(1);
        slider->setTickPosition(QSlider::TicksBelow);
        slider->setTracking(false); // one change per move, so the swap rule sees where it ended
        slider->setFixedWidth(120);
        sldPrio[i] = slider;
    }
    auto *age = new QHBoxLayout;
    age->addWidget(chkOldDel);
    age->addWidget(chkOldDelDis);
    age->addStretch();
    auto *grid = new QGridLayout(frmDupPrio);
    grid->addWidget(lblLogicDup, 0, 0, 1, 2);
    grid->addWidget(lblPrio, 1, 1, Qt::AlignHCenter);
    grid->addWidget(chkMasterFolder, 2, 0);
    grid->addWidget(sldPrio[0], 2, 1);
    grid->addWidget(chkTerminSerie, 3, 0);
    grid->addWidget(sldPrio[1], 3, 1);
    grid->addLayout(age, 4, 0);
    grid->addWidget(sldPrio[2], 4, 1);
    grid->setColumnStretch(0, 1);
    return frmDupPrio;
}

QGroupBox *DupKeepControls::setupRemoval(QWidget *parent)
{
    fmDupOpt = captioned<QGroupBox>(parent, "fmDupOpt", "Duplikate...");
    QWidget *p = fmDupOpt;
    chkDupDel = option(p, "chkDupDel", "löschen");
    chkMoveToFolder = option(p, "chkMoveToFolder", "in Unterordner verschieben");
    chkDupEntryIDSave = option(p, "chkDupEntryIDSave",
                               "nicht entfernen, sondern die Outlook ID des bevorzugten Elementes in diesem "
                               "benutzerdef. Feld eintragen:");
    txtFieldNameEntryID = named(new ui::HistoryTextBox(p), "txtFieldNameEntryID");
    grpDupOpt = new QButtonGroup(p);
    auto *box = new QVBoxLayout(fmDupOpt);
    for (QRadioButton *choice : {chkDupDel, chkMoveToFolder, chkDupEntryIDSave}) {
        grpDupOpt->addButton(choice);
        box->addWidget(choice);
    }
    box->addWidget(txtFieldNameEntryID);
    return fmDupOpt;
}

void frmOptionsUi::setupUi(QDialog *dialog)
{
    dialog->setObjectName(QStringLiteral("frmOptions"));
    dialog->setWindowTitle(QStringLiteral("Optionen"));
    TabMain = named(new QTabWidget(dialog), "TabMain");
    const char *captions[5] = {"Duplikatsuche", "Telefonnummern formatieren", "Anlagen speichern",
                               "Namen korrigieren", "Allgemein"};
    for (int i = 0; i < 5; ++i) {
        // Each page scrolls, so the dialog fits a small screen.
        auto *scroll = new QScrollArea(TabMain);
        scroll->setWidgetResizable(true);
        scroll->setFrameShape(QFrame::NoFrame);
        frMain[i] = indexed(new QWidget(scroll), "frMain", i);
        scroll->setWidget(frMain[i]);
        TabMain->addTab(scroll, QString::fromUtf8(captions[i]));
    }

    auto *dup = new QVBoxLayout(frMain[0]);
    lblDupDescription = label(frMain[0], "lblDupDescription",
                              "Welche Eigenschaften sollen bei der Duplikatsuche verwendet werden?");
    dup->addWidget(lblDupDescription);
    dup->addWidget(setupCriteria(frMain[0]));
    chkFolderInside = check(frMain[0], "chkFolderInside", "nur innerhalb des Ordners nach Duplikaten suchen");
    dup->addWidget(chkFolderInside);
    dup->addWidget(setupPriorities(frMain[0]));
    dup->addWidget(setupRemoval(frMain[0]));
    dup->addStretch();

    (new QVBoxLayout(frMain[1]))->addWidget(setupTelephone(frMain[1]));
    (new QVBoxLayout(frMain[2]))->addWidget(setupAttachments(frMain[2]));
    (new QVBoxLayout(frMain[3]))->addWidget(setupNames(frMain[3]));
    (new QVBoxLayout(frMain[4]))->addWidget(setupGeneral(frMain[4]));

    cmdOK = captioned<QPushButton>(dialog, "cmdOK", "OK");
    cmdCancel = captioned<QPushButton>(dialog, "cmdCancel", "Abbrechen");
    cmdHelp = named(new QPushButton(dialog), "cmdHelp");
    cmdHelp->setIcon(dialog->style()->standardIcon(QStyle::SP_DialogHelpButton));
    cmdHelp->setToolTip(QStringLiteral("Hilfe"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdHelp);
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto *main = new QVBoxLayout(dialog);
    main->addWidget(TabMain);
    main->addLayout(buttons);
    dialog->resize(760, 560);
}

QList<QWidget *> frmOptionsUi::controls() const
{
    QList<QWidget *> list;
    for (int tab = 0; tab < 6; ++tab) {
        for (QCheckBox *box : criteria(tab))
            list.append(box);
    }
    list << txtKontakteFieldNameStr << chkFolderInside << chkMasterFolder << chkTerminSerie << chkOldDel
         << chkOldDelDis << chkDupDel << chkMoveToFolder << chkDupEntryIDSave << txtFieldNameEntryID;
    list << txtDurchwahlTrenn << cmbCountrySelect << txtCountryCode << txtIDDP << txtNDDP << chkIgnoreCountryCode
         << chkPlus << chkSchweizKonv << chkHideFax << filterControls();
    list << txtAttPath << cmbAttSize;
    list << cmbFileAsLayoutEx << cmbSubjectLayout << optSaveAs << optBetreff << chkBusinessNameCheck
         << chkSubjectNameCorrect;
    list << cmbIdleTime << txtFolderStructureSkip;
    return list;
}

QList<frmOptionsUi::PhraseList> frmOptionsUi::phraseLists() const
{
    return {
        {txtFieldNameEntryID, QStringLiteral("NameEntryID.dat"), QStringLiteral("Namen")},
        {txtKontakteFieldNameStr, QStringLiteral("ContactUserField.dat"), QStringLiteral("Namen")},
        {cmbCountryFilterText, QStringLiteral("CountryFilter.dat"), QString::fromUtf8("Länder")},
        {txtFolderStructureSkip, QStringLiteral("FolderStructureSkip.dat"), QStringLiteral("Ordner")},
        {cmbFileAsLayoutEx, QStringLiteral("FileAsLayoutEx.dat"), QStringLiteral("Layout")},
        {cmbSubjectLayout, QStringLiteral("SubjectLayoutEx.dat"), QStringLiteral("Layout")},
    };
}

} // namespace kw::options
