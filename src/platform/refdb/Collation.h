#pragma once

class QSqlDatabase;

namespace kw::refdb {

// Name of the collation that compares texts with Unicode case folding, so
// that "JÜRGEN" equals "Jürgen". The name-table columns declare it.
inline constexpr const char *kFoldingCollation = "KWFOLD";

// Registers the collation on an open SQLite connection; returns false when
// the connection has no SQLite handle.
bool registerFoldingCollation(QSqlDatabase &db);

} // namespace kw::refdb
