#pragma once

// Module LayoutEditor: the token buttons, undo, clear and preview of the name layouts.

#include <QChar>
#include <QList>
#include <QString>

class QComboBox;

namespace kw {
class Messages;
}

namespace kw::options {

// One button of the token row: its index in the button array (there is no
// index 5), its caption, the text it appends (its Tag) and, for the six name
// parts, the code letter the layout builder reduces the word to.
struct LayoutToken
{
    int index;
    QString caption;
    QString tag;
    QChar code; // null for the separators
};

const QList<LayoutToken> &layoutTokens();

struct OtherPagesControls;

// Edits the target box, the FileAs layout while `optSaveAs` is selected, else
// the subject layout: tokens are appended one at a time, each followed by
// one blank; undo gives back the box's text before its last appended token
// (each box has its own, reaching back one token); clear empties the box.
class LayoutEditor
{
public:
    explicit LayoutEditor(const OtherPagesControls &controls) : m_c(controls) {}

    void cmdZeichen_Click(int index);
    void roCommand1_Click();
    void cmdDelLayout_Click();
    // Shows the target layout applied to the sample name.
    void pExampleNew();

    QComboBox *target() const;

private:
    QString &undoText();

    const OtherPagesControls &m_c;
    QString m_undoFileAs;
    QString m_undoSubject;
};

// The layout applied to the fixed sample name of the preview.
QString exampleName(const QString &layout);

// True when the layout names at least one part (a word or its code letter,
// as the layout builder reads them); a layout of separators alone, or an
// empty one, would blank the field it is applied to.
bool layoutHasToken(const QString &layout);

// Shows "Bitte legen Sie im Feld ..." naming `boxCaption` when the layout has
// no token, and answers whether it may be saved.
bool checkLayout(Messages &messages, const QString &layout, const QString &boxCaption);

} // namespace kw::options
