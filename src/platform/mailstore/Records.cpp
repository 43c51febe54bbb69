#include "platform/mailstore/Records.h"

#include "platform/mailstore/FieldValues.h"

namespace kw::mailstore {

QDateTime ItemRecord::created() const
{
    if (creationTime.isValid() || createdText.isEmpty())
        return creationTime;
    return parseDateText(createdText).value_or(QDateTime());
}

} // namespace kw::mailstore
