#pragma once

#include <QString>

namespace kw {
class Messages;
class PlatformError;
class Settings;
namespace refdb {
class Database;
}
}
namespace kw::contacts::telephone {
struct TelSettings;
class TelTables;
}

// Rewrites telephone numbers as users typed them into one international
// layout chosen in the settings, for example "(0711) 123 456-78" into
// "+49 (711) 123456-78", using the country and area-code tables of the
// reference database.
//
// Every call sees the settings and tables as they are at that moment; keep
// one refdb::Database for a whole run so that unchanged tables are not read
// again for each number.
namespace kw::contacts::telephone::TelNrStandard {

// The formatted number, or TelNr unchanged when it is not recognised.
// `Changed` is true exactly when the result differs from TelNr. A failure
// (database missing, unreadable, ...) is reported through HandleError with
// place code 801 and gives "" with Changed false.
QString FormatTelNumber(const QString &TelNr, bool &Changed, Settings &settings, Messages &messages,
                        refdb::Database &database);

// Splits Digits into the blocks set up for Kind: "BlockA" (area code, two
// blocks), "BlockS" (subscriber number beside an area code) or "BlockT"
// (number without area code), five blocks each. Blocks stop at the
// character before the extension separator; the rest is appended as it is.
QString FormatNumberBlocks(const QString &Digits, const QString &Kind, Settings &settings);

// The same on settings and tables the caller read once for many numbers (a
// run during which the options cannot change). Throws PlatformError where the
// other form reports.
QString FormatTelNumber(const QString &TelNr, bool &Changed, const TelSettings &settings,
                        const TelTables &tables);

// Reports a failure to format TelNr: HandleError with place code 801 and the
// number in the info text.
void reportFormatFailure(Messages &messages, const PlatformError &error, const QString &TelNr);

} // namespace kw::contacts::telephone::TelNrStandard
