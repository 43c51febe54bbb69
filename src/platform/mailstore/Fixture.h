#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>

// Profiles as JSON: what tests and the kwprofile tool load and dump.
//
// Shape (keys in any order; the canonical form sorts them and leaves out
// what is empty or default):
// { "stores": [ { "name", "storeId", "entryId", "hidden": true (other users'
//     stores), "folders": [ { "name", "entryId", "containerClass",
//     "defaultMessageClass", "defaultFolder", "folders": [...],
//     "items": [ { "class", "messageClass", "entryId", "creationTime",
//       "fields": { "FirstName": "Eva", "AllDayEvent": true, ... },
//       "userProperties": [ { "name", "type", "value" } ],
//       "attachments": [ { "fileName", "displayName", "type", "text" or
//         "base64" or "generate": { "size", "seed" } (see FixtureContent.h),
//         "pathName", "hidden" } ] } ] } ] } ],
//   "addressBook": [ { "displayName", "address", "store", "shares": [9, 10] } ] }
//
// Field values are stored as given: the composite rules of contacts are not
// applied, so fixtures can hold inconsistent data. IDs, when given, are kept
// (upper-cased); missing ones are made up. A link's pathName may begin with
// "${BASE}", which stands for a folder given at creation ("${BASE}/Anlagen/
// Plan.pdf"), so that a fixture can link files made beside the profile;
// without a folder it stays as written.
namespace kw::mailstore::fixture {

// Creates a new profile file from a fixture. An existing file is refused and
// left alone; a fixture error throws kw::PlatformError naming the place and
// leaves no profile behind.
void createProfile(const QString &profilePath, const QJsonObject &fixture, const QString &base = {});
// The same from a JSON file.
void createProfileFromFile(const QString &profilePath, const QString &fixturePath,
                           const QString &base = {});
// The profile as a fixture in canonical form.
QJsonObject dumpProfile(const QString &profilePath);
// The canonical text of a fixture: indented JSON with sorted keys.
QByteArray canonicalJson(const QJsonObject &fixture);
// Reads a JSON file into an object; throws for unreadable or malformed files.
QJsonObject readJsonFile(const QString &path);

} // namespace kw::mailstore::fixture
