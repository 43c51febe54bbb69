#include "platform/mailstore/LinkPaths.h"

#include "platform/mailstore/Attachments.h"
#include "platform/mailstore/ProfileDb.h"

namespace kw::mailstore {

QHash<QString, int> linkCountsByPath(ProfileDb &db)
{
    QSqlQuery &q = db.query(
        QStringLiteral("SELECT path_name, count(*) FROM attachments WHERE type = ? GROUP BY path_name"));
    sql::exec(q, {attachtype::ByReference});
    QHash<QString, int> counts;
    while (q.next())
        counts.insert(q.value(0).toString(), q.value(1).toInt());
    q.finish();
    return counts;
}

} // namespace kw::mailstore
