#pragma once

#include <QString>
#include <QStringList>

namespace kw::bench {

// Telephone numbers as people type them into contacts: German, Austrian and
// Swiss numbers (and a few others) with trunk prefixes, "+", "00", brackets,
// slashes, dashes, labels and extensions. The same seed gives the same list.
QStringList messyNumbers(int count, quint32 seed);

} // namespace kw::bench
