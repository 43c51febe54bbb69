#include "platform/registry/RegFile.h"

#include <QList>

namespace kw::registry {
namespace {

const QByteArray kHeader = "REGEDIT4";

bool isPlainText(const QByteArray &data)
{
    for (char c : data) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7f)
            return false;
    }
    // Only valid UTF-8 can travel inside quotes unchanged.
    return QString::fromUtf8(data).toUtf8() == data;
}

QByteArray quote(const QByteArray &raw)
{
    QByteArray out = "\"";
    for (char c : raw) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    out += '"';
    return out;
}

QByteArray hexList(const QByteArray &data)
{
    QByteArrayList parts;
    parts.reserve(data.size());
    for (char c : data)
        parts << QByteArray::number(static_cast<unsigned char>(c), 16).rightJustified(2, '0');
    return parts.join(',');
}

QByteArray valueLine(const Value &v)
{
    QByteArray line = quote(v.name.toUtf8()) + '=';
    switch (v.type) {
    case REG_SZ:
        if (isPlainText(v.data))
            return line + quote(v.data);
        return line + "hex(1):" + hexList(v.data);
    case REG_DWORD:
        if (v.data.size() == 4) {
            quint32 n = 0;
            for (int i = 3; i >= 0; --i)
                n = (n << 8) | static_cast<unsigned char>(v.data.at(i));
            return line + "dword:" + QByteArray::number(n, 16).rightJustified(8, '0');
        }
        return line + "hex(4):" + hexList(v.data);
    case REG_BINARY:
        return line + "hex:" + hexList(v.data);
    default:
        return line + "hex(" + QByteArray::number(v.type, 16) + "):" + hexList(v.data);
    }
}

// Reads a quoted string starting at `pos` (which points at the opening quote).
std::optional<QByteArray> readQuoted(const QByteArray &line, qsizetype &pos)
{
    if (pos >= line.size() || line.at(pos) != '"')
        return std::nullopt;
    QByteArray out;
    for (++pos; pos < line.size(); ++pos) {
        const char c = line.at(pos);
        if (c == '\\') {
            if (++pos >= line.size())
                return std::nullopt;
            out += line.at(pos);
        } else if (c == '"') {
            ++pos;
            return out;
        } else {
            out += c;
        }
    }
    return std::nullopt;
}

std::optional<QByteArray> readHex(const QByteArray &text)
{
    QByteArray out;
    if (text.trimmed().isEmpty())
        return out;
    for (const QByteArray &part : text.split(',')) {
        bool ok = false;
        const uint byte = part.trimmed().toUInt(&ok, 16);
        if (!ok || byte > 0xff)
            return std::nullopt;
        out += static_cast<char>(byte);
    }
    return out;
}

std::optional<Value> parseValue(const QByteArray &line)
{
    qsizetype pos = 0;
    Value v;
    const auto name = readQuoted(line, pos);
    if (!name || pos >= line.size() || line.at(pos) != '=')
        return std::nullopt;
    v.name = QString::fromUtf8(*name);
    const QByteArray rest = line.mid(pos + 1);
    if (rest.startsWith('"')) {
        qsizetype p = 0;
        const auto s = readQuoted(rest, p);
        if (!s || p != rest.size())
            return std::nullopt;
        v.type = REG_SZ;
        v.data = *s;
        return v;
    }
    if (rest.startsWith("dword:")) {
        bool ok = false;
        const quint32 n = rest.mid(6).toUInt(&ok, 16);
        if (!ok || rest.size() != 14)
            return std::nullopt;
        v.type = REG_DWORD;
        for (int i = 0; i < 4; ++i)
            v.data += static_cast<char>((n >> (8 * i)) & 0xff);
        return v;
    }
    qsizetype colon = rest.indexOf(':');
    if (!rest.startsWith("hex") || colon < 0)
        return std::nullopt;
    const QByteArray kind = rest.left(colon);
    if (kind == "hex") {
        v.type = REG_BINARY;
    } else if (kind.startsWith("hex(") && kind.endsWith(')')) {
        bool ok = false;
        v.type = kind.mid(4, kind.size() - 5).toUInt(&ok, 16);
        if (!ok)
            return std::nullopt;
    } else {
        return std::nullopt;
    }
    const auto data = readHex(rest.mid(colon + 1));
    if (!data)
        return std::nullopt;
    v.data = *data;
    return v;
}

} // namespace

QByteArray serialize(const Hive &hive)
{
    QByteArray out = kHeader + "\n";
    for (const Key &key : hive) {
        out += "\n[" + key.path.toUtf8() + "]\n";
        for (const Value &v : key.values)
            out += valueLine(v) + '\n';
    }
    return out;
}

std::optional<Hive> parse(const QByteArray &text, QString *error)
{
    const QList<QByteArray> lines = text.split('\n');
    if (lines.isEmpty() || lines.first().trimmed() != kHeader) {
        if (error)
            *error = QStringLiteral("Kopfzeile \"REGEDIT4\" fehlt");
        return std::nullopt;
    }
    Hive hive;
    Key *current = nullptr;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        QByteArray line = lines.at(i);
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith(';'))
            continue;
        if (line.startsWith('[') && line.endsWith(']')) {
            const QString path = QString::fromUtf8(line.mid(1, line.size() - 2));
            Key &key = hive[path.toLower()];
            if (key.path.isEmpty())
                key.path = path;
            current = &key;
            continue;
        }
        const auto value = current ? parseValue(line) : std::nullopt;
        if (!value) {
            if (error)
                *error = QStringLiteral("Zeile %1 ist nicht lesbar").arg(i + 1);
            return std::nullopt;
        }
        current->values.insert(value->name.toLower(), *value);
    }
    return hive;
}

} // namespace kw::registry
