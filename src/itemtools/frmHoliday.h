#pragma once

#include "itemtools/HolidayImport.h"
#include "shell/FolderFunctions.h"

#include <QDialog>

#include <functional>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace kw::itemtools {

// The controls of the holiday dialog, created with their object names; no connections.
struct frmHolidayUi
{
    QGroupBox *sevFrame2 = nullptr;
    QComboBox *txtCountry = nullptr; // editable, with the list "DE", "CH"
    QGroupBox *sevFrame1 = nullptr;
    QComboBox *txtState = nullptr;   // editable, its list sorted by FillStates
    QPushButton *cmdEinfuegen = nullptr; // objectName "cmdEinfügen"
    QLabel *sevLabel1 = nullptr;

    void setupUi(QDialog *dialog);
};

// "Schulferien einfügen": inserts the school holidays of the chosen country
// and state into the calendars of the working set taken when it opened. It
// stays open after an insertion; each click inserts into the same folders.
class frmHoliday : public QDialog
{
    Q_OBJECT

public:
    using ActivatedFolders = std::function<WorkingSet()>;

    frmHoliday(holidays::HolidayServices services, ActivatedFolders activatedFolders, QWidget *parent = nullptr);

    void Form_Load();
    // Refills the state list for the country in txtCountry.
    void FillStates();
    void cmdEinfuegen_Click();

    frmHolidayUi &controls() { return m_ui; }
    const WorkingSet &workingSet() const { return m_set; }

private:
    frmHolidayUi m_ui;
    holidays::HolidayServices m_services;
    ActivatedFolders m_activatedFolders;
    WorkingSet m_set;
    bool mFoldersOK = false;
};

} // namespace kw::itemtools
