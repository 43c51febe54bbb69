#pragma once

// Module OptionsForm: loading, checking and saving the options dialog.

#include "options/LayoutEditor.h"
#include "options/NameRule.h"
#include "options/PriorityRanks.h"

#include <QString>

namespace kw {
class Messages;
class Settings;
namespace refdb {
class Database;
}
}

namespace kw::options {

struct frmOptionsUi;

// Throws a PlatformError when the settings file turned out unreadable since
// the program started (it was set aside and the store is empty): values
// read now are not the user's.
void requireReadableSettings(Settings &settings);

// The logic of the options dialog over its controls; the dialog only wires
// signals to it. Every value goes through the settings store; nothing is kept
// between openings.
class OptionsForm
{
public:
    // `referenceDatabase`: the tables the telephone settings are checked
    // against on OK; without one they are not.
    OptionsForm(frmOptionsUi &ui, Settings &settings, Messages &messages, QString programFolder,
                refdb::Database *referenceDatabase = nullptr);

    // Fills the controls from the store. A failure is reported (703) and the
    // dialog then refuses to save: it would write values it never loaded.
    bool Form_Load();
    // Checks, then writes every value in one go. True when saved: the dialog
    // may close. A refused check or a failed write keeps it open.
    bool cmdOK_Click();
    bool loaded() const { return m_loaded; }

    // One message per criterion tab without a ticked criterion, tab order.
    bool ValidateDuplicateCriteria();
    // The criteria, then the field of the link mode, then the two layouts,
    // then each box's rule; every problem is shown, each once. Only then the
    // telephone settings as a whole. A refused box is shown with the focus.
    bool validate();

    // What OK writes: the controls by the name rule, the ranks, FilterTel.
    SettingValues valuesToSave() const;

    Ranks ranks() const;
    void setRanks(const Ranks &ranks);
    void sldPrio_Change(int index);
    void frFilterTel_Click();

    LayoutEditor &layoutEditor() { return m_editor; }

private:
    void load();
    bool validateLinkField();
    bool validateBoxes();
    bool validateTelephone();
    void showControl(QWidget *control);

    frmOptionsUi &m_ui;
    Settings &m_settings;
    Messages &m_messages;
    QString m_programFolder;
    refdb::Database *m_referenceDatabase = nullptr;
    LayoutEditor m_editor;
    bool m_loaded = false;
};

} // namespace kw::options
