#include "platform/mailstore/ContactRules.h"

#include "platform/core/Text.h"

#include <QRegularExpression>

namespace kw::mailstore::contactrules {

namespace {

const QStringList kNameParts = {QStringLiteral("Title"), QStringLiteral("FirstName"),
                                QStringLiteral("MiddleName"), QStringLiteral("LastName"),
                                QStringLiteral("Suffix")};
const QStringList kAddressParts = {QStringLiteral("Street"), QStringLiteral("PostalCode"),
                                   QStringLiteral("City"), QStringLiteral("State"),
                                   QStringLiteral("Country")};
const QStringList kAddressPrefixes = {QStringLiteral("BusinessAddress"),
                                      QStringLiteral("HomeAddress"),
                                      QStringLiteral("OtherAddress")};

QStringList words(const QString &text)
{
    // A name run writes an empty full name first: no match to run on nothing.
    if (text.isEmpty())
        return {};
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    return text.split(blanks, Qt::SkipEmptyParts);
}

// Appends a part trimmed, after a blank, unless it is blank.
void appendNamePart(QString &full, QStringView part)
{
    const QStringView kept = part.trimmed();
    if (kept.isEmpty())
        return;
    if (!full.isEmpty())
        full += u' ';
    full += kept;
}

void rebuildFullName(const Access &a)
{
    QString full;
    for (const QString &p : kNameParts)
        appendNamePart(full, a.get(p));
    a.set(u"FullName", full);
}

void writeFullName(const QString &value, const Access &a)
{
    const QStringList parts = splitFullName(value);
    for (int i = 0; i < kNameParts.size(); ++i)
        a.set(kNameParts[i], parts[i]);
    a.set(u"FullName", value.trimmed().isEmpty() ? QStringLiteral("") : value);
}

// "BusinessAddressCity" -> ("BusinessAddress", "City"); empty when no part.
QPair<QString, QString> addressPart(const QString &name)
{
    for (const QString &prefix : kAddressPrefixes)
        for (const QString &part : kAddressParts)
            if (name.size() == prefix.size() + part.size() && name.startsWith(prefix)
                && name.endsWith(part))
                return {prefix, part};
    return {};
}

void rebuildAddress(const QString &prefix, const Access &a)
{
    QStringList parts;
    for (const QString &p : kAddressParts)
        parts.append(a.get(prefix + p));
    a.set(prefix, composeAddress(parts));
}

void writeAddress(const QString &prefix, const QString &value, const Access &a)
{
    const QStringList parts = splitAddress(value);
    for (int i = 0; i < kAddressParts.size(); ++i)
        a.set(prefix + kAddressParts[i], parts[i]);
    a.set(prefix, value);
}

} // namespace

QString composeFullName(const QStringList &parts)
{
    QString full;
    for (const QString &p : parts)
        appendNamePart(full, p);
    return full;
}

QStringList splitFullName(const QString &fullName)
{
    const QStringList w = words(fullName);
    QStringList out(5);
    if (w.isEmpty())
        return out;
    out[1] = w.first();
    if (w.size() > 1) {
        out[3] = w.last();
        out[2] = w.mid(1, w.size() - 2).join(u' ');
    }
    return out;
}

QString composeAddress(const QStringList &parts)
{
    const QString postalCity = composeFullName({parts.value(1), parts.value(2)});
    QStringList lines;
    for (const QString &line : {parts.value(0), postalCity, parts.value(3), parts.value(4)})
        if (!line.trimmed().isEmpty())
            lines.append(line.trimmed());
    return lines.join(kCrLf);
}

QStringList splitAddress(const QString &address)
{
    static const QRegularExpression eol(QStringLiteral("\r?\n"));
    QStringList lines;
    for (const QString &l : address.split(eol))
        if (!l.trimmed().isEmpty())
            lines.append(l.trimmed());
    QStringList out(5);
    if (lines.isEmpty())
        return out;
    QString postalLine;
    if (lines.size() == 1) {
        out[0] = lines[0];
    } else if (lines.size() == 2) {
        out[0] = lines[0];
        postalLine = lines[1];
    } else if (lines.size() == 3) {
        out[0] = lines[0];
        postalLine = lines[1];
        out[4] = lines[2];
    } else {
        const int n = int(lines.size());
        out[0] = lines.mid(0, n - 3).join(kCrLf);
        postalLine = lines[n - 3];
        out[3] = lines[n - 2];
        out[4] = lines[n - 1];
    }
    const QStringList w = words(postalLine);
    static const QRegularExpression digit(QStringLiteral("\\d"));
    if (!w.isEmpty() && w.first().contains(digit)) {
        out[1] = w.first();
        out[2] = w.mid(1).join(u' ');
    } else {
        out[2] = w.join(u' ');
    }
    return out;
}

bool isComposite(const QString &name)
{
    return name == u"FullName" || kNameParts.contains(name) || kAddressPrefixes.contains(name)
           || !addressPart(name).first.isEmpty();
}

void write(const QString &name, const QString &value, const Access &a)
{
    if (name == u"FullName") {
        writeFullName(value, a);
    } else if (kNameParts.contains(name)) {
        a.set(name, value);
        rebuildFullName(a);
    } else if (kAddressPrefixes.contains(name)) {
        writeAddress(name, value, a);
    } else if (const auto part = addressPart(name); !part.first.isEmpty()) {
        a.set(name, value);
        rebuildAddress(part.first, a);
    } else {
        a.set(name, value);
    }
}

} // namespace kw::mailstore::contactrules
