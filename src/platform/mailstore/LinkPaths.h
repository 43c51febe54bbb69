#pragma once

#include "platform/mailstore/Fwd.h"

#include <QHash>
#include <QString>

namespace kw::mailstore {

// How many link attachments (type 4) of the whole profile point to each
// path, the paths as stored. One pass over the attachments, for runs that
// must know whether a file is still linked from anywhere before deleting it.
QHash<QString, int> linkCountsByPath(ProfileDb &db);

} // namespace kw::mailstore
