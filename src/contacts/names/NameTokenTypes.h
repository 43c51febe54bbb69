#pragma once

#include "platform/core/Text.h"

#include <QString>

namespace kw::contacts::names::tokentype {

// The token types of the name parser, compared exactly.
inline const QString Comma = QStringLiteral(",");
inline const QString Open = QStringLiteral("(");
inline const QString Close = QStringLiteral(")");
inline const QString Hyphen = QStringLiteral("Hyphen");
inline const QString TitleDipl = QStringLiteral("TitleDipl");
inline const QString TitleDr = QStringLiteral("TitleDr");
inline const QString TitleProf = QStringLiteral("TitleProf");
inline const QString Address = QStringLiteral("Address");
inline const QString FirstName = QStringLiteral("FirstName");
inline const QString MiddleName = QStringLiteral("MiddleName");
inline const QString LastName = QStringLiteral("LastName");
inline const QString Suffix = QStringLiteral("Suffix");

} // namespace kw::contacts::names::tokentype

