#include "shell/WindowPlacement.h"

#include "shell/RegistryFunctions.h"
#include "shell/SettingNames.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace kw::placement {
namespace {

// How much of the window's top must lie on a screen: enough of the title
// bar to grab it with the mouse.
constexpr int kGripWidth = 100;
constexpr int kGripHeight = 20;
// What the window manager's frame and title bar add around the window.
constexpr QSize kFrameAllowance{16, 40};

bool grippable(const QRect &window, const QRect &screen)
{
    const QRect top(window.left(), window.top(), window.width(), kGripHeight);
    const QRect shared = top.intersected(screen);
    return shared.width() >= std::min(window.width(), kGripWidth) && shared.height() == kGripHeight;
}

} // namespace

QList<QRect> availableScreens()
{
    QList<QRect> screens;
    for (const QScreen *screen : QGuiApplication::screens())
        screens.append(screen->availableGeometry());
    return screens;
}

QSize defaultSize(const QList<QRect> &screens)
{
    return screens.isEmpty() ? kDefaultSize : kDefaultSize.boundedTo(screens.first().size() - kFrameAllowance);
}

QString geometryText(const QRect &geometry)
{
    return QStringLiteral("%1,%2,%3,%4").arg(geometry.x()).arg(geometry.y()).arg(geometry.width()).arg(geometry.height());
}

std::optional<QRect> reachableGeometry(const QString &text, const QList<QRect> &screens)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        return std::nullopt;
    int values[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        values[i] = parts[i].trimmed().toInt(&ok);
        if (!ok)
            return std::nullopt;
    }
    const QRect geometry(values[0], values[1], values[2], values[3]);
    if (geometry.width() <= 0 || geometry.height() <= 0)
        return std::nullopt;
    for (const QRect &screen : screens) {
        if (grippable(geometry, screen))
            return geometry;
    }
    return std::nullopt;
}

void restore(QWidget &window, const Settings &settings)
{
    const QString saved = settings.GetSetting(setting::WindowGeometry, QString());
    if (const std::optional<QRect> geometry = reachableGeometry(saved, availableScreens()))
        window.setGeometry(*geometry);
}

void save(const QWidget &window, Settings &settings)
{
    settings.SaveSetting(setting::WindowGeometry, geometryText(window.normalGeometry()));
}

QSize helpWindowSize(const Settings &settings)
{
    const QStringList parts = settings.GetSetting(setting::HelpWindowSize, QString()).split(QLatin1Char(','));
    if (parts.size() != 2)
        return {};
    bool wide = false;
    bool high = false;
    const QSize size(parts[0].trimmed().toInt(&wide), parts[1].trimmed().toInt(&high));
    return wide && high && !size.isEmpty() ? size : QSize();
}

void saveHelpWindowSize(Settings &settings, const QSize &size)
{
    settings.SaveSetting(setting::HelpWindowSize, QStringLiteral("%1,%2").arg(size.width()).arg(size.height()));
}

} // namespace kw::placement
