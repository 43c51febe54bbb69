#pragma once

#include "platform/mailstore/Fwd.h"

#include <QByteArray>
#include <QString>

namespace kw::mapi {

// "KWSafe3.MAPIUtils": clean-up, recipients from the address book and
// binary-to-hex conversion.
class MAPIUtils
{
public:
    // Resolves recipients in the given namespace's profile.
    explicit MAPIUtils(mailstore::NameSpacePtr ns);

    // Releases what the library holds between calls. Harmless at any time;
    // the namespace is the caller's, so recipients can still be created after.
    void Cleanup();
    // A recipient for a name; showDialog and parentWindow are accepted for
    // the callers' sake and never show anything.
    mailstore::RecipientPtr CreateRecipient(const QString &name, bool showDialog = false,
                                          long parentWindow = 0);
    // Upper-case hexadecimal text of a binary value ("" for an empty one).
    // A text value (already hex) is returned upper-cased.
    static QString HexFromBin(const QByteArray &value);
    static QString HexFromBin(const QVariant &value);
    // The bytes of a hexadecimal text in either case; throws for odd length
    // or a character that is no hex digit.
    static QByteArray BinFromHex(const QString &hex);

    // How many times Cleanup ran in this process (tests check the version rule).
    static int cleanupCount();

private:
    mailstore::NameSpacePtr m_ns;
};

} // namespace kw::mapi
