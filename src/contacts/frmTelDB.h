#pragma once

#include "platform/refdb/Connection.h"

#include <QDialog>
#include <functional>
#include <memory>

class QGroupBox;
class QLabel;
class QPushButton;
class QTableView;

namespace kw {
class Messages;
namespace tel {
class TelTableModel;
}

// The controls of the table editor, created with their object names; no connections.
struct frmTelDBUi
{
    QGroupBox *frmCaution = nullptr;
    QLabel *lblCautionDes = nullptr;
    QGroupBox *frmCountryCodes = nullptr;
    QTableView *GridCountryArea = nullptr;
    QPushButton *cmdNew1 = nullptr;
    QGroupBox *frmNDDP = nullptr;
    QTableView *GridNDDP = nullptr;
    QPushButton *cmdNew2 = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdHelp = nullptr;

    void setupUi(QDialog *dialog);
};

// "Telefonnummer Optionen": the two telephone tables of the reference
// database in two grids. Every change is stored in the table at once; a
// deletion is asked for, and what the table refuses is said and taken back.
class frmTelDB : public QDialog
{
    Q_OBJECT

public:
    // `databasePath`: the program folder's reference database; `help` shows
    // this window's help page.
    frmTelDB(Messages &messages, QString databasePath, std::function<void(QWidget *)> help,
             QWidget *parent = nullptr);
    ~frmTelDB() override;

    void Form_Load();
    void cmdNew1_Click();
    void cmdNew2_Click();
    void cmdOK_Click();
    void cmdHelp_Click();
    // The grid's delete key on its current row: asks first, No keeps the row.
    void deleteCurrentRow(QTableView *grid);

    tel::TelTableModel *countryAreaModel() const { return m_countryArea.get(); }
    tel::TelTableModel *nddpModel() const { return m_nddp.get(); }
    frmTelDBUi &controls() { return m_ui; }

    void done(int result) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::unique_ptr<tel::TelTableModel> openGrid(QTableView *grid, const QString &table);
    void startNewRow(QTableView *grid);
    tel::TelTableModel *modelOf(QTableView *grid) const;
    void showRefused();

    frmTelDBUi m_ui;
    Messages &m_messages;
    QString m_path;
    std::function<void(QWidget *)> m_help;
    refdb::Connection m_connection; // before the models: they go first
    std::unique_ptr<tel::TelTableModel> m_countryArea;
    std::unique_ptr<tel::TelTableModel> m_nddp;
};

} // namespace kw
