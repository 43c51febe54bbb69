#pragma once

#include "platform/mailstore/Fwd.h"

#include <QString>
#include <QVariant>

namespace kw::mailstore {

// User-defined properties of one item. Changes are kept in the item and
// written by its Save.
class UserProperty
{
public:
    UserProperty(ItemPtr item, const QString &name) : m_item(std::move(item)), m_name(name) {}

    QString Name() const { return m_name; }
    int Type() const;
    // The value as text.
    QString Value() const;
    void setValue(const QVariant &value);
    // Removes the property from the item (written by the item's Save).
    void Delete();

private:
    int indexOrThrow() const;
    ItemPtr m_item;
    QString m_name;
};

class UserProperties
{
public:
    explicit UserProperties(ItemPtr item) : m_item(std::move(item)) {}

    int Count() const;
    // 1-based.
    UserPropertyPtr Item(int index) const;
    // By name without regard to case; nullptr when the item has none.
    UserPropertyPtr Find(const QString &name) const;
    UserPropertyPtr operator()(const QString &name) const { return Find(name); }
    // Adds a property (type 1 = text) with an empty value. When one of that
    // name exists already it is returned as it is.
    UserPropertyPtr Add(const QString &name, int type = 1);
    // Removes the property at a 1-based index.
    void Remove(int index);

private:
    ItemPtr m_item;
};

} // namespace kw::mailstore
