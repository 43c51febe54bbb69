#include "platform/mailstore/AppointmentRules.h"

#include "platform/core/PlatformError.h"
#include "platform/mailstore/FieldValues.h"

#include <optional>

namespace kw::mailstore::appointmentrules {

namespace {

const QString kStart = QStringLiteral("Start");
const QString kEnd = QStringLiteral("End");

// The date of a stored text; nothing for "no date".
std::optional<QDateTime> realDate(const QString &text)
{
    const std::optional<QDateTime> date = parseDateText(text);
    if (!date || *date == noDate())
        return std::nullopt;
    return date;
}

void writeStart(const QString &value, const contactrules::Access &a)
{
    const std::optional<QDateTime> start = realDate(a.get(kStart));
    const std::optional<QDateTime> end = realDate(a.get(kEnd));
    const std::optional<QDateTime> newStart = realDate(value);
    if (start && end && newStart)
        a.set(kEnd, dateToText(newStart->addSecs(start->secsTo(*end))));
    a.set(kStart, value);
}

void writeEnd(const QString &value, const contactrules::Access &a)
{
    const std::optional<QDateTime> start = realDate(a.get(kStart));
    const std::optional<QDateTime> end = realDate(value);
    if (start && end && *end < *start)
        throw PlatformError(errors::kInvalidArgument,
                            QStringLiteral("Das Ende (%1) liegt vor dem Beginn (%2) des Termins.")
                                .arg(value, a.get(kStart)));
    a.set(kEnd, value);
}

} // namespace

bool isRuled(const QString &name)
{
    return name == kStart || name == kEnd;
}

void write(const QString &name, const QString &value, const contactrules::Access &access)
{
    if (name == kStart)
        writeStart(value, access);
    else if (name == kEnd)
        writeEnd(value, access);
    else
        access.set(name, value);
}

} // namespace kw::mailstore::appointmentrules
