#pragma once

// Module QuickOptionsForm: pages, loading and saving of the options wizard.

#include <QString>

class QWidget;

namespace kw {
class Messages;
class Settings;
namespace refdb {
class Database;
}
}

namespace kw::options {

struct frmQuickOptionsUi;

// Four pages, 0 (welcome) to 3; the last one's forward button finishes: the
// six stored boxes are written in one go by the name rule, like the options
// dialog writes its namesakes. Closing the wizard any other way writes nothing.
class QuickOptionsForm
{
public:
    static constexpr int kPages = 4;

    // `referenceDatabase`: the tables the telephone settings are checked
    // against when finishing; without one they are not.
    QuickOptionsForm(frmQuickOptionsUi &ui, Settings &settings, Messages &messages,
                     refdb::Database *referenceDatabase = nullptr);

    // Fills the boxes from the store and shows page 0. A settings file that
    // turned out unreadable is reported and finishing is then refused.
    void Form_Load();
    // True when the wizard finished and saved: it may close.
    bool cmdForward_Click();
    void cmdBack_Click();
    void cmbCountrySelect_Change();
    // Checks the layout, each box's rule (also for a value loaded from the
    // settings file), the telephone settings as a whole, then writes. False
    // (with a message, on the page of the refused box) when refused or failed.
    bool SaveAllSettings();

    int page() const { return m_page; }

private:
    void showPage();
    bool refusedBoxes();
    void showControl(QWidget *control);

    frmQuickOptionsUi &m_ui;
    Settings &m_settings;
    Messages &m_messages;
    refdb::Database *m_referenceDatabase = nullptr;
    int m_page = 0;
    bool m_loaded = false;
};

} // namespace kw::options
