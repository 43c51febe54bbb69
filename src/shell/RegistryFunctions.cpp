#include "shell/RegistryFunctions.h"

#include "shell/GlobalFunctions.h"
#include "shell/SettingNames.h"

namespace kw {

using namespace registry;

const QString &Settings::settingsKey()
{
    static const QString key = QStringLiteral("Software\\Mirotek\\Kontorwerk\\3.0\\Settings");
    return key;
}

Settings::Settings(Registry &registry, Messages &messages)
    : m_registry(registry), m_messages(messages)
{
}

QString Settings::GetSetting(const QString &name, const QString &defaultValue) const
{
    return GetRegString(HKEY_CURRENT_USER, settingsKey(), name, defaultValue);
}

bool Settings::SaveSetting(const QString &name, const QString &value)
{
    return SetRegString(HKEY_CURRENT_USER, settingsKey(), name, value);
}

bool Settings::GetSettingBool(const QString &name, bool defaultValue) const
{
    const QString text = GetSetting(name, QString());
    if (text == QLatin1String("1"))
        return true;
    if (text == QLatin1String("0"))
        return false;
    return defaultValue;
}

bool Settings::InitSetting(const QString &name, const QString &value, bool quiet)
{
    static const QString missing = QStringLiteral("NotExisting");
    if (GetSetting(name, missing) != missing)
        return true;
    return SetRegString(HKEY_CURRENT_USER, settingsKey(), name, value, quiet);
}

bool Settings::InitDefaultSettings()
{
    // Missing as InitSetting counts it. All go into one write: a large
    // settings file is rewritten once, not once per default.
    static const QString missing = QStringLiteral("NotExisting");
    QList<Value> batch;
    for (const auto &[name, value] : defaults())
        if (GetSetting(name, missing) == missing)
            batch.append(Value{name, REG_SZ, value.toUtf8()});
    if (batch.isEmpty())
        return true;
    const bool stored = m_registry.setValues(HKEY_CURRENT_USER, settingsKey(), batch) == ERROR_SUCCESS;
    if (!stored)
        showSaveFailure();
    return stored;
}

QString Settings::GetRegString(HKEY root, const QString &subKey, const QString &valueName,
                               const QString &defaultValue) const
{
    QString result = defaultValue;
    HKEY key = 0;
    m_registry.RegOpenKey(root, subKey, &key);
    quint32 type = REG_NONE;
    quint32 size = 0;
    if (m_registry.RegQueryValueEx(key, valueName, &type, nullptr, &size) == ERROR_SUCCESS && type == REG_SZ) {
        QByteArray buffer;
        if (m_registry.RegQueryValueEx(key, valueName, &type, &buffer, &size) == ERROR_SUCCESS) {
            // Another writer may have stored the terminating NUL with the text.
            const qsizetype nul = buffer.indexOf('\0');
            if (nul >= 0)
                buffer.truncate(nul);
            result = QString::fromUtf8(buffer);
        }
    }
    if (key)
        m_registry.RegCloseKey(key);
    return result;
}

bool Settings::SetRegString(HKEY root, const QString &subKey, const QString &valueName, const QString &value,
                            bool quiet)
{
    HKEY key = 0;
    m_registry.RegCreateKey(root, subKey, &key);
    // Stored as UTF-8 without a NUL; the length counts bytes, not characters.
    const long result = m_registry.RegSetValueEx(key, valueName, REG_SZ, value.toUtf8());
    if (result != ERROR_SUCCESS && !quiet)
        showSaveFailure();
    if (key)
        m_registry.RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

void Settings::showSaveFailure()
{
    m_messages.ShowMessage(QStringLiteral("saf"), ui::mb::OKOnly, QString());
}

const QList<QPair<QString, QString>> &Settings::defaults()
{
    static const QList<QPair<QString, QString>> table = [] {
        using namespace setting;
        struct Row
        {
            QString name;
            const char *value;
        };
        const Row rows[] = {
            {DurchwahlTrenn, "-"}, {Plus, "0"}, {SchweizKonv, "1"}, {IDDPOut, "+"},
            {DurchwahlTrennOut, "-"}, {VorwahlTrennOut1, " ("}, {VorwahlTrennOut2, ") "},
            {VorwahlTrennOutSingle, " "},
            {CountryCode, "49"}, {NDDP, "0"}, {IDDP, "00"}, {HideFax, "0"},
            {KontakteBusinessTelephoneNumber, "0"}, {KontakteHomeTelephoneNumber, "1"},
            {KontakteCompanyName, "1"}, {KontakteEmail1Address, "0"}, {KontakteFileAs, "0"},
            {KontakteFirstName, "1"}, {KontakteLastName, "1"}, {KontakteMobileTelephoneNumber, "1"},
            {KontakteBusinessAddress, "0"}, {KontakteHomeAddress, "1"}, {KontakteFieldName, "0"},
            {TermineStart, "1"}, {TermineEnd, "1"}, {TermineSubject, "1"}, {TermineAllDayEvent, "0"},
            {TermineBusyStatus, "0"}, {TerminSerie, "1"}, {TermineBody, "1"},
            {AufgabenBody, "1"}, {AufgabenOwner, "0"}, {AufgabenStartDate, "1"}, {AufgabenSubject, "1"},
            {EmailBody, "1"}, {EmailSenderName, "0"}, {EmailSubject, "1"}, {EmailTo, "1"},
            {EmailSentOn, "0"}, {EmailReceivedTime, "1"}, {EmailAttachments, "1"},
            {NotizenBody, "1"}, {NotizenColor, "0"}, {JournalBody, "1"}, {JournalDuration, "0"},
            {JournalStart, "1"}, {JournalSubject, "1"},
            // DupDel defaults to "0" (move) so that the options dialog shows
            // what the removal does: moving loses nothing.
            {OldDel, "1"}, {DupDel, "0"}, {MasterFolder, "1"},
            {numbered(Priority, 0), "2"}, {numbered(Priority, 1), "1"}, {numbered(Priority, 2), "0"},
            {numbered(BlockA, 1), " "}, {numbered(BlockA, 2), " "},
            {numbered(BlockS, 1), " "}, {numbered(BlockS, 2), " "}, {numbered(BlockS, 3), " "},
            {numbered(BlockS, 4), " "}, {numbered(BlockS, 5), " "},
            {numbered(BlockT, 1), " "}, {numbered(BlockT, 2), " "}, {numbered(BlockT, 3), " "},
            {numbered(BlockT, 4), " "}, {numbered(BlockT, 5), " "},
            {BlockTrennAreaNo, " "}, {BlockTrennAreaPres, " "},
            {UseNumberBlocksAreaNo, "0"}, {UseNumberBlocksAreaPres, "0"}, {IdleTime, "30"}, {AttSize, "0"},
            {FileAsLayoutEx, "Nachname, Vorname (Firma)"}, {SubjectLayout, "Vorname Nachname Namenszusatz"},
            {SubjectNameCorrect, "0"}, {BusinessNameCheck, "1"},
            // Not in the original table: the removal and the options dialog
            // read these and must agree on them from the first start.
            {MoveToFolder, "1"}, {DupEntryIDSave, "0"},
            {FieldNameEntryID, "Outlook ID (created by Kontorwerk)"},
        };
        QList<QPair<QString, QString>> list;
        for (const auto &row : rows)
            list.append({row.name, QString::fromUtf8(row.value)});
        return list;
    }();
    return table;
}

} // namespace kw
