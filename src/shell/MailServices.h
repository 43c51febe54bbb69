#pragma once

#include "platform/mailstore/Fwd.h"

#include <QString>

namespace kw {

class MailProfile;
class Messages;

// Releases the wrapper library's state after MAPI work on the profile. Only
// under a mail client whose version begins with "10" is the library called at
// all. A failure is logged (place 1, "Clear") and never shown.
void CleanUpMAPI(Messages &messages, MailProfile &profile);

// The text user property `name` of the item, added (type 1, empty) when the
// item has none. The item is not saved here. On failure (reported with 206)
// the result is null.
mailstore::UserPropertyPtr GetOrAddUserProperty(const mailstore::ItemPtr &item, const QString &name,
                                              Messages &messages);

} // namespace kw
