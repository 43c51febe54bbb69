#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace kw::DupsDel {

// How a criterion's value is stored for the comparison.
enum class Normalise {
    Lower,     // text, lower-cased, leading and trailing blanks removed
    Unchanged, // text as read
    Count,     // the number of the item's attachments
};

struct Criterion
{
    QString setting;        // the switch in the settings, also the default-table name
    QString field;          // the member read from the wrapper item
    Normalise normalise = Normalise::Unchanged;
    bool mailItemsOnly = false; // read only for class 43; other items keep ""
    bool userProperty = false;  // the value of the user property named by KontakteFieldNameStr
};

// How a scan reads its criterion switches.
enum class SwitchRead {
    Strict,  // GetSetting(name, "1") as a number; text that is no number ends the scan
    Lenient, // GetSettingBool(name, yes)
};

enum class ScanKind { Tasks, Emails, Contacts, Appointments, Journal, Notes };

// Everything one of the six scans fills into the common skeleton.
struct ScanType
{
    ScanKind kind;
    QString procedure;         // the scan's own name
    QStringList startClasses;  // marked-folder classes that start it
    QString mode;              // the mode handed to the working set
    QList<int> itemClasses;    // accepted item classes ...
    QStringList wrappers;      // ... and the wrapper read through for each
    QString logName;           // sub name of the read log
    int placeCode;
    bool cleanUpAtEnd;
    bool readsSeries;          // task and appointment scans pass real series flags
    bool logsSkippedItems;     // only the contact scan logs items of other classes
    SwitchRead switchRead;
    QList<Criterion> criteria;
    QStringList displayFields; // the leading part of a list entry, joined by ", "

    // The wrapper class for an accepted item class; "" for any other class.
    QString wrapperFor(int itemClass) const;
};

const QList<ScanType> &scanTypes();
const ScanType &scanType(ScanKind kind);
// The scan started for a marked folder's class (exact text), or nullptr.
const ScanType *scanTypeForClass(const QString &markedClass);

// A value as stored for the comparison.
QString normaliseValue(Normalise how, const QString &text);

} // namespace kw::DupsDel
