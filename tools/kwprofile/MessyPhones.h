#pragma once

#include "Gen.h"

#include <QJsonObject>
#include <QStringList>

namespace kw::profilegen {

// The nineteen telephone and fax fields of a contact, the common ones first.
const QStringList &phoneFields();

// The layout the telephone run writes by default: "+49 (711) 1234567".
QString numberInLayout(Gen &g, const Place &place);

// A number as found in address books: with an extension, letters, a "Fax:"
// prefix, from abroad, a German mobile with a four- or five-digit network
// code ("01511 2345678"), or one of the many ways of Gen::phone.
QString messyNumber(Gen &g, const Place &place, const QString &field);

// Fills the first `count` of phoneFields(). Every fifth number, counted
// over all calls through `serial`, is already in the layout.
void fillPhoneFields(Gen &g, QJsonObject &fields, const Place &place, int count, qint64 &serial);

} // namespace kw::profilegen
