#include "shell/GlobalFunctions.h"

#include "platform/core/PlatformError.h"
#include "platform/core/Text.h"

#include <QDir>
#include <QFile>

namespace kw {
namespace {

const QByteArray kCrLfBytes = "\r\n";
const QByteArray kRule(76, '-');

} // namespace

Messages::Messages(ui::MessageBox &box, QString programFolder, Clock clock)
    : m_box(box), m_programFolder(std::move(programFolder)), m_clock(std::move(clock))
{
    if (!m_clock)
        m_clock = [] { return QDateTime::currentDateTime(); };
}

const QString &Messages::supportAddress()
{
    static const QString address = QStringLiteral("https://kontorwerk.example/support");
    return address;
}

int Messages::ShowMessage(const QString &prompt, int buttons, const QString &title, int extra4)
{
    ui::MessageRequest request;
    request.prompt = prompt;
    request.buttons = buttons;
    request.title = title;
    request.extra4 = extra4;
    return ShowMessage(request);
}

int Messages::ShowMessage(const ui::MessageRequest &request)
{
    return m_box.show(request);
}

QString Messages::errorLogPath() const
{
    return m_programFolder + QStringLiteral("/errorlog.txt");
}

void Messages::HandleError(const QString &description, long number, int code, const QString &info)
{
    report(description, QString(), number, code, info);
}

void Messages::HandleError(const PlatformError &error, int code, const QString &info)
{
    report(error.description(), error.detail(), error.number(), code, info);
}

void Messages::report(const QString &description, const QString &detail, long number, int code, const QString &info)
{
    // Reporting an error must never raise another one.
    try {
        QString text = QStringLiteral("Err. No.: %1, Err. Des.: %2, Info: %3").arg(number).arg(description, info);
        if (!detail.isEmpty())
            text += QStringLiteral("\nDetails: ") + detail;
        WriteErrorLog(text, QString::number(code));
    } catch (...) {
    }
    if (code == place::LogOnly)
        return;
    try {
        showError(code, number, description, info);
    } catch (...) {
    }
}

void Messages::showError(int code, long number, const QString &description, const QString &info)
{
    const QString prompt = QStringLiteral("Bei der Programmausführung ist folgender Fehler aufgetreten:") + kCrLf
        + QStringLiteral("Nr.: %1 / %2, %3").arg(code).arg(number).arg(description) + kCrLf
        + QStringLiteral("Weitere Infos unter ") + supportAddress() + kCrLf + info;
    ShowMessage(prompt, ui::mb::Critical, titles::Fehler);
}

bool Messages::WriteErrorLog(const QString &text, const QString &subName)
{
    // The German short date and long time of the original's system settings.
    const QString stamp = m_clock().toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));

    // Line breaks inside the text become CR LF like every other line.
    QString body = text;
    body.replace(kCrLf, QStringLiteral("\n")).replace(u'\r', u'\n');
    body.replace(u'\n', kCrLf);

    QByteArray entry;
    entry += "Date: " + stamp.toUtf8() + "Sub: " + subName.toUtf8() + kCrLfBytes;
    entry += kCrLfBytes;
    entry += body.toUtf8() + kCrLfBytes;
    entry += kRule + kCrLfBytes;

    QDir().mkpath(m_programFolder);
    QFile file(errorLogPath());
    bool ok = file.open(QIODevice::WriteOnly | QIODevice::Append);
    QString reason = file.errorString();
    if (ok) {
        ok = file.write(entry) == entry.size();
        reason = file.errorString();
        file.close();
        ok = ok && file.error() == QFileDevice::NoError;
    }
    if (!ok) {
        // Shown directly: logging this failure would only fail again.
        try {
            showError(place::WriteErrorLog, errors::kPermissionDenied, reason, QString());
        } catch (...) {
        }
    }
    return ok;
}

QString errorLogLine(long number, const QString &description, const QString &element)
{
    return QStringLiteral("Err No.: %1, Err Des: %2, Element: %3").arg(number).arg(description, element) + kCrLf;
}

} // namespace kw
