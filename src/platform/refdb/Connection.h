#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <memory>

class QSqlError;
class QSqlQuery;

namespace kw::refdb {

// One column of the current row of a recordset.
struct Field
{
    QString name;
    QVariant value;

    bool isNull() const { return value.isNull(); }
    // The value as text; NULL gives "".
    QString text() const { return value.isNull() ? QString() : value.toString(); }
};

// A forward-only, read-only result of one query.
//
//   Recordset rs = conn.OpenRecordset("SELECT * FROM T_Hyphens WHERE Hyphen = ?", {token});
//   while (!rs.Eof()) { use(rs.Fields("Hyphen").text()); rs.MoveNext(); }
//
// The recordset keeps its connection alive; Close() (or destruction) lets it go.
// Every failure throws kw::PlatformError.
class Recordset
{
public:
    Recordset();
    ~Recordset();
    Recordset(Recordset &&other) noexcept;
    Recordset &operator=(Recordset &&other) noexcept;

    bool Eof() const;
    void MoveNext();
    int FieldCount() const;
    // By column name, compared without regard to case; an unknown name throws.
    Field Fields(const QString &name) const;
    // By index from 0; out of range throws.
    Field Fields(int index) const;
    void Close();
    bool isOpen() const;

private:
    friend class Connection;
    struct State;
    std::unique_ptr<State> d;
};

// A connection to one reference database file, opened for one use.
//
// Opened read-only unless asked otherwise. Values never go into the SQL text:
// pass them as bound parameters ("?" placeholders). A connection registers
// the KWFOLD collation, so the name tables compare with Unicode case folding.
class Connection
{
public:
    enum class Mode { ReadOnly, ReadWrite };

    // Throws PlatformError when the file is missing or cannot be opened.
    static Connection Open(const QString &path, Mode mode = Mode::ReadOnly);

    Connection();
    ~Connection();
    Connection(Connection &&other) noexcept;
    Connection &operator=(Connection &&other) noexcept;

    Recordset OpenRecordset(const QString &sql, const QVariantList &params = {});
    // Runs a statement that returns no rows; returns the number of rows it changed.
    int Execute(const QString &sql, const QVariantList &params = {});
    void Close();
    bool isOpen() const;

    // For Qt models that need the database itself; valid while this is open.
    QSqlDatabase database() const;

    struct Handle; // the registered QSqlDatabase, shared with open recordsets

private:
    std::shared_ptr<Handle> m_handle;
};

// "Die Referenzdatenbank "<path>" ist beschädigt oder unvollständig."
QString unusableText(const QString &path);

// Throws the PlatformError for a failed step `what` on the database at
// `path`. A file that is damaged, empty or lacks a table the tools need is
// described to the user as such, in German, with the path; SQLite's own text
// is the error's detail, which only the error log shows.
[[noreturn]] void throwDatabaseError(const QString &path, const QString &what, const QSqlError &error);

// The LIKE pattern that matches texts beginning with `prefix` and nothing
// else: "%", "_" and "\" in it match only themselves. Use with ESCAPE '\'.
//   "SELECT ... WHERE AreaCode LIKE ? ESCAPE '\\'", {likePrefix(first)}
QString likePrefix(const QString &prefix);

} // namespace kw::refdb
