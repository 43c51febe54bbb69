#pragma once

#include <QList>
#include <QQueue>
#include <QString>

namespace kw::ui {

// Button and icon codes as the program passes them, added together.
namespace mb {
constexpr int OKOnly = 0;
constexpr int OKCancel = 1;
constexpr int YesNoCancel = 3;
constexpr int YesNo = 4;
constexpr int Critical = 16;
constexpr int Question = 32;
constexpr int Exclamation = 48;
constexpr int Information = 64;
constexpr int DefaultButton2 = 256;
// The questions the program asks: Yes and No with the question icon (36);
// the careful kind has No as its default button (292).
constexpr int YesNoQuestion = YesNo | Question;
constexpr int YesNoQuestionDefaultNo = YesNo | Question | DefaultButton2;
}
// Answer codes.
namespace answer {
constexpr int OK = 1;
constexpr int Cancel = 2;
constexpr int Yes = 6;
constexpr int No = 7;
}

// Everything a caller passes to the message box; the trailing members keep
// the defaults every caller uses unless it says otherwise.
struct MessageRequest
{
    QString prompt;
    int buttons = mb::OKOnly;
    QString title;
    QString helpFile;
    int context = 0;
    int extra1 = 0;
    QString extra2;
    int extra3 = -2;
    int extra4 = 0;
    bool operator==(const MessageRequest &) const = default;
};

// The one message-box component every message goes through.
class MessageBox
{
public:
    virtual ~MessageBox() = default;
    // Shows the message and returns the answer code of the button pressed.
    virtual int show(const MessageRequest &request) = 0;
};

// The answer a box gives when nobody presses a button: its default button.
int defaultAnswer(int buttons);

// A modal QMessageBox over the active window, with German button texts.
class QtMessageBox : public MessageBox
{
public:
    int show(const MessageRequest &request) override;
};

// Test double: records every request and answers from a queue; with the
// queue empty it gives the box's default button.
class ScriptedMessageBox : public MessageBox
{
public:
    int show(const MessageRequest &request) override;

    void answerWith(int code) { answers.enqueue(code); }
    QStringList prompts() const;

    QList<MessageRequest> shown;
    QQueue<int> answers;
};

} // namespace kw::ui
