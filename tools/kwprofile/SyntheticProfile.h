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
};

// A fixture (see platform/mailstore/Fixture.h) with one store "Persönliche
// Ordner" and its default folders, filled with made-up but realistic data:
// German, Austrian and Swiss names with salutations and titles, companies,
// telephone numbers written every way people write them, addresses, and
// mails with small attachments. The same options give the same fixture.
QJsonObject generate(const Options &options);

} // namespace kw::profilegen
