#pragma once

#include "platform/refdb/Connection.h"

#include <QDialog>
#include <QTableView>
#include <functional>
#include <memory>

class QGroupBox;
class QLabel;
class QPushButton;

namespace kw {
class Messages;
namespace refdb {
class Database;
}
namespace ui {
class HelpViewer;
}
}

namespace kw::contacts::telephone {

class TelTableModel;

// A grid of the table editor. On its new row Tab and Shift+Tab go round
// the cells of that row, typing edits the current cell, Enter asks to finish
// the row (newRowFinished) and Escape to drop it (newRowEscaped); everywhere
// else it is a plain table view.
class TelGrid : public QTableView
{
    Q_OBJECT

public:
    using QTableView::QTableView;

    // Closes an editor still open on the current cell, storing what it holds
    // first when `commit` is set.
    void closeOpenEditor(bool commit);
    // Sizes the columns to the model's headers and codes.
    void fitColumns();

Q_SIGNALS:
    void newRowFinished();
    void newRowEscaped();

protected:
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyboardSearch(const QString &search) override;
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    bool onNewRow() const;
};

// The controls of the table editor, created with their object names; no connections.
struct frmTelDBUi
{
    QGroupBox *frmCaution = nullptr;
    QLabel *lblCautionDes = nullptr;
    QGroupBox *frmCountryCodes = nullptr;
    TelGrid *GridCountryArea = nullptr;
    QPushButton *cmdNew1 = nullptr;
    QGroupBox *frmNDDP = nullptr;
    TelGrid *GridNDDP = nullptr;
    QPushButton *cmdNew2 = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdHelp = nullptr;

    void setupUi(QDialog *dialog);
};

// "Telefonnummer Optionen": the two telephone tables of the reference
// database in two grids. Every change of a stored row is written at once; a
// new row when the user leaves it, finishes it with Enter or closes the
// window, and only complete. A deletion is asked for, and what the table
// refuses is said and taken back.
class frmTelDB : public QDialog
{
    Q_OBJECT

public:
    // `database`: the program folder's reference database, edited through a
    // connection of its own; `help` shows this window's help page.
    frmTelDB(Messages &messages, refdb::Database &database, ui::HelpViewer &help, QWidget *parent = nullptr);
    ~frmTelDB() override;

    void Form_Load();
    void cmdNew1_Click();
    void cmdNew2_Click();
    void cmdOK_Click();
    void cmdHelp_Click();
    // The grid's delete key on its current row: asks first, No keeps the row.
    void deleteCurrentRow(TelGrid *grid);

    TelTableModel *countryAreaModel() const { return m_countryArea.get(); }
    TelTableModel *nddpModel() const { return m_nddp.get(); }
    frmTelDBUi &controls() { return m_ui; }

    void done(int result) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::unique_ptr<TelTableModel> openGrid(TelGrid *grid, const QString &table);
    void startNewRow(TelGrid *grid);
    void finishNewRow(TelGrid *grid);
    TelTableModel *modelOf(QTableView *grid) const;
    void showRefused();

    frmTelDBUi m_ui;
    Messages &m_messages;
    refdb::Database &m_database;
    ui::HelpViewer &m_help;
    refdb::Connection m_connection; // before the models: they go first
    std::unique_ptr<TelTableModel> m_countryArea;
    std::unique_ptr<TelTableModel> m_nddp;
};

} // namespace kw::contacts::telephone
