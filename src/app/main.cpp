#include "platform/core/Paths.h"
#include "platform/registry/Registry.h"
#include "platform/ui/MessageBox.h"
#include "shell/GlobalFunctions.h"
#include "shell/RegistryFunctions.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    kw::ui::QtMessageBox box;
    kw::Messages messages(box, kw::paths::programFolder());
    kw::registry::Registry registry(kw::paths::registryFile());
    kw::Settings settings(registry, messages);
    settings.InitDefaultSettings();
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Kontorwerk"));
    window.show();
    return app.exec();
}
