#pragma once

#include "platform/ui/HistoryList.h"

#include <QComboBox>

namespace kw::ui {

// An editable box whose drop-down offers the earlier entries of its history
// file, most recent first. Enter in the box, or the dialog's OK through
// addCurrentToHistory(), records the current text. The history is a
// convenience: when its file cannot be read or written, the box works on
// without it and says nothing.
class HistoryTextBox : public QComboBox
{
    Q_OBJECT

public:
    explicit HistoryTextBox(QWidget *parent = nullptr);

    // Reads the list from path (e.g. the program folder's "Preferences/Tel.dat");
    // the text in the box stays as it is.
    void setHistoryFile(const QString &path);
    QString historyFile() const { return m_history.filePath(); }

    // The list's title, shown as the box's tool tip and accessible name.
    void setListTitle(const QString &title);
    QString listTitle() const { return m_title; }

    QString text() const { return currentText(); }
    void setText(const QString &text) { setEditText(text); }

    // Puts the current text on top of the list and writes the file.
    void addCurrentToHistory();

private:
    void showEntries();

    HistoryList m_history;
    QString m_title;
};

} // namespace kw::ui
