#pragma once

#include "duplicates/DupsContext.h"
#include "duplicates/Phase2.h"
#include "duplicates/ScanTypes.h"

#include <QList>
#include <QString>
#include <vector>

namespace kw::DupsDel {

// The settings a scan reads once at its start.
struct ScanSettings
{
    QList<int> criteria;   // indexes into ScanType::criteria of the switched-on ones
    bool folderInside = false;
    bool seriesOn = false; // store IsRecurring (task and appointment scans)
    QString userFieldName; // KontakteFieldNameStr

    // Throws PlatformError when a strictly read switch holds no number.
    static ScanSettings read(const ScanType &type, const Settings &settings);
};

// Everything phase 1 gathers.
struct ScanData
{
    ScanValues values;
    std::vector<QString> displays;
    QString readLog;
};

// Phase 1: reads every item of the set into `data` and the identity arrays of
// `state`. Failures of single items are retried and logged into the read log;
// item numbers that were never reached are marked, items beyond the count
// taken at the start are logged and left out.
void readItems(DupsContext &ctx, const ScanType &type, const ScanSettings &settings, const WorkingSet &set,
               ScanData &data);

// The common skeleton of the six scans.
void runScan(DupsContext &ctx, const ScanType &type);

void RemoveDuplicateTasks(DupsContext &ctx);
void RemoveDuplicateEmails(DupsContext &ctx);
void RemoveDuplicateContacts(DupsContext &ctx);
void RemoveDuplicateAppointments(DupsContext &ctx);
void RemoveDuplicateJournal(DupsContext &ctx);
void RemoveDuplicateNotes(DupsContext &ctx);

// "Duplikate entfernen": picks the scan by the marked folder's class.
void RemoveDuplicates(DupsContext &ctx);

} // namespace kw::DupsDel
