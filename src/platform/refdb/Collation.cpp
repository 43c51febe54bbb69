#include "platform/refdb/Collation.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QString>
#include <QVariant>

#include <sqlite3.h>

namespace kw::refdb {
namespace {

// SQLite hands both texts as native UTF-16; Qt's case-insensitive compare folds
// each character with the Unicode case-folding table, without allocating.
int compareFolded(void *, int lengthA, const void *a, int lengthB, const void *b)
{
    const QString left = QString::fromRawData(static_cast<const QChar *>(a), lengthA / 2);
    const QString right = QString::fromRawData(static_cast<const QChar *>(b), lengthB / 2);
    return QString::compare(left, right, Qt::CaseInsensitive);
}

} // namespace

bool registerFoldingCollation(QSqlDatabase &db)
{
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return false;
    sqlite3 *sqlite = *static_cast<sqlite3 *const *>(handle.constData());
    if (!sqlite)
        return false;
    return sqlite3_create_collation_v2(sqlite, kFoldingCollation, SQLITE_UTF16, nullptr, &compareFolded,
                                       nullptr)
        == SQLITE_OK;
}

} // namespace kw::refdb
