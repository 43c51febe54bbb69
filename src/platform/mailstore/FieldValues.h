#pragma once

#include "platform/mailstore/ItemSchema.h"

#include <QDateTime>
#include <QString>
#include <QVariant>
#include <optional>

namespace kw::mailstore {

// The text that stands for "no date" in every date field.
inline const QString kNoDate = QStringLiteral("01.01.4501");
inline const QString kTrueText = QStringLiteral("Wahr");
inline const QString kFalseText = QStringLiteral("Falsch");

// Text form of a date: "dd.MM.yyyy" at midnight, else "dd.MM.yyyy HH:mm:ss";
// an invalid date gives kNoDate.
QString dateToText(const QDateTime &value);
// Reads "dd.MM.yyyy", "dd.MM.yyyy HH:mm" and "dd.MM.yyyy HH:mm:ss" (one-digit
// day and month allowed). kNoDate reads as 01.01.4501 00:00. nullopt when the
// text is no date.
std::optional<QDateTime> parseDateText(const QString &text);
// The date that stands for "no date".
QDateTime noDate();

// The stored text form of a value for a field of the given kind. Throws
// kw::PlatformError (type mismatch) when the value does not convert, e.g. a
// text that is no date written into a date field.
QString toFieldText(FieldKind kind, const QVariant &value, const QString &fieldName);
// The typed value of a stored text (QString, QDateTime, bool, int or double).
QVariant fromFieldText(FieldKind kind, const QString &text);
// The value a field holds before anything is written into it.
QString defaultFieldText(FieldKind kind);

} // namespace kw::mailstore
