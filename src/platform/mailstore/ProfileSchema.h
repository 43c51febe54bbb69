#pragma once

// The tables of a profile file. Kept apart from the code that reads them so
// that the layout can be read in one place.
namespace kw::mailstore::schema {

inline constexpr const char *kFormat = "kontorwerk-profile";
inline constexpr int kVersion = 1;

// The kinds of rows in the fields table.
inline constexpr int kFieldRow = 0;
inline constexpr int kUserPropertyRow = 1;

inline constexpr const char *kTables[] = {
    "CREATE TABLE meta(key TEXT PRIMARY KEY, value TEXT NOT NULL)",
    // A store's root folder is the folders row with parent NULL.
    "CREATE TABLE stores(id INTEGER PRIMARY KEY, name TEXT NOT NULL, store_id TEXT NOT NULL UNIQUE,"
    " visible INTEGER NOT NULL, root INTEGER)",
    "CREATE TABLE folders(id INTEGER PRIMARY KEY, store INTEGER NOT NULL, parent INTEGER,"
    " name TEXT NOT NULL, entry_id TEXT NOT NULL UNIQUE, container_class TEXT,"
    " default_message_class TEXT NOT NULL, default_folder INTEGER NOT NULL DEFAULT 0)",
    "CREATE INDEX folders_parent ON folders(parent, id)",
    // seq keeps the order in which items came into their folder.
    "CREATE TABLE items(id INTEGER PRIMARY KEY, folder INTEGER NOT NULL,"
    " entry_id TEXT NOT NULL UNIQUE, class INTEGER NOT NULL, message_class TEXT NOT NULL,"
    " created TEXT NOT NULL, seq INTEGER NOT NULL)",
    "CREATE INDEX items_folder ON items(folder, seq)",
    // kind 0: a field of the item's schema (only values that differ from the
    // default are stored); kind 1: a user property with its type.
    "CREATE TABLE fields(item INTEGER NOT NULL, kind INTEGER NOT NULL, name TEXT NOT NULL,"
    " value TEXT NOT NULL, type INTEGER NOT NULL DEFAULT 0, PRIMARY KEY(item, kind, name))"
    " WITHOUT ROWID",
    "CREATE TABLE attachments(id INTEGER PRIMARY KEY, item INTEGER NOT NULL,"
    " position INTEGER NOT NULL, file_name TEXT NOT NULL, display_name TEXT NOT NULL,"
    " type INTEGER NOT NULL, size INTEGER NOT NULL, hidden INTEGER, path_name TEXT NOT NULL,"
    " content BLOB)",
    "CREATE INDEX attachments_item ON attachments(item, position)",
    "CREATE TABLE address_book(id INTEGER PRIMARY KEY, display_name TEXT NOT NULL,"
    " address TEXT NOT NULL, store INTEGER)",
    "CREATE TABLE shares(user INTEGER NOT NULL, folder_type INTEGER NOT NULL,"
    " PRIMARY KEY(user, folder_type))",
};

} // namespace kw::mailstore::schema
