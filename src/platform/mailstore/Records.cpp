#include "platform/mailstore/Records.h"

#include "platform/core/Text.h"
#include "platform/mailstore/FieldValues.h"

namespace kw::mailstore {

bool sameUserPropertyName(QStringView a, QStringView b)
{
    return equalsIgnoringCase(a, b);
}

int indexOfUserProperty(const QList<UserPropertyRecord> &props, QStringView name)
{
    for (int i = 0; i < props.size(); ++i)
        if (sameUserPropertyName(props[i].name, name))
            return i;
    return -1;
}

QDateTime ItemRecord::created() const
{
    if (creationTime.isValid() || createdText.isEmpty())
        return creationTime;
    return parseDateText(createdText).value_or(QDateTime());
}

} // namespace kw::mailstore
