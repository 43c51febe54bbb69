#pragma once

#include "shell/ErrorTrap.h"

#include <QColor>
#include <QDialog>

class QGroupBox;
class QLabel;

namespace kw {
class Messages;
class Settings;
namespace refdb {
class Database;
}
namespace ui {
class HistoryTextBox;
}
}

namespace kw::contacts::telephone {

// The controls of the test dialog, created with their object names; no connections.
struct frmTelPruefUi
{
    QLabel *lblInfo = nullptr;
    QLabel *lblTelNr = nullptr;
    ui::HistoryTextBox *txtTelNr = nullptr;
    QGroupBox *frmOut = nullptr;
    QLabel *lblAusgabe = nullptr;

    void setupUi(QDialog *dialog);
};

// What the test dialog shows for an input: the formatter's answer, green
// when it differs from the input (blanks at the ends aside), else black.
struct TelTestResult
{
    QString text;
    QColor colour;
};
TelTestResult telTestResult(const QString &input, const QString &formatted);

// "Telefonnummer testen": shows at each keystroke what the telephone run
// would make of the number typed.
class frmTelPruef : public QDialog
{
    Q_OBJECT

public:
    frmTelPruef(Settings &settings, Messages &messages, refdb::Database &database, const QString &programFolder,
                QWidget *parent = nullptr);

    void Form_Load();
    void txtTelNr_Change();
    frmTelPruefUi &controls() { return m_ui; }

private:
    void ShowTestResult();
    bool databaseUsable();

    frmTelPruefUi m_ui;
    Settings &m_settings;
    Messages &m_messages;
    refdb::Database &m_database;
    QString m_programFolder;
    ReportOnce m_databaseReport;
};

} // namespace kw::contacts::telephone
