#include "platform/mailstore/Records.h"

#include "platform/mailstore/FieldValues.h"

namespace kw::mailstore {

bool sameUserPropertyName(QStringView a, QStringView b)
{
    // Qt folds and compares unit by unit, so names of other lengths never
    // match; the length test spares most of the folding.
    if (a.size() != b.size())
        return false;
    // Mostly the very same spelling: an exact comparison is far cheaper.
    return a == b || a.compare(b, Qt::CaseInsensitive) == 0;
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
