#pragma once

// Module WindowPlacement: the main window's size and place, and the help
// window's size, between runs.

#include <QList>
#include <QRect>
#include <QString>

#include <optional>

class QWidget;

namespace kw {

class Settings;

namespace placement {

// The size of a first start, made smaller where the screen is.
inline constexpr QSize kDefaultSize{980, 640};

// The available area (without panels) of every screen.
QList<QRect> availableScreens();
// kDefaultSize bounded by the first (primary) screen's available size, less
// the window frame.
QSize defaultSize(const QList<QRect> &screens);

// "x,y,width,height".
QString geometryText(const QRect &geometry);
// The stored geometry when it reads as four whole numbers with a size and
// puts the window where the user can reach it: a strip along its top edge,
// where the title bar is grabbed, lies on one of `screens`. Otherwise none,
// so a window saved on a screen that is gone opens in the default place.
std::optional<QRect> reachableGeometry(const QString &text, const QList<QRect> &screens);

// Setting WindowGeometry: restored before the window is first shown, saved
// when it closes (its normal geometry, also when it is maximised).
void restore(QWidget &window, const Settings &settings);
void save(const QWidget &window, Settings &settings);

// Setting HelpWindowSize, "width,height". Reads as an empty size when none
// is stored or the text is no size.
QSize helpWindowSize(const Settings &settings);
void saveHelpWindowSize(Settings &settings, const QSize &size);

} // namespace placement
} // namespace kw
