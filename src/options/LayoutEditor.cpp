#include "options/LayoutEditor.h"

#include "contacts/names/NameCorrectionFunctions.h"
#include "options/frmOptionsUi.h"
#include "platform/ui/HistoryTextBox.h"
#include "shell/GlobalFunctions.h"

#include <QComboBox>
#include <QLabel>
#include <QRadioButton>

#include <algorithm>

namespace kw::options {

const QList<LayoutToken> &layoutTokens()
{
    static const QList<LayoutToken> tokens = [] {
        QList<LayoutToken> list = {
            {0, QStringLiteral("(A)nrede"), QStringLiteral("Anrede"), QLatin1Char('A')},
            {1, QStringLiteral("(V)orname"), QStringLiteral("Vorname"), QLatin1Char('V')},
            {2, QStringLiteral("(W)eitere Vorn."), QStringLiteral("weitere Vorn."), QLatin1Char('W')},
            {3, QStringLiteral("(N)achname"), QStringLiteral("Nachname"), QLatin1Char('N')},
            {4, QStringLiteral("Namens(Z)usatz"), QStringLiteral("Namenszusatz"), QLatin1Char('Z')},
            {16, QStringLiteral("(F)irma"), QStringLiteral("Firma"), QLatin1Char('F')},
        };
        // The separators show themselves, buttons 6 to 15.
        const QString separators = QStringLiteral("-/,;([{)]}");
        for (int i = 0; i < separators.size(); ++i)
            list.append({6 + i, separators.mid(i, 1), separators.mid(i, 1), QChar()});
        return list;
    }();
    return tokens;
}

QComboBox *LayoutEditor::target() const
{
    return m_c.optSaveAs->isChecked() ? m_c.cmbFileAsLayoutEx : m_c.cmbSubjectLayout;
}

QString &LayoutEditor::undoText()
{
    return m_c.optSaveAs->isChecked() ? m_undoFileAs : m_undoSubject;
}

void LayoutEditor::cmdZeichen_Click(int index)
{
    const auto &tokens = layoutTokens();
    const auto token = std::find_if(tokens.begin(), tokens.end(), [index](const LayoutToken &t) { return t.index == index; });
    if (token == tokens.end())
        return;
    QComboBox *box = target();
    undoText() = box->currentText();
    box->setEditText(box->currentText() + token->tag + QLatin1Char(' '));
}

void LayoutEditor::roCommand1_Click()
{
    target()->setEditText(undoText());
}

void LayoutEditor::cmdDelLayout_Click()
{
    target()->setEditText(QString());
}

void LayoutEditor::pExampleNew()
{
    m_c.lblExample->setText(exampleName(target()->currentText()));
}

QString exampleName(const QString &layout)
{
    // A made-up company: the preview must not advertise a real one.
    return contacts::names::BuildNameLayout(QStringLiteral("Prof. Dr. Herr"), QStringLiteral("Max"),
                                            QStringLiteral("Maria"), QStringLiteral("Mustermann"),
                                            QStringLiteral("jun."), QStringLiteral("Muster GmbH"), layout);
}

bool layoutHasToken(const QString &layout)
{
    QString reduced = layout;
    for (const LayoutToken &token : layoutTokens()) {
        if (!token.code.isNull())
            reduced.replace(token.tag, QString(token.code), Qt::CaseInsensitive);
    }
    return std::any_of(reduced.begin(), reduced.end(), [](QChar c) {
        const QChar upper = c.toUpper();
        return contacts::names::IsLayoutCode(upper) && upper != QLatin1Char('L'); // "L" is a blank, not a part
    });
}

bool checkLayout(Messages &messages, const QString &layout, const QString &boxCaption)
{
    if (layoutHasToken(layout))
        return true;
    messages.ShowMessage(
        QString::fromUtf8("Bitte legen Sie im Feld \"%1\" ein Layout mit mindestens einem Namensteil fest.").arg(boxCaption),
        ui::mb::Exclamation, titles::Hinweis);
    return false;
}

} // namespace kw::options
