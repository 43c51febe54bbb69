#pragma once

#include "contacts/names/NameWordTables.h"

#include <QString>

namespace kw::contacts::names {

// Reads the ten name word tables from a folder of CSV files named after the
// tables (T_FirstNames.csv, T_Addresses.csv, ...): UTF-8, one header line,
// the value first (and the gender second for first names). A missing file is
// an empty table. Throws kw::PlatformError when a file exists but cannot be read.
NameWordTables loadNameWordCsvFolder(const QString &folder);

} // namespace kw::contacts::names
