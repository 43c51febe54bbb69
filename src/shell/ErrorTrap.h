#pragma once

#include "platform/core/PlatformError.h"
#include "shell/GlobalFunctions.h"

#include <exception>
#include <optional>

namespace kw {

// Runs `body` and returns what it threw as a PlatformError, or nothing when it
// ran through. Other exceptions keep their text under a generic number.
template<typename Body>
std::optional<PlatformError> catchError(Body &&body)
{
    try {
        body();
        return std::nullopt;
    } catch (const PlatformError &e) {
        return e;
    } catch (const std::exception &e) {
        return PlatformError(errors::kOperationFailed, QString::fromLocal8Bit(e.what()));
    } catch (...) {
        return PlatformError(errors::kOperationFailed, QStringLiteral("Unbekannter Fehler"));
    }
}

// The error trap of a procedure: runs `body`; whatever it throws is handed to
// HandleError with the procedure's place code and info text, and false comes
// back. Nothing escapes, so it may wrap the body of a slot.
template<typename Body>
bool trapErrors(Messages &messages, int placeCode, const QString &info, Body &&body)
{
    const std::optional<PlatformError> error = catchError(std::forward<Body>(body));
    if (error)
        messages.HandleError(*error, placeCode, info);
    return !error;
}

// An error trap that speaks once: the first failure goes to HandleError, later
// ones are dropped. A window that reads the same data at every keystroke says
// once per opening (one object per window) that it cannot, not at each key.
//   ReportOnce m_databaseReport;
//   if (!m_databaseReport(messages, place::TelTestDialog, {}, [&] { read(); })) ...
// A run whose every later item fails alike keeps them in the error log
// instead (ReportOnce::LogLater): each names the item it cost.
class ReportOnce
{
public:
    enum Later { DropLater, LogLater };
    explicit ReportOnce(Later later = DropLater) : m_later(later) {}

    template<typename Body>
    bool operator()(Messages &messages, int placeCode, const QString &info, Body &&body)
    {
        const std::optional<PlatformError> error = catchError(std::forward<Body>(body));
        if (error && !m_reported) {
            m_reported = true;
            messages.HandleError(*error, placeCode, info);
        } else if (error && m_later == LogLater) {
            messages.HandleError(*error, place::LogOnly, info);
        }
        return !error;
    }

private:
    Later m_later;
    bool m_reported = false;
};

} // namespace kw
