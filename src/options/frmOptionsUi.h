#pragma once

// The controls of the options dialog, built by hand like every window (see
// shell/frmHauptUi.h): each control carries its original objectName, which
// the name rule turns into its setting name; setupUi() makes no connections.
// Control arrays of the original (frMain, frmTab, sldPrio, cmdZeichen) keep
// their one name and carry their index in the property "Index".

#include "options/CountryFrame.h"
#include "options/LayoutEditor.h"

#include <QList>

#include <array>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QTabWidget;
class QToolButton;
class QWidget;

namespace kw::ui {
class HistoryTextBox;
}

namespace kw::options {

// Page "Duplikatsuche": the criteria per item type.
struct DupCriteriaControls
{
    QLabel *lblDupDescription = nullptr;
    QTabWidget *TabStrip1 = nullptr;
    std::array<QWidget *, 6> frmTab{}; // "Kontakte" ... "Journal"
    QCheckBox *chkKontakteLastName = nullptr;
    QCheckBox *chkKontakteFirstName = nullptr;
    QCheckBox *chkKontakteCompanyName = nullptr;
    QCheckBox *chkKontakteFileAs = nullptr;
    QCheckBox *chkKontakteBusinessAddress = nullptr;
    QCheckBox *chkKontakteHomeAddress = nullptr;
    QCheckBox *chkKontakteEmail1Address = nullptr;
    QCheckBox *chkKontakteBusinessTelephoneNumber = nullptr;
    QCheckBox *chkKontakteHomeTelephoneNumber = nullptr;
    QCheckBox *chkKontakteMobileTelephoneNumber = nullptr;
    QCheckBox *chkKontakteFieldName = nullptr;
    ui::HistoryTextBox *txtKontakteFieldNameStr = nullptr;
    QCheckBox *chkTermineStart = nullptr;
    QCheckBox *chkTermineEnd = nullptr;
    QCheckBox *chkTermineSubject = nullptr;
    QCheckBox *chkTermineAllDayEvent = nullptr;
    QCheckBox *chkTermineBusyStatus = nullptr;
    QCheckBox *chkTermineBody = nullptr;
    QCheckBox *chkEmailSubject = nullptr;
    QCheckBox *chkEmailBody = nullptr;
    QCheckBox *chkEmailSenderName = nullptr;
    QCheckBox *chkEmailTo = nullptr;
    QCheckBox *chkEmailAttachments = nullptr;
    QCheckBox *chkEmailReceivedTime = nullptr;
    QCheckBox *chkEmailSentOn = nullptr;
    QCheckBox *chkNotizenBody = nullptr;
    QCheckBox *chkNotizenColor = nullptr;
    QCheckBox *chkAufgabenSubject = nullptr;
    QCheckBox *chkAufgabenStartDate = nullptr;
    QCheckBox *chkAufgabenBody = nullptr;
    QCheckBox *chkAufgabenOwner = nullptr;
    QCheckBox *chkJournalStart = nullptr;
    QCheckBox *chkJournalSubject = nullptr;
    QCheckBox *chkJournalBody = nullptr;
    QCheckBox *chkJournalDuration = nullptr;
    QCheckBox *chkFolderInside = nullptr;

    // The criteria of one tab (0 "Kontakte" to 5 "Journal"), the user-field
    // switch of "Kontakte" among them.
    QList<QCheckBox *> criteria(int tab) const;
    static const QStringList &tabNames();

protected:
    QWidget *setupCriteria(QWidget *parent);
};

// Page "Duplikatsuche": which item stays and what becomes of the others.
struct DupKeepControls
{
    QGroupBox *frmDupPrio = nullptr;
    QLabel *lblLogicDup = nullptr;
    QLabel *lblPrio = nullptr;
    QCheckBox *chkMasterFolder = nullptr;
    QCheckBox *chkTerminSerie = nullptr;
    QRadioButton *chkOldDel = nullptr;
    QRadioButton *chkOldDelDis = nullptr;
    QButtonGroup *grpOldDel = nullptr;
    std::array<QSlider *, 3> sldPrio{}; // the ranks of the three rules above
    QGroupBox *fmDupOpt = nullptr;
    QRadioButton *chkDupDel = nullptr;
    QRadioButton *chkMoveToFolder = nullptr;
    QRadioButton *chkDupEntryIDSave = nullptr;
    QButtonGroup *grpDupOpt = nullptr;
    ui::HistoryTextBox *txtFieldNameEntryID = nullptr;

protected:
    QGroupBox *setupPriorities(QWidget *parent);
    QGroupBox *setupRemoval(QWidget *parent);
};

// Page "Telefonnummern formatieren".
struct TelephoneControls : CountryFrame
{
    QLabel *lblDurchwahlTrenn = nullptr;
    QLineEdit *txtDurchwahlTrenn = nullptr;
    QCheckBox *chkIgnoreCountryCode = nullptr;
    QCheckBox *chkPlus = nullptr;
    QCheckBox *chkSchweizKonv = nullptr;
    QCheckBox *chkHideFax = nullptr;
    QGroupBox *frFilterTel = nullptr; // its caption's check box is stored as FilterTel
    QCheckBox *chkFilterCountry = nullptr;
    QLineEdit *txtFilterCountryStr = nullptr;
    QCheckBox *chkFilterArea = nullptr;
    QLineEdit *txtFilterAreaStr = nullptr;
    QCheckBox *chkCountryFilter = nullptr;
    ui::HistoryTextBox *cmbCountryFilterText = nullptr;
    QPushButton *cmdTelOptions = nullptr;
    QPushButton *cmdTelDB = nullptr;

    QList<QWidget *> filterControls() const;

protected:
    QWidget *setupTelephone(QWidget *parent);
};

// Pages "Anlagen speichern", "Namen korrigieren" and "Allgemein".
struct OtherPagesControls
{
    QLabel *lblFolderAtt = nullptr;
    QLineEdit *txtAttPath = nullptr; // read-only: chosen with cmdAttPath
    QToolButton *cmdAttPath = nullptr;
    QLabel *lblSizeAtt = nullptr;
    QLineEdit *cmbAttSize = nullptr;
    QLabel *lblSizeUnit = nullptr;

    QLabel *lblFileAsLayout = nullptr;
    ui::HistoryTextBox *cmbFileAsLayoutEx = nullptr;
    QLabel *lblSubjectLayout = nullptr;
    ui::HistoryTextBox *cmbSubjectLayout = nullptr;
    QRadioButton *optSaveAs = nullptr;
    QRadioButton *optBetreff = nullptr;
    QButtonGroup *grpLayout = nullptr;
    QGroupBox *frExample = nullptr;
    QLabel *lblExample = nullptr;
    std::array<QPushButton *, 17> cmdZeichen{}; // no index 5
    QPushButton *roCommand1 = nullptr;          // undo
    QPushButton *cmdDelLayout = nullptr;        // clear
    QGroupBox *frMoreOptions = nullptr;
    QCheckBox *chkBusinessNameCheck = nullptr;
    QCheckBox *chkSubjectNameCorrect = nullptr;

    QLabel *lblIdleTime = nullptr;
    QLineEdit *cmbIdleTime = nullptr;
    QLabel *lblIdleUnit = nullptr;
    QLabel *lblSkipFolder = nullptr;
    ui::HistoryTextBox *txtFolderStructureSkip = nullptr;

protected:
    QWidget *setupAttachments(QWidget *parent);
    QWidget *setupNames(QWidget *parent);
    QWidget *setupGeneral(QWidget *parent);
};

struct frmOptionsUi : DupCriteriaControls, DupKeepControls, TelephoneControls, OtherPagesControls
{
    QTabWidget *TabMain = nullptr;
    std::array<QWidget *, 5> frMain{};
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;
    QPushButton *cmdHelp = nullptr;

    void setupUi(QDialog *dialog);

    // Every control the name rule looks at, in the order of the pages.
    QList<QWidget *> controls() const;

    // The text boxes that keep a phrase list, with its file and title.
    struct PhraseList
    {
        ui::HistoryTextBox *box;
        QString file;
        QString title;
    };
    QList<PhraseList> phraseLists() const;
};

} // namespace kw::options
