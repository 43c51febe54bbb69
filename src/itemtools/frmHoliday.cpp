#include "itemtools/frmHoliday.h"

#include "shell/ErrorTrap.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kw::itemtools {
namespace {

const QString kLegend = QString::fromUtf8(
    "Legende: AG = Aargau, AI = Appenzell Innerrhoden, AR = Appenzell Ausserrhoden, BE = Bern, BL = Basel- "
    "Landschaft, BS = Basel-Stadt, FR = Fribourg/Freiburg, GE = Genève, GL = Glarus, GR = Graubünden, "
    "JU = Jura, LU = Luzern, NE = Neuchâtel, NW = Nidwalden, OW = Obwalden, SG = St.Gallen, "
    "SH = Schaffhausen, SO = Solothurn, SZ = Schwyz, TG = Thurgau, TI = Ticino, UR = Uri, VD = Vaud, "
    "VS = Wallis/Valais, ZG = Zug, ZH = Zürich, FL = Fürstentum Liechtenstein");

QComboBox *comboIn(QGroupBox *frame, const char *name)
{
    auto *box = new QComboBox(frame);
    box->setObjectName(QLatin1String(name));
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    (new QVBoxLayout(frame))->addWidget(box);
    return box;
}

} // namespace

void frmHolidayUi::setupUi(QDialog *dialog)
{
    dialog->setObjectName(QStringLiteral("frmHoliday"));
    auto *layout = new QGridLayout(dialog);
    sevFrame2 = new QGroupBox(dialog);
    sevFrame2->setObjectName(QStringLiteral("sevFrame2"));
    txtCountry = comboIn(sevFrame2, "txtCountry");
    sevFrame1 = new QGroupBox(dialog);
    sevFrame1->setObjectName(QStringLiteral("sevFrame1"));
    txtState = comboIn(sevFrame1, "txtState");
    cmdEinfuegen = new QPushButton(dialog);
    cmdEinfuegen->setObjectName(QString::fromUtf8("cmdEinfügen"));
    sevLabel1 = new QLabel(dialog);
    sevLabel1->setObjectName(QStringLiteral("sevLabel1"));
    sevLabel1->setWordWrap(true);
    layout->addWidget(sevFrame2, 0, 0);
    layout->addWidget(sevFrame1, 1, 0);
    layout->addWidget(cmdEinfuegen, 1, 1, Qt::AlignBottom);
    layout->addWidget(sevLabel1, 2, 0, 1, 2);
}

frmHoliday::frmHoliday(holidays::HolidayServices services, ActivatedFolders activatedFolders, QWidget *parent)
    : QDialog(parent), m_services(std::move(services)), m_activatedFolders(std::move(activatedFolders))
{
    m_ui.setupUi(this);
    Form_Load();
    // Connected after the load, which fills the lists itself.
    connect(m_ui.txtCountry, &QComboBox::editTextChanged, this, [this] { FillStates(); });
    connect(m_ui.cmdEinfuegen, &QPushButton::clicked, this, [this] { cmdEinfuegen_Click(); });
}

void frmHoliday::Form_Load()
{
    setWindowTitle(QString::fromUtf8("Schulferien einfügen"));
    m_ui.sevFrame2->setTitle(QString::fromUtf8("Länderkürzel (DE=Deutschland, CH=Schweiz)"));
    m_ui.sevFrame1->setTitle(QStringLiteral("Bundesland / Kanton"));
    m_ui.cmdEinfuegen->setText(QString::fromUtf8("Einfügen"));
    m_ui.sevLabel1->setText(kLegend);
    m_ui.txtCountry->setEditText(QStringLiteral("DE"));

    m_set = m_activatedFolders();
    mFoldersOK = m_set.OK;
    m_ui.cmdEinfuegen->setEnabled(mFoldersOK);
    FillStates();
    m_ui.txtCountry->addItems({QStringLiteral("DE"), QStringLiteral("CH")});
}

void frmHoliday::FillStates()
{
    // Cleared first: after a failure the list must not offer the states of
    // the country chosen before.
    m_ui.txtState->clear();
    trapErrors(m_services.messages, place::HolidayFillStates, {}, [this] {
        m_ui.txtState->addItems(holidays::statesOf(m_services.referenceDatabase, m_ui.txtCountry->currentText()));
    });
    // A state is chosen, never preset: the box stays empty until the user picks one.
    m_ui.txtState->setCurrentIndex(-1);
}

void frmHoliday::cmdEinfuegen_Click()
{
    holidays::InsertHolidays(m_services, m_set, m_ui.txtState->currentText(), m_ui.txtCountry->currentText());
}

} // namespace kw::itemtools
