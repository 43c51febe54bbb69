#include "replace/frmReplaceUi.h"

#include "platform/ui/BusyBar.h"
#include "platform/ui/HistoryTextBox.h"
#include "platform/ui/WidgetBuild.h"
#include "replace/FieldList.h"

#include <QCheckBox>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace kw::replace {
namespace {

using ui::build::child;

// A frame holding one control.
QGroupBox *frameAround(QWidget *parent, const char *name, QWidget *content)
{
    auto *frame = child<QGroupBox>(parent, name);
    auto *layout = new QVBoxLayout(frame);
    content->setParent(frame);
    layout->addWidget(content);
    return frame;
}

} // namespace

void frmReplaceUi::setupUi(QDialog *dialog)
{
    dialog->setObjectName(QStringLiteral("frmReplace"));
    lstFields = child<FieldList>(dialog, "lstFields");
    lstFields->setSelectionMode(QAbstractItemView::MultiSelection);
    frFields = frameAround(dialog, "frFields", lstFields);
    txtFind = child<QLineEdit>(dialog, "txtFind");
    frFind = frameAround(dialog, "frFind", txtFind);
    txtReplace = child<QLineEdit>(dialog, "txtReplace");
    frReplace = frameAround(dialog, "frReplace", txtReplace);

    sevFrame1 = child<QGroupBox>(dialog, "sevFrame1");
    chkWord = child<QCheckBox>(sevFrame1, "chkWord");
    chkReplace = child<QCheckBox>(sevFrame1, "chkReplace");
    chkLeer = child<QCheckBox>(sevFrame1, "chkLeer");
    chkUserDef = child<QCheckBox>(sevFrame1, "chkUserDef");
    txtUserDef = child<ui::HistoryTextBox>(sevFrame1, "txtUserDef");
    auto *options = new QVBoxLayout(sevFrame1);
    for (QWidget *w : {static_cast<QWidget *>(chkWord), static_cast<QWidget *>(chkReplace),
                       static_cast<QWidget *>(chkLeer), static_cast<QWidget *>(chkUserDef),
                       static_cast<QWidget *>(txtUserDef)})
        options->addWidget(w);

    cmdReplace = child<QPushButton>(dialog, "cmdReplace");
    cmdUndo = child<QPushButton>(dialog, "cmdUndo");
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdUndo);
    buttons->addWidget(cmdReplace);

    lblDescription = child<QLabel>(dialog, "lblDescription");
    lblDescription->setWordWrap(true);
    frDescription = frameAround(dialog, "frDescription", lblDescription);
    sevWaitBar1 = child<ui::BusyBar>(dialog, "sevWaitBar1");

    auto *right = new QVBoxLayout;
    right->addWidget(frFind);
    right->addWidget(frReplace);
    right->addWidget(sevFrame1);
    right->addStretch();
    right->addLayout(buttons);
    auto *grid = new QGridLayout(dialog);
    grid->addWidget(frFields, 0, 0);
    grid->addLayout(right, 0, 1);
    grid->addWidget(frDescription, 1, 0, 1, 2);
    grid->addWidget(sevWaitBar1, 2, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
}

} // namespace kw::replace
