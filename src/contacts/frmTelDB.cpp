#include "contacts/frmTelDB.h"

#include "contacts/TelTableModel.h"
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

namespace kw {
namespace {

QGroupBox *gridFrame(QDialog *dialog, const char *name, QTableView *&grid, const char *gridName, QPushButton *&button,
                     const char *buttonName)
{
    auto *frame = new QGroupBox(dialog);
    frame->setObjectName(QLatin1String(name));
    auto *layout = new QVBoxLayout(frame);
    grid = new QTableView(frame);
    grid->setObjectName(QLatin1String(gridName));
    button = new QPushButton(frame);
    button->setObjectName(QLatin1String(buttonName));
    layout->addWidget(grid);
    layout->addWidget(button, 0, Qt::AlignLeft);
    return frame;
}

} // namespace

void frmTelDBUi::setupUi(QDialog *dialog)
{
    dialog->setObjectName(QStringLiteral("frmTelDB"));
    auto *layout = new QVBoxLayout(dialog);
    frmCaution = new QGroupBox(dialog);
    frmCaution->setObjectName(QStringLiteral("frmCaution"));
    lblCautionDes = new QLabel(frmCaution);
    lblCautionDes->setObjectName(QStringLiteral("lblCautionDes"));
    (new QVBoxLayout(frmCaution))->addWidget(lblCautionDes);
    frmCountryCodes = gridFrame(dialog, "frmCountryCodes", GridCountryArea, "GridCountryArea", cmdNew1, "cmdNew1");
    frmNDDP = gridFrame(dialog, "frmNDDP", GridNDDP, "GridNDDP", cmdNew2, "cmdNew2");
    auto *grids = new QHBoxLayout;
    grids->addWidget(frmCountryCodes);
    grids->addWidget(frmNDDP);
    auto *buttons = new QHBoxLayout;
    cmdHelp = new QPushButton(dialog);
    cmdHelp->setObjectName(QStringLiteral("cmdHelp"));
    cmdOK = new QPushButton(dialog);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    buttons->addWidget(cmdHelp);
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    layout->addWidget(frmCaution);
    layout->addLayout(grids, 1);
    layout->addLayout(buttons);
}

frmTelDB::frmTelDB(Messages &messages, QString databasePath, std::function<void(QWidget *)> help, QWidget *parent)
    : QDialog(parent), m_messages(messages), m_path(std::move(databasePath)), m_help(std::move(help))
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
        m_connection = refdb::Connection::Open(m_path, refdb::Connection::Mode::ReadWrite);
        m_countryArea = openGrid(m_ui.GridCountryArea, QStringLiteral("T_CountryAndAreaCodes"));
        m_nddp = openGrid(m_ui.GridNDDP, QStringLiteral("T_CountryCodes"));
    });
}

std::unique_ptr<tel::TelTableModel> frmTelDB::openGrid(QTableView *grid, const QString &table)
{
    auto model = std::make_unique<tel::TelTableModel>(m_connection.database(), table, QStringLiteral("CountryCode"));
    model->refused = [this] { showRefused(); };
    grid->setModel(model.get());
    grid->verticalHeader()->hide();
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    tel::TelTableModel *raw = model.get();
    // Leaving the new row stores it.
    connect(grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [raw](const QModelIndex &current, const QModelIndex &previous) {
                if (previous.isValid() && previous.row() == raw->newRow() && current.row() != previous.row())
                    raw->submitNewRow();
            });
    return model;
}

tel::TelTableModel *frmTelDB::modelOf(QTableView *grid) const
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

void frmTelDB::startNewRow(QTableView *grid)
{
    tel::TelTableModel *model = modelOf(grid);
    if (!model)
        return;
    const int row = model->startNewRow();
    if (row < 0)
        return;
    const QModelIndex first = model->index(row, 0);
    grid->setCurrentIndex(first);
    grid->scrollTo(first);
    grid->edit(first);
}

void frmTelDB::cmdNew1_Click()
{
    startNewRow(m_ui.GridCountryArea);
}

void frmTelDB::cmdNew2_Click()
{
    startNewRow(m_ui.GridNDDP);
}

void frmTelDB::deleteCurrentRow(QTableView *grid)
{
    tel::TelTableModel *model = modelOf(grid);
    const int row = grid->currentIndex().row();
    if (!model || row < 0)
        return;
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
    if (m_help)
        m_help(this);
}

// However the window closes, a new row still open is stored (or refused).
void frmTelDB::done(int result)
{
    for (QTableView *grid : {m_ui.GridCountryArea, m_ui.GridNDDP}) {
        if (grid->model())
            grid->setCurrentIndex(QModelIndex()); // closes an open editor into the model
        if (tel::TelTableModel *model = modelOf(grid))
            model->submitNewRow();
    }
    QDialog::done(result);
}

bool frmTelDB::eventFilter(QObject *watched, QEvent *event)
{
    auto *grid = qobject_cast<QTableView *>(watched);
    if (grid && event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Delete) {
        deleteCurrentRow(grid);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace kw
