#pragma once

#include <QString>
#include <stdexcept>

namespace kw {

// What every stand-in for the platform throws. Procedures with an error trap
// catch it and hand it to HandleError; nothing lets it escape a slot, an event
// handler or main. The description is what the user reads, in German; the
// detail (a library's own text, often English) goes to the error log only.
class PlatformError : public std::runtime_error
{
public:
    PlatformError(long number, const QString &description, const QString &detail = {})
        : std::runtime_error(description.toStdString())
        , m_number(number)
        , m_description(description)
        , m_detail(detail)
    {
    }

    long number() const { return m_number; }
    const QString &description() const { return m_description; }
    const QString &detail() const { return m_detail; }

private:
    long m_number;
    QString m_description;
    QString m_detail;
};

// Error numbers our stand-ins use; chosen in the range the original runtime
// used for application-defined errors so they never collide with real ones.
namespace errors {
constexpr long kFileNotFound = 53;
constexpr long kFileAlreadyExists = 58;
constexpr long kPathFileAccessError = 75;
constexpr long kPermissionDenied = 70;
constexpr long kPathNotFound = 76;
constexpr long kTypeMismatch = 13;
constexpr long kInvalidArgument = 5;
constexpr long kObjectNotFound = -2147221233;   // item or folder unknown, deleted or moved
constexpr long kOperationFailed = -2147467259;  // generic failure of a platform call
constexpr long kDatabase = -2147217900;         // reference database failure
}

// Numbers of the original runtime's own errors that the ported code raises
// where the original would have hit them.
namespace errors {
constexpr long kSubscriptOutOfRange = 9;
constexpr long kObjectVariableNotSet = 91;
constexpr long kInvalidUseOfNull = 94;
}

} // namespace kw
