#pragma once

#include "contacts/telephone/NumberFormat.h"
#include "contacts/telephone/TelSettingsCheck.h"

#include <QDialog>
#include <QList>
#include <functional>

class QGroupBox;
class QLabel;
class QPushButton;

namespace kw {
class Messages;
class Settings;
namespace refdb {
class Database;
}
namespace ui {
class HelpViewer;
class HistoryTextBox;
}
}

namespace kw::contacts::telephone {

// The controls of the number-format dialog, created with their object names;
// no connections. Each combo is stored under its name without "cmb".
struct frmVorwahlenUi
{
    ui::HistoryTextBox *cmbIDDPOut = nullptr;
    ui::HistoryTextBox *cmbVorwahlTrennOut1 = nullptr;
    ui::HistoryTextBox *cmbVorwahlTrennOut2 = nullptr;
    ui::HistoryTextBox *cmbDurchwahlTrennOut = nullptr;
    ui::HistoryTextBox *cmbVorwahlTrennOutSingle = nullptr;
    QGroupBox *frmNumberBlocksAreaPres = nullptr; // checkable: the box in its caption
    ui::HistoryTextBox *cmbBlockA[2] = {};
    ui::HistoryTextBox *cmbBlockS[5] = {};
    ui::HistoryTextBox *cmbBlockTrennAreaPres = nullptr;
    QGroupBox *frmNumberBlocksAreaNo = nullptr;
    ui::HistoryTextBox *cmbBlockT[5] = {};
    ui::HistoryTextBox *cmbBlockTrennAreaNo = nullptr;
    QGroupBox *frExample = nullptr;
    QLabel *lblTel = nullptr;
    QGroupBox *frExample2 = nullptr;
    QLabel *lblTelo = nullptr;
    QLabel *lblAreaCode = nullptr, *lblAreaCode2 = nullptr, *lblAreaCodeAv = nullptr, *lblAreaCodeNAv = nullptr;
    QLabel *lblCountryCode = nullptr, *lblDIDN = nullptr, *lblPrefixCountryCode = nullptr;
    QLabel *lblSubscriberNumber = nullptr, *lblSubscriberNumber2 = nullptr;
    QLabel *lblTelephoneNumber = nullptr, *lblTelephoneNumber2 = nullptr;
    QLabel *lblTrennzeichen = nullptr, *lblTrennzeichen2 = nullptr;
    QLabel *lblBlocklaenge = nullptr, *lblBlocklaenge2 = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;
    QPushButton *cmdHelp = nullptr;

    void setupUi(QDialog *dialog);
    // All nineteen combos.
    QList<ui::HistoryTextBox *> combos() const;
    // The seven separator combos with their history files.
    QList<QPair<ui::HistoryTextBox *, QString>> separatorHistories() const;
};

// "Telefonnummer Optionen": the output layout of the telephone formatter,
// with two example numbers rebuilt at every edit. Saves only on "OK", and
// only values the formatter keeps stable (TelSettingsCheck), judged together
// with `opener`, the unsaved telephone values of the dialog that opened it.
class frmVorwahlen : public QDialog
{
    Q_OBJECT

public:
    frmVorwahlen(Settings &settings, Messages &messages, refdb::Database &database, const QString &programFolder,
                 ui::HelpViewer &help, SettingTexts opener = {}, QWidget *parent = nullptr);

    void Form_Load();
    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdHelp_Click();
    void UpdateExamples();

    // What the controls hold now.
    NumberFormatValues values() const;
    frmVorwahlenUi &controls() { return m_ui; }

private:
    bool refusedByCheck(const NumberFormatValues &edited);
    void SetHistoryFiles();
    void setCaptions();

    frmVorwahlenUi m_ui;
    Settings &m_settings;
    Messages &m_messages;
    refdb::Database &m_database;
    QString m_programFolder;
    ui::HelpViewer &m_help;
    SettingTexts m_opener;
};

} // namespace kw::contacts::telephone
