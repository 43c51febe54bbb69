#pragma once

#include <QIcon>
#include <QImage>
#include <QString>

namespace kw::ui {

// The pictures of the tool bar, drawn at run time so that the program ships
// no image files. Known names: "duplicates", "search", "attachments",
// "holidays", "form", "names", "telephone", "options", "help"; any other
// name gives a plain square.
QIcon toolIcon(const QString &name);

// The program's icon, for every window and the desktop entry.
QImage programImage(int size);
QIcon programIcon(); // in the usual sizes from 16 to 256 px


} // namespace kw::ui
