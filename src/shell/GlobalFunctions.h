#pragma once

// Module GlobalFunctions: class Messages (message box, error handler, error log), titles, place codes.

#include "platform/ui/MessageBox.h"

#include <QDateTime>
#include <QString>
#include <functional>

namespace kw {

// Titles the program's messages use.
namespace titles {
inline const QString Info = QStringLiteral("Info!");
inline const QString Hinweis = QStringLiteral("Hinweis!");
inline const QString Frage = QStringLiteral("Frage?");
inline const QString Fehler = QStringLiteral("Fehler!");
inline const QString Fertig = QStringLiteral("Fertig!");
}

// Place codes of the error handler; 1 logs without a message.
namespace place {
constexpr int LogOnly = 1;
constexpr int GetActivatedFolders = 55;
constexpr int ReplaceRun = 59;
constexpr int ReplaceUndo = 60;
constexpr int Main = 201;
constexpr int WriteErrorLog = 202;
constexpr int BeginEndOperation = 203;
constexpr int SetBusy = 204;
constexpr int GetOrAddUserProperty = 206;
constexpr int NumberFormatOk = 301;
constexpr int NumberFormatLoad = 302;
constexpr int NumberFormatPreview = 304;
constexpr int UndoContactFields = 401;
constexpr int TelTestDialog = 501;
constexpr int SharedFolderNameCheck = 601;
constexpr int OptionsCancel = 701;
constexpr int OptionsOk = 702;
constexpr int OptionsLoad = 703;
constexpr int OptionsPrioritySlider = 704;
constexpr int OptionsItemTypeTab = 705;
constexpr int OptionsMainTab = 706;
constexpr int FormatTelNumber = 801;
constexpr int StandardizeContactTelNumbers = 802;
constexpr int GetDuplicateParent = 901;
constexpr int ShowDuplicates = 902;
constexpr int DupScanTasks = 903;
constexpr int DupScanMails = 904;
constexpr int DupScanContacts = 905;
constexpr int DupScanAppointments = 906;
constexpr int DupScanJournal = 907;
constexpr int DupScanNotes = 908;
constexpr int RemoveDuplicates = 909;
constexpr int DeleteDuplicates = 910;
constexpr int ChangeMessageClass = 1001;
constexpr int ChangeFolderMessageClass = 1002;
constexpr int BranchTicking = 1201;
constexpr int UntickAll = 1202;
constexpr int OpenDuplicate = 1203;
constexpr int TickBranch = 1204;
constexpr int MainWindowLoad = 1205;
constexpr int InfoBox = 1207;
constexpr int HolidayInsert = 1301;
constexpr int HolidayFillStates = 1302;
constexpr int SaveAttachments = 1501;
constexpr int ImportAttachments = 1502;
constexpr int MoveAttachments = 1503;
constexpr int BrowseForFolder = 2202;
constexpr int TelTableOk = 2301;
constexpr int TelTableLoad = 2302;
constexpr int CorrectContactNames = 2501;
constexpr int ParseFullName = 2502;
}

// The shared message box, error handler and error log.
//
// Each run gets one of these; it carries the message box to show through and
// the program folder whose "errorlog.txt" it appends to.
class PlatformError;

// One line of a run's collected log for an element it could not read or
// change: "Err No.: 1, Err Des: text, Element: subject" and CR LF.
QString errorLogLine(long number, const QString &description, const QString &element);

class Messages
{
public:
    using Clock = std::function<QDateTime()>;

    Messages(ui::MessageBox &box, QString programFolder, Clock clock = {});

    // Shows one message and returns the answer code (1 OK, 6 Yes, 7 No).
    int ShowMessage(const QString &prompt, int buttons, const QString &title, int extra4 = 0);
    int ShowMessage(const ui::MessageRequest &request);

    // Logs "Err. No.: ..., Err. Des.: ..., Info: ..." under the place code and,
    // unless the code is 1, shows the error. Never throws.
    void HandleError(const QString &description, long number, int code, const QString &info = {});
    // The same for a caught error: its detail goes to the log on a line of
    // its own, the box shows the description only.
    void HandleError(const PlatformError &error, int code, const QString &info = {});

    // Appends one entry to errorlog.txt. When the file cannot be written the
    // entry is lost, the failure is shown with place code 202, and false is
    // returned; that failure is never logged again.
    bool WriteErrorLog(const QString &text, const QString &subName);

    QString errorLogPath() const;
    ui::MessageBox &messageBox() { return m_box; }

    // The address the error message points users to.
    static const QString &supportAddress();

private:
    void report(const QString &description, const QString &detail, long number, int code, const QString &info);
    void showError(int code, long number, const QString &description, const QString &info);

    ui::MessageBox &m_box;
    QString m_programFolder;
    Clock m_clock;
};

} // namespace kw
