#pragma once

#include <QIcon>
#include <QString>

namespace kw::ui {

// The pictures of the tool bar, drawn at run time so that the program ships
// no image files. Known names: "duplicates", "search", "attachments",
// "holidays", "form", "names", "telephone", "options", "help"; any other
// name gives a plain square.
QIcon toolIcon(const QString &name);

} // namespace kw::ui
