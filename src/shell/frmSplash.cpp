#include "shell/frmSplash.h"

#include "platform/ui/BusyBar.h"
#include "shell/AppServices.h"

#include <QLabel>
#include <QVBoxLayout>

namespace kw {

frmSplash::frmSplash(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(QStringLiteral("Kontorwerk"));

    auto *title = new QLabel(QStringLiteral("Kontorwerk"), this);
    title->setObjectName(QStringLiteral("lblTitle"));
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 2.4);
    big.setBold(true);
    title->setFont(big);
    title->setAlignment(Qt::AlignCenter);

    lblVersion = new QLabel(this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblVersion->setAlignment(Qt::AlignCenter);

    busyBar = new ui::BusyBar(this);
    busyBar->setObjectName(QStringLiteral("busyBar"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(36, 30, 36, 24);
    layout->setSpacing(14);
    layout->addWidget(title);
    layout->addWidget(lblVersion);
    layout->addWidget(busyBar);

    setStyleSheet(QStringLiteral("kw--frmSplash { background: #f4f7fb; border: 1px solid #8aa0bd; }"));
    setAttribute(Qt::WA_StyledBackground);
    setFixedSize(380, 190);
}

void frmSplash::Form_Load()
{
    lblVersion->setText(QStringLiteral("Version ") + versionText());
    busyBar->start();
}

} // namespace kw
