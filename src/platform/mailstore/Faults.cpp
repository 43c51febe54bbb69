#include "platform/mailstore/Faults.h"

#include <QHash>
#include <utility>

namespace kw::mailstore::faults {

namespace {

struct Plan
{
    QHash<QPair<QString, int>, int> itemReads; // (folder name, index) -> failures left
    QHash<QString, int> saves;                  // EntryID ("" any) -> failures left
    QHash<QString, int> fetches;
    QHash<QString, int> propertyAdds; // user property name (upper case, "" any) -> failures left
    QHash<QString, int> storeDelays;
    int exitCode = 0;
    int createExitCode = 0;
};

Plan &plan()
{
    static Plan p;
    return p;
}

bool take(QHash<QString, int> &counts, const QString &key)
{
    if (counts.isEmpty()) // the usual case, without an upper-case copy per call
        return false;
    for (const QString &k : {key.toUpper(), QString()}) {
        auto it = counts.find(k);
        if (it != counts.end() && *it > 0) {
            --*it;
            return true;
        }
    }
    return false;
}

} // namespace

void reset()
{
    plan() = Plan();
}

void failItemRead(const QString &folderName, int index, int times)
{
    plan().itemReads[{folderName, index}] = times;
}

void failSave(const QString &entryId, int times)
{
    plan().saves[entryId.toUpper()] = times;
}

void failFetch(const QString &entryId, int times)
{
    plan().fetches[entryId.toUpper()] = times;
}

void failUserPropertyAdd(const QString &name, int times)
{
    plan().propertyAdds[name.toUpper()] = times;
}

void slowStore(const QString &storeName, int delayMs)
{
    plan().storeDelays[storeName] = delayMs;
}

void exitDuringSave(int exitCode)
{
    plan().exitCode = exitCode;
}

bool takeItemReadFault(const QString &folderName, int index)
{
    if (plan().itemReads.isEmpty())
        return false;
    auto it = plan().itemReads.find({folderName, index});
    if (it == plan().itemReads.end() || *it <= 0)
        return false;
    --*it;
    return true;
}

bool takeSaveFault(const QString &entryId)
{
    return take(plan().saves, entryId);
}

bool takeFetchFault(const QString &entryId)
{
    return take(plan().fetches, entryId);
}

bool takeUserPropertyAddFault(const QString &name)
{
    return take(plan().propertyAdds, name);
}

int storeDelay(const QString &storeName)
{
    return plan().storeDelays.value(storeName, 0);
}

void exitDuringCreate(int exitCode)
{
    plan().createExitCode = exitCode;
}

int takeExitDuringCreate()
{
    return std::exchange(plan().createExitCode, 0);
}

int takeExitDuringSave()
{
    const int code = plan().exitCode;
    plan().exitCode = 0;
    return code;
}

} // namespace kw::mailstore::faults
