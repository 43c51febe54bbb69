#include "options/frmQuickOptionsUi.h"

#include "options/InputRules.h"
#include "platform/ui/WidgetBuild.h"

#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace kw::options {

using namespace ui::build;

namespace {

QLabel *heading(QWidget *page, int index, const char *caption)
{
    auto *title = indexed(new QLabel(QString::fromUtf8(caption), page), "lblHeading", index);
    QFont font = title->font();
    font.setBold(true);
    title->setFont(font);
    title->setWordWrap(true);
    return title;
}

} // namespace

QWidget *frmQuickOptionsUi::setupTelephonePage(QWidget *page)
{
    setupCountryFrame(page, Placement::Stacked);

    frDurchwahl = captioned<QGroupBox>(page, "frDurchwahl", "Durchwahltrennzeichen");
    lblDurchwahl = label(frDurchwahl, "lblDurchwahl",
                         "Geben Sie hier ihr bis jetzt verwendetes Trennzeichen für die Durchwahl ein.");
    lblDurchwahl->setWordWrap(true);
    txtDurchwahlTrenn = text(frDurchwahl, "txtDurchwahlTrenn");
    acceptExtensionSeparator(txtDurchwahlTrenn);
    txtDurchwahlTrenn->setFixedWidth(40);
    auto *separator = new QVBoxLayout(frDurchwahl);
    separator->addWidget(lblDurchwahl);
    separator->addWidget(txtDurchwahlTrenn);

    auto *holder = new QWidget(page);
    auto *box = new QHBoxLayout(holder);
    box->setContentsMargins(0, 0, 0, 0);
    box->addWidget(frTelQuick);
    box->addWidget(frDurchwahl, 0, Qt::AlignTop);
    return holder;
}

void frmQuickOptionsUi::setupUi(QDialog *dialog)
{
    dialog->setObjectName(QStringLiteral("frmQuickOptions"));
    dialog->setWindowTitle(QStringLiteral("Optionen-Assistent"));
    pages = new QStackedWidget(dialog);
    QList<QVBoxLayout *> boxes;
    for (int i = 0; i < 4; ++i) {
        frMain[i] = indexed(new QWidget(pages), "frMain", i);
        boxes.append(new QVBoxLayout(frMain[i]));
        pages->addWidget(frMain[i]);
    }
    lblHeading[0] = heading(frMain[0], 0, "Willkommen zum Optionen-Assistent...");
    lblWelcome = label(frMain[0], "lblWelcome",
                       "Mit diesem Assistenten können Sie die wichtigsten Einstellungen für die Kontorwerk vornehmen. "
                       "Viele weitere Einstellungen finden Sie in den Optionen.");
    lblWelcome->setWordWrap(true);
    boxes[0]->addWidget(lblHeading[0]);
    boxes[0]->addWidget(lblWelcome);

    lblHeading[1] = heading(frMain[1], 1, "Wählen Sie hier Ihre persönlichen Telefonnummern Einstellungen...");
    boxes[1]->addWidget(lblHeading[1]);
    boxes[1]->addWidget(setupTelephonePage(frMain[1]));

    lblHeading[2] = heading(frMain[2], 2, "In welchem Ordner sollen die exportierten Anlagen gespeichert werden?");
    txtAttPath = text(frMain[2], "txtAttPath");
    txtAttPath->setReadOnly(true);
    cmdAttPath = named(new QToolButton(frMain[2]), "cmdAttPath");
    cmdAttPath->setText(QStringLiteral("..."));
    cmdAttPath->setToolTip(QStringLiteral("Ordner auswählen"));
    auto *path = new QHBoxLayout;
    path->addWidget(txtAttPath);
    path->addWidget(cmdAttPath);
    boxes[2]->addWidget(lblHeading[2]);
    boxes[2]->addLayout(path);

    lblHeading[3] = heading(frMain[3], 3, "Wählen Sie dass Layout für die Namen korrigieren - Funktion...");
    lblFileAsLayout = label(frMain[3], "lblFileAsLayout", "Layout für Speichern unter - Feld");
    cmbFileAsLayoutEx = named(new QComboBox(frMain[3]), "cmbFileAsLayoutEx");
    cmbFileAsLayoutEx->setEditable(true);
    cmbFileAsLayoutEx->setInsertPolicy(QComboBox::NoInsert);
    lblLayoutNote = label(frMain[3], "lblLayoutNote",
                          "Hinweis: In den Optionen können Sie auch ein individuelles Format festlegen.");
    lblLayoutNote->setWordWrap(true);
    for (QWidget *w : {static_cast<QWidget *>(lblHeading[3]), static_cast<QWidget *>(lblFileAsLayout),
                       static_cast<QWidget *>(cmbFileAsLayoutEx), static_cast<QWidget *>(lblLayoutNote)})
        boxes[3]->addWidget(w);
    for (QVBoxLayout *box : boxes)
        box->addStretch();

    cmdBack = captioned<QPushButton>(dialog, "cmdBack", "&Zurück");
    cmdForward = captioned<QPushButton>(dialog, "cmdForward", "&Weiter");
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdBack);
    buttons->addWidget(cmdForward);
    auto *main = new QVBoxLayout(dialog);
    main->addWidget(pages);
    main->addLayout(buttons);
    dialog->resize(560, 340);
}

QList<QWidget *> frmQuickOptionsUi::controls() const
{
    return {cmbCountrySelect, txtCountryCode, txtIDDP, txtNDDP, txtDurchwahlTrenn, txtAttPath, cmbFileAsLayoutEx};
}

} // namespace kw::options
