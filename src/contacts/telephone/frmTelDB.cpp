#include "contacts/telephone/frmTelDB.h"

#include "contacts/telephone/TelTableModel.h"
#include "platform/refdb/Database.h"
#include "platform/ui/HelpViewer.h"
#include "platform/ui/WidgetBuild.h"
#include "shell/ErrorTrap.h"
#include "shell/GlobalFunctions.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

namespace kw::contacts::telephone {
namespace {

using ui::build::child;

QGroupBox *gridFrame(QDialog *dialog, const char *name, TelGrid *&grid, const char *gridName, QPushButton *&button,
                     const char *buttonName)
{
    auto *frame = child<QGroupBox>(dialog, name);
    auto *layout = new QVBoxLayout(frame);
    grid = child<TelGrid>(frame, gridName);
    button = child<QPushButton>(frame, buttonName);
    layout->addWidget(grid);
    layout->addWidget(button, 0, Qt::AlignLeft);
    return frame;
}

TelTableModel *telModel(const QAbstractItemView *grid)
{
    return qobject_cast<TelTableModel *>(grid->model());
}

} // namespace

// Each code column as wide as its header or its longest code, the widest
// column (the place or country name) takes the rest, so every header reads
// in full without scrolling sideways; rows as high as one line of text.
void TelGrid::fitColumns()
{
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    QHeaderView *header = horizontalHeader();
    int widest = 0;
    for (int column = 0; column < header->count(); ++column) {
        const int content = sizeHintForColumn(column);
        header->resizeSection(column, std::max(header->sectionSizeHint(column), content));
        if (content > sizeHintForColumn(widest))
            widest = column;
    }
    header->setSectionResizeMode(widest, QHeaderView::Stretch);
}

bool TelGrid::onNewRow() const
{
    const TelTableModel *model = telModel(this);
    return model && model->newRow() >= 0 && currentIndex().row() == model->newRow();
}

void TelGrid::closeOpenEditor(bool commit)
{
    QWidget *editor = state() == EditingState ? indexWidget(currentIndex()) : nullptr;
    if (!editor)
        return;
    if (commit)
        commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

QModelIndex TelGrid::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    if (onNewRow() && (cursorAction == MoveNext || cursorAction == MovePrevious)) {
        const int columns = model()->columnCount();
        const int step = cursorAction == MoveNext ? 1 : columns - 1;
        return model()->index(currentIndex().row(), (currentIndex().column() + step) % columns);
    }
    return QTableView::moveCursor(cursorAction, modifiers);
}

void TelGrid::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Enter || event->key() == Qt::Key_Return;
    if (enter && state() == EditingState) {
        // The editor's Enter, passed on to us: the editor closes by itself,
        // and the dialog must not take it for its default button.
        event->accept();
        return;
    }
    if (onNewRow() && (enter || event->key() == Qt::Key_Escape)) {
        event->accept();
        if (enter)
            Q_EMIT newRowFinished();
        else
            Q_EMIT newRowEscaped();
        return;
    }
    QTableView::keyPressEvent(event);
}

// Type-ahead would leave a new row for a stored one that starts with the typed text.
void TelGrid::keyboardSearch(const QString &search)
{
    const TelTableModel *model = telModel(this);
    if (model && model->newRow() >= 0)
        return;
    QTableView::keyboardSearch(search);
}

// Enter or Escape in a cell of the new row; an editor closed because the
// user went to another row is left to the dialog's row change.
void TelGrid::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    const bool newRow = onNewRow();
    QTableView::closeEditor(editor, hint);
    if (newRow && hint == QAbstractItemDelegate::SubmitModelCache)
        Q_EMIT newRowFinished();
    else if (newRow && hint == QAbstractItemDelegate::RevertModelCache)
        Q_EMIT newRowEscaped();
}

void frmTelDBUi::setupUi(QDialog *dialog)
{
    ui::build::named(dialog, "frmTelDB");
    auto *layout = new QVBoxLayout(dialog);
    frmCaution = child<QGroupBox>(dialog, "frmCaution");
    lblCautionDes = child<QLabel>(frmCaution, "lblCautionDes");
    (new QVBoxLayout(frmCaution))->addWidget(lblCautionDes);
    frmCountryCodes = gridFrame(dialog, "frmCountryCodes", GridCountryArea, "GridCountryArea", cmdNew1, "cmdNew1");
    frmNDDP = gridFrame(dialog, "frmNDDP", GridNDDP, "GridNDDP", cmdNew2, "cmdNew2");
    auto *grids = new QHBoxLayout;
    grids->addWidget(frmCountryCodes, 1);
    grids->addWidget(frmNDDP, 1);
    auto *buttons = new QHBoxLayout;
    cmdHelp = child<QPushButton>(dialog, "cmdHelp");
    cmdOK = child<QPushButton>(dialog, "cmdOK");
    buttons->addWidget(cmdHelp);
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    layout->addWidget(frmCaution);
    layout->addLayout(grids, 1);
    layout->addLayout(buttons);
    // Both grids show their headers in full and the window still fits 800x600.
    dialog->resize(780, 540);
}

frmTelDB::frmTelDB(Messages &messages, refdb::Database &database, ui::HelpViewer &help, QWidget *parent)
    : QDialog(parent)
    , m_messages(messages)
    , m_database(database)
    , m_help(help)
{
    m_ui.setupUi(this);
    connect(m_ui.cmdNew1, &QPushButton::clicked, this, [this] { cmdNew1_Click(); });
    connect(m_ui.cmdNew2, &QPushButton::clicked, this, [this] { cmdNew2_Click(); });
    connect(m_ui.cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(m_ui.cmdHelp, &QPushButton::clicked, this, [this] { cmdHelp_Click(); });
    m_ui.GridCountryArea->installEventFilter(this);
    m_ui.GridNDDP->installEventFilter(this);
    Form_Load();
}

frmTelDB::~frmTelDB()
{
    m_ui.GridCountryArea->setModel(nullptr);
    m_ui.GridNDDP->setModel(nullptr);
}

void frmTelDB::Form_Load()
{
    setWindowTitle(QStringLiteral("Telefonnummer Optionen"));
    m_ui.frmCaution->setTitle(QStringLiteral("Achtung!"));
    m_ui.frmCountryCodes->setTitle(QString::fromUtf8("Länder- und Ortvorwahlen"));
    m_ui.frmNDDP->setTitle(QString::fromUtf8("Nationale Präfixe"));
    m_ui.cmdNew1->setText(QStringLiteral("Neu"));
    m_ui.cmdNew2->setText(QStringLiteral("Neu"));
    m_ui.cmdOK->setText(QStringLiteral("OK"));
    m_ui.cmdHelp->setText(QStringLiteral("Hilfe"));
    m_ui.lblCautionDes->setText(QString::fromUtf8("Änderung an den Tabellen werden sofort gespeichert!"));
    trapErrors(m_messages, place::TelTableLoad, QString(), [this] {
        m_connection = m_database.openForWriting();
        m_countryArea = openGrid(m_ui.GridCountryArea, QStringLiteral("T_CountryAndAreaCodes"));
        m_nddp = openGrid(m_ui.GridNDDP, QStringLiteral("T_CountryCodes"));
    });
}

std::unique_ptr<TelTableModel> frmTelDB::openGrid(TelGrid *grid, const QString &table)
{
    auto model = std::make_unique<TelTableModel>(m_connection.database(), table);
    model->refused = [this] { showRefused(); };
    grid->setModel(model.get());
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->fitColumns();
    TelTableModel *raw = model.get();
    // Leaving the new row stores it. While the model removes a row it has
    // no new row, so the row change that removal causes does nothing here.
    connect(grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [raw](const QModelIndex &current, const QModelIndex &previous) {
                if (previous.isValid() && previous.row() == raw->newRow() && current.row() != previous.row())
                    raw->submitNewRow();
            });
    connect(grid, &TelGrid::newRowFinished, this, [this, grid] { finishNewRow(grid); });
    connect(grid, &TelGrid::newRowEscaped, this, [raw] { raw->dropNewRow(); });
    return model;
}

TelTableModel *frmTelDB::modelOf(QTableView *grid) const
{
    if (grid == m_ui.GridCountryArea)
        return m_countryArea.get();
    if (grid == m_ui.GridNDDP)
        return m_nddp.get();
    return nullptr;
}

void frmTelDB::showRefused()
{
    m_messages.ShowMessage(QString::fromUtf8("Fehler beim Hinzufügen der neuen Datenzeile, prüfen Sie ob die Daten "
                                             "bereits vorhanden sind."),
                           ui::mb::Critical, titles::Fehler);
}

void frmTelDB::startNewRow(TelGrid *grid)
{
    TelTableModel *model = modelOf(grid);
    if (!model)
        return;
    grid->closeOpenEditor(true);
    const int row = model->startNewRow();
    if (row < 0)
        return;
    const QModelIndex first = model->index(row, 0);
    grid->setCurrentIndex(first);
    grid->scrollTo(first);
    grid->edit(first);
}

// Enter on the new row: a row still missing a key goes on in that cell.
void frmTelDB::finishNewRow(TelGrid *grid)
{
    TelTableModel *model = modelOf(grid);
    if (!model || model->newRow() < 0)
        return;
    const int missing = model->missingColumn();
    if (missing < 0) {
        model->submitNewRow();
        return;
    }
    const QModelIndex cell = model->index(model->newRow(), missing);
    grid->setCurrentIndex(cell);
    grid->edit(cell);
}

void frmTelDB::cmdNew1_Click()
{
    startNewRow(m_ui.GridCountryArea);
}

void frmTelDB::cmdNew2_Click()
{
    startNewRow(m_ui.GridNDDP);
}

void frmTelDB::deleteCurrentRow(TelGrid *grid)
{
    TelTableModel *model = modelOf(grid);
    const int row = grid->currentIndex().row();
    if (!model || row < 0)
        return;
    grid->closeOpenEditor(false);
    if (row != model->newRow()
        && m_messages.ShowMessage(QString::fromUtf8("Möchten Sie den Datensatz löschen?"),
                                  ui::mb::YesNo + ui::mb::Question, titles::Frage)
               == ui::answer::No)
        return;
    model->deleteRow(row);
}

void frmTelDB::cmdOK_Click()
{
    trapErrors(m_messages, place::TelTableOk, QString(), [this] { accept(); });
}

void frmTelDB::cmdHelp_Click()
{
    m_help.showHelpFor(this);
}

// However the window closes, a new row still open is stored (or refused).
void frmTelDB::done(int result)
{
    for (TelGrid *grid : {m_ui.GridCountryArea, m_ui.GridNDDP}) {
        grid->closeOpenEditor(true);
        if (TelTableModel *model = modelOf(grid))
            model->submitNewRow();
    }
    QDialog::done(result);
}

bool frmTelDB::eventFilter(QObject *watched, QEvent *event)
{
    auto *grid = qobject_cast<TelGrid *>(watched);
    if (grid && event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Delete) {
        deleteCurrentRow(grid);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace kw::contacts::telephone
