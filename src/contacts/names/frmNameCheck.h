#pragma once

#include "shell/ErrorTrap.h"

#include <QDialog>
#include <QString>

class QCheckBox;
class QGroupBox;
class QLabel;

namespace kw {
class Messages;
namespace ui {
class HistoryTextBox;
}
}

namespace kw::contacts::names {

class NameWordSource;

// The controls of the dialog, created with their object names; no connections.
struct frmNameCheckUi
{
    ui::HistoryTextBox *txtFullname = nullptr;
    QCheckBox *chkBusinessCheck = nullptr;
    QLabel *lblInfo = nullptr;
    QLabel *lblDes = nullptr;
    // Each part's label sits in a frame captioned with the part.
    QGroupBox *fraTitle = nullptr;
    QGroupBox *fraFirstname = nullptr;
    QGroupBox *fraMiddleName = nullptr;
    QGroupBox *fraLastName = nullptr;
    QGroupBox *fraSuffix = nullptr;
    QLabel *lblTitle = nullptr;
    QLabel *lblFirstname = nullptr;
    QLabel *lblMiddleName = nullptr;
    QLabel *lblLastName = nullptr;
    QLabel *lblSuffix = nullptr;

    void setupUi(QDialog *dialog);
};

// What the dialog shows for one text: the five parts as label texts (every
// "&" doubled, so that none is taken for an access key) and the company
// notice, "" when no company name was recognised. A parser failure (reported
// by the parser) shows five empty parts and no notice.
struct NameCheckResult
{
    QString lblTitle;
    QString lblFirstname;
    QString lblMiddleName;
    QString lblLastName;
    QString lblSuffix;
    QString lblDes;
    bool operator==(const NameCheckResult &) const = default;
};
NameCheckResult nameCheckResult(const QString &fullName, bool checkBusiness, NameWordSource &words,
                                Messages &messages);

// "Namen testen": shows how the name parser splits the typed full name, at
// every change of the text and of the company check box. Changes no contact.
// Word tables that cannot be read are reported once per opening; the parts
// stay empty meanwhile.
class frmNameCheck : public QDialog
{
    Q_OBJECT

public:
    // The history of the text box is "Fullname.dat" in the preferences of `programFolder`.
    frmNameCheck(NameWordSource &words, Messages &messages, const QString &programFolder,
                 QWidget *parent = nullptr);

    void Form_Load();
    void txtFullname_Change();
    void chkBusinessCheck_Click();

    frmNameCheckUi &controls() { return m_ui; }

private:
    void ShowNameCheckResult();

    frmNameCheckUi m_ui;
    NameWordSource &m_words;
    Messages &m_messages;
    QString m_programFolder;
    ReportOnce m_tablesReport;
};

} // namespace kw::contacts::names
