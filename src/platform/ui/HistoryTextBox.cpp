#include "platform/ui/HistoryTextBox.h"

#include <QLineEdit>

namespace kw::ui {

HistoryTextBox::HistoryTextBox(QWidget *parent) : QComboBox(parent)
{
    setEditable(true);
    // The list is ours to order; Qt's own insertion on Enter would append.
    setInsertPolicy(QComboBox::NoInsert);
    setMaxCount(HistoryList::kMaxEntries);
    // Inline completion would let Enter turn "Ma" into "Max" or "max" into
    // "Max": the box records exactly what was typed.
    setCompleter(nullptr);
    connect(lineEdit(), &QLineEdit::returnPressed, this, &HistoryTextBox::addCurrentToHistory);
}

void HistoryTextBox::setHistoryFile(const QString &path)
{
    m_history = HistoryList(path);
    m_history.load();
    showEntries();
}

void HistoryTextBox::setListTitle(const QString &title)
{
    m_title = title;
    setToolTip(title);
    setAccessibleName(title);
}

void HistoryTextBox::addCurrentToHistory()
{
    if (!m_history.add(currentText()))
        return;
    showEntries();
    // A folder that cannot be written loses the history, not the dialog.
    m_history.save();
}

void HistoryTextBox::showEntries()
{
    const QString text = currentText();
    clear();
    addItems(m_history.entries());
    setCurrentIndex(-1);
    setEditText(text);
}

} // namespace kw::ui
