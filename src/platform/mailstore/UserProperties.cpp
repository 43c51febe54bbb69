#include "platform/mailstore/UserProperties.h"

#include "platform/core/PlatformError.h"
#include "platform/mailstore/Faults.h"
#include "platform/mailstore/Item.h"

#include <algorithm>

namespace kw::mailstore {

namespace {

[[noreturn]] void missing(const QString &name)
{
    throw PlatformError(errors::kObjectNotFound,
                        QStringLiteral("Die Benutzereigenschaft \"%1\" existiert nicht.").arg(name));
}

} // namespace

int UserProperty::indexOrThrow() const
{
    const int i = indexOfUserProperty(m_item->userPropertyRecords(), m_name);
    if (i < 0)
        missing(m_name);
    return i;
}

int UserProperty::Type() const
{
    return m_item->userPropertyRecords()[indexOrThrow()].type;
}

QString UserProperty::Value() const
{
    return m_item->userPropertyRecords()[indexOrThrow()].value;
}

void UserProperty::setValue(const QVariant &value)
{
    m_item->userPropertyRecords()[indexOrThrow()].value = value.toString();
    m_item->markUserPropertyChanged(m_name);
}

void UserProperty::Delete()
{
    m_item->userPropertyRecords().removeAt(indexOrThrow());
    m_item->markUserPropertyChanged(m_name);
}

int UserProperties::Count() const
{
    return int(m_item->userPropertyRecords().size());
}

UserPropertyPtr UserProperties::Item(int index) const
{
    const auto &props = m_item->userPropertyRecords();
    if (index < 1 || index > props.size())
        throw PlatformError(errors::kInvalidArgument,
                            QStringLiteral("Index %1 außerhalb des gültigen Bereichs.").arg(index));
    return std::make_shared<UserProperty>(m_item, props[index - 1].name);
}

UserPropertyPtr UserProperties::Find(const QString &name) const
{
    const int i = indexOfUserProperty(m_item->userPropertyRecords(), name);
    return i < 0 ? nullptr
                 : std::make_shared<UserProperty>(m_item, m_item->userPropertyRecords()[i].name);
}

UserPropertyPtr UserProperties::Add(const QString &name, int type)
{
    if (std::all_of(name.cbegin(), name.cend(), [](QChar c) { return c.isSpace(); }))
        throw PlatformError(errors::kInvalidArgument,
                            QStringLiteral("Der Name der Benutzereigenschaft fehlt."));
    if (UserPropertyPtr existing = Find(name))
        return existing;
    if (faults::takeUserPropertyAddFault(name))
        throw PlatformError(errors::kOperationFailed,
                            QString::fromUtf8("Die Benutzereigenschaft \"%1\" lässt sich nicht anlegen.").arg(name));
    m_item->userPropertyRecords().append({name, type, QString()});
    m_item->markUserPropertyChanged(name);
    return std::make_shared<UserProperty>(m_item, name);
}

void UserProperties::Remove(int index)
{
    Item(index)->Delete();
}

} // namespace kw::mailstore
