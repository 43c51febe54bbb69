#include "platform/ui/MessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace kw::ui {

int defaultAnswer(int buttons)
{
    const int set = buttons & 0x0f;
    const bool second = (buttons & 0x300) == mb::DefaultButton2;
    switch (set) {
    case mb::OKCancel:
        return second ? answer::Cancel : answer::OK;
    case mb::YesNoCancel:
    case mb::YesNo:
        return second ? answer::No : answer::Yes;
    default:
        return answer::OK;
    }
}

int QtMessageBox::show(const MessageRequest &request)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(request.title.isEmpty() ? QStringLiteral("Kontorwerk") : request.title);
    box.setText(request.prompt);
    switch (request.buttons & 0x70) {
    case mb::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case mb::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case mb::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case mb::Information:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        box.setIcon(QMessageBox::NoIcon);
    }

    struct Choice { const char *text; int code; QMessageBox::ButtonRole role; };
    QList<Choice> choices;
    switch (request.buttons & 0x0f) {
    case mb::OKCancel:
        choices = {{"OK", answer::OK, QMessageBox::AcceptRole}, {"Abbrechen", answer::Cancel, QMessageBox::RejectRole}};
        break;
    case mb::YesNoCancel:
        choices = {{"Ja", answer::Yes, QMessageBox::YesRole}, {"Nein", answer::No, QMessageBox::NoRole},
                   {"Abbrechen", answer::Cancel, QMessageBox::RejectRole}};
        break;
    case mb::YesNo:
        choices = {{"Ja", answer::Yes, QMessageBox::YesRole}, {"Nein", answer::No, QMessageBox::NoRole}};
        break;
    default:
        choices = {{"OK", answer::OK, QMessageBox::AcceptRole}};
    }
    const int defaultCode = defaultAnswer(request.buttons);
    QList<QPair<QAbstractButton *, int>> buttons;
    for (const Choice &c : choices) {
        QPushButton *b = box.addButton(QString::fromUtf8(c.text), c.role);
        buttons.append({b, c.code});
        if (c.code == defaultCode)
            box.setDefaultButton(b);
    }
    box.exec();
    for (const auto &[button, code] : buttons) {
        if (box.clickedButton() == button)
            return code;
    }
    // Closed by Escape or the window frame: the answer of the escape button.
    return (request.buttons & 0x0f) == mb::YesNo ? answer::No
         : (request.buttons & 0x0f) == mb::OKOnly ? answer::OK
                                                   : answer::Cancel;
}

int ScriptedMessageBox::show(const MessageRequest &request)
{
    shown.append(request);
    if (!answers.isEmpty())
        return answers.dequeue();
    return defaultAnswer(request.buttons);
}

QStringList ScriptedMessageBox::prompts() const
{
    QStringList out;
    for (const MessageRequest &r : shown)
        out << r.prompt;
    return out;
}

} // namespace kw::ui
