#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringView>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kw::mailstore {

// How a field's value is typed. Every value is kept as its text form (see
// FieldValues.h) and converted when read typed.
enum class FieldKind { Text, Date, Bool, Integer, Number };

struct FieldDef
{
    QString name; // the member name in its canonical spelling, e.g. "FullName"
    FieldKind kind = FieldKind::Text;
};

// Item class numbers as the tools test them (`Class`).
namespace itemclass {
constexpr int Appointment = 26;
constexpr int Contact = 40;
constexpr int Journal = 42;
constexpr int Mail = 43;
constexpr int Note = 44;
constexpr int Post = 45;
constexpr int Task = 48;
constexpr int DistList = 69;
} // namespace itemclass

// The field list of one item class. Look-ups ignore letter case, so
// "Fullname", "FULLNAME" and "FullName" name the same field.
class ItemSchema
{
public:
    // Throws kw::PlatformError for a number that is no item class.
    static const ItemSchema &forClass(int itemClass);
    static bool isItemClass(int itemClass);

    int itemClass() const { return m_class; }
    int size() const { return int(m_fields.size()); }
    const FieldDef &field(int index) const { return m_fields[index]; }
    const QList<FieldDef> &fields() const { return m_fields; }
    // -1 when the class has no field of that name.
    int indexOf(QStringView name) const;
    // The same for a canonical name given as UTF-8 bytes (no allocation).
    int indexOfUtf8(std::string_view name) const;

    ItemSchema(int itemClass, QList<FieldDef> fields);

private:
    int m_class;
    QList<FieldDef> m_fields;
    // Field names are ASCII and differ in more than letter case, so one map
    // that ignores case answers the canonical spelling and every other.
    struct FoldedHash
    {
        size_t operator()(QStringView v) const noexcept;
    };
    struct FoldedEqual
    {
        bool operator()(QStringView a, QStringView b) const noexcept;
    };
    std::unordered_map<QStringView, int, FoldedHash, FoldedEqual> m_byName; // keys view the names in m_fields
    std::vector<std::string> m_utf8Names; // owns the keys of m_byUtf8
    std::unordered_map<std::string_view, int> m_byUtf8;
};

// The item class a message class stands for: "IPM.Contact" and every class
// below it ("IPM.Contact.Kunde") give 40; 0 when none matches.
int classForMessageClass(const QString &messageClass);
// The base message class of an item class ("IPM.Contact" for 40).
QString baseMessageClass(int itemClass);
// The canonical spelling of a field name known to any class ("" when none).
QString canonicalFieldName(QStringView name);
// The kind of a field known to any class (Text when unknown).
FieldKind kindOfField(QStringView name);

} // namespace kw::mailstore
