#pragma once

#include "platform/mailstore/Fwd.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace kw {
class Messages;
struct WorkingSet;
namespace refdb {
class Database;
}
}

// The school holidays of one country and state, read from the reference
// database's T_Holidays and T_HolidaysDes and inserted as all-day
// appointments into calendar folders.
namespace kw::itemtools::holidays {

// What an insertion works with. The folders of the working set are fetched
// anew through `ns` at each insertion, so a folder deleted since the dialog
// opened fails with its own error instead of taking items nowhere.
struct HolidayServices
{
    Messages &messages;
    refdb::Database &referenceDatabase;
    mailstore::NameSpacePtr ns;
    // The busy switch of an insertion: none, the modal dialog is lock enough.
    std::function<void(bool starting)> switchBusy = {};
};

// One holiday period: first and last day off, both inclusive, and its name.
struct Period
{
    int index = 0;
    QDate from;
    QDate to;
    QString description;
    bool operator==(const Period &) const = default;
};

// The state codes listed for a country (compared without regard to case),
// in German collation order. Throws PlatformError.
QStringList statesOf(refdb::Database &referenceDatabase, const QString &country);

// The periods with a first day of the row of (state, country), ascending by
// period number; nullopt when there is no such row. Throws PlatformError when
// such a period has no valid last day (none, or one before its first day) or
// no name.
std::optional<QList<Period>> readPeriods(refdb::Database &referenceDatabase, const QString &state,
                                         const QString &country);

// "Herbstferien 2027 (BY)"
QString holidaySubject(const QString &description, const QString &state);

// Inserts the holidays of (state, country) into Folders[1..FolderCount] of
// the set, asking first for each folder that already holds them. Failures go
// to HandleError with place code 1301. Returns how many appointments were
// saved.
int InsertHolidays(HolidayServices &services, const WorkingSet &set, const QString &state,
                   const QString &country);

} // namespace kw::itemtools::holidays
