#pragma once

#include <QJsonObject>

namespace kw::profilegen {

// How much of each kind a synthetic profile holds.
struct Options
{
    int contacts = 0;
    int appointments = 0;
    int tasks = 0;
    int mails = 0;
    int notes = 0;
    int journal = 0;
    int duplicatePercent = 0; // share of items that copy an earlier one
    quint32 seed = 1;
    // 1 to 19: every contact has that many of its telephone and fax fields
    // filled with messy numbers (every fifth already in the layout); 0: the
    // usual business, mobile, home and fax numbers.
    int phoneFields = 0;
    bool messyNames = false;     // every contact's full name written untidily
    int attachmentsPerMail = -1; // exactly that many, generated; -1: 0 to 3 small texts
    qint64 attachmentMin = 1000; // bytes of each generated attachment ...
    qint64 attachmentMax = 100000;
    int customClassPercent = 0;  // of appointments, tasks, mails and journal entries
};

// A fixture (see platform/mailstore/Fixture.h) with one store "Persönliche
// Ordner" and its default folders, filled with made-up but realistic data:
// German, Austrian and Swiss names with salutations and titles, companies,
// telephone numbers written every way people write them, addresses, and
// mails with small attachments; on request the messier data of the options
// above. The same options give the same fixture.
QJsonObject generate(const Options &options);

} // namespace kw::profilegen
