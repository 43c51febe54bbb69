#pragma once

#include "platform/mailstore/ContactRules.h"

#include <QString>

// The start and end of an appointment, kept as a calendar keeps them:
//  - Writing Start moves End with it, so the appointment keeps its length:
//    Start 02.03.2026 10:00:00 and End 02.03.2026 11:00:00, Start written as
//    09.03.2026 14:00:00, gives End 09.03.2026 15:00:00. When the old start,
//    the old end or the new start is no date ("01.01.4501"), End stays.
//  - Writing End before Start is refused like any value that does not fit:
//    kw::PlatformError (kInvalidArgument), the item unchanged. An end equal
//    to the start is an appointment without length and is taken.
// Both take the field's stored text, already checked to be a date. Fixture
// loading bypasses these rules as it does the contact rules.
namespace kw::mailstore::appointmentrules {

// True for the fields these rules apply to.
bool isRuled(const QString &canonicalName);
// Writes the field and what follows from it; throws before any change.
void write(const QString &canonicalName, const QString &value, const contactrules::Access &access);

} // namespace kw::mailstore::appointmentrules
