#include "options/CountryFrame.h"

#include "options/InputRules.h"
#include "platform/ui/WidgetBuild.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>

#include <utility>

namespace kw::options {

using namespace ui::build;

QGroupBox *CountryFrame::setupCountryFrame(QWidget *parent, Placement placement)
{
    const bool stacked = placement == Placement::Stacked;
    frTelQuick = captioned<QGroupBox>(parent, "frTelQuick", "Ländereinstellung");
    QWidget *q = frTelQuick;
    lblTelQuick = label(q, "lblTelQuick", "Schnellauswahl");
    cmbCountrySelect = named(new QComboBox(q), "cmbCountrySelect");
    cmbCountrySelect->setProperty("Tag", QStringLiteral("n"));
    lblCountryCode = label(q, "lblCountryCode", stacked ? "Eigene Ländervorwahl:" : "Eigene Ländervorwahl");
    txtCountryCode = text(q, "txtCountryCode");
    lblIDDP = label(q, "lblIDDP", stacked ? "Eigenes internationales Präfix:" : "Eigenes internationales Präfix");
    txtIDDP = text(q, "txtIDDP");
    lblNDDP = label(q, "lblNDDP", stacked ? "Eigenes nationales Präfix:" : "Eigenes nationales Präfix");
    txtNDDP = text(q, "txtNDDP");

    auto *grid = new QGridLayout(frTelQuick);
    if (stacked) {
        grid->addWidget(lblTelQuick, 0, 0, 1, 2);
        grid->addWidget(cmbCountrySelect, 1, 0, 1, 2);
    } else {
        grid->addWidget(lblTelQuick, 0, 0);
        grid->addWidget(cmbCountrySelect, 0, 1);
    }
    const int first = stacked ? 2 : 1;
    const std::pair<QLabel *, QLineEdit *> rows[] = {
        {lblCountryCode, txtCountryCode}, {lblIDDP, txtIDDP}, {lblNDDP, txtNDDP}};
    for (int i = 0; i < 3; ++i) {
        acceptDigits(rows[i].second, 3);
        if (!stacked)
            rows[i].second->setFixedWidth(60);
        grid->addWidget(rows[i].first, first + i, 0);
        grid->addWidget(rows[i].second, first + i, 1);
    }
    if (!stacked)
        grid->setColumnStretch(2, 1);
    return frTelQuick;
}

} // namespace kw::options
