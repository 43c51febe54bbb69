#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <optional>

namespace kw::registry {

enum ValueType : quint32 {
    REG_NONE = 0,
    REG_SZ = 1,
    REG_EXPAND_SZ = 2,
    REG_BINARY = 3,
    REG_DWORD = 4,
};

struct Value
{
    QString name;       // as first written; look-ups ignore case
    quint32 type = REG_SZ;
    QByteArray data;    // raw bytes as a writer handed them over
    bool operator==(const Value &) const = default;
};

struct Key
{
    QString path;                  // "HKEY_CURRENT_USER\Software\..." as first written
    QMap<QString, Value> values;   // by lower-case name
    bool operator==(const Key &) const = default;
};

// The whole hive, keyed by lower-case path.
using Hive = QMap<QString, Key>;

// REGEDIT4-style text: "[path]" headers and "name"=... lines. Strings that
// are plain printable UTF-8 are written quoted; anything else as hex so that
// every byte round-trips.
QByteArray serialize(const Hive &hive);
// Returns nothing when the text is not a registry file; `error` says why.
std::optional<Hive> parse(const QByteArray &text, QString *error);

} // namespace kw::registry
