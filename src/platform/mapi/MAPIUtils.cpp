#include "platform/mapi/MAPIUtils.h"

#include "platform/core/PlatformError.h"
#include "platform/mailstore/NameSpace.h"

#include <QVariant>

namespace kw::mapi {

namespace {
int cleanups = 0;
}

MAPIUtils::MAPIUtils(mailstore::NameSpacePtr ns) : m_ns(std::move(ns)) {}

void MAPIUtils::Cleanup()
{
    ++cleanups;
}

int MAPIUtils::cleanupCount()
{
    return cleanups;
}

mailstore::RecipientPtr MAPIUtils::CreateRecipient(const QString &name, bool, long)
{
    if (!m_ns)
        throw PlatformError(errors::kObjectVariableNotSet, QStringLiteral("Object variable not set"));
    return m_ns->CreateRecipient(name);
}

QString MAPIUtils::HexFromBin(const QByteArray &value)
{
    return QString::fromLatin1(value.toHex().toUpper());
}

QString MAPIUtils::HexFromBin(const QVariant &value)
{
    if (value.metaType().id() == QMetaType::QByteArray)
        return HexFromBin(value.toByteArray());
    return value.toString().toUpper();
}

QByteArray MAPIUtils::BinFromHex(const QString &hex)
{
    static const QString digits = QStringLiteral("0123456789abcdefABCDEF");
    if (hex.size() % 2 != 0 || std::any_of(hex.cbegin(), hex.cend(), [](QChar c) {
            return !digits.contains(c);
        }))
        throw PlatformError(errors::kInvalidArgument,
                            QStringLiteral("Keine Hexadezimalzahl: %1").arg(hex));
    return QByteArray::fromHex(hex.toLatin1());
}

} // namespace kw::mapi
