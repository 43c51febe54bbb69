// The program: builds the services, wires the main window's entries to the
// tools and runs the start sequence.

#include "app/Dispatch.h"
#include "platform/refdb/Database.h"
#include "platform/ui/ItemWindow.h"
#include "shell/ErrorTrap.h"
#include "shell/AppServices.h"
#include "shell/Main.h"
#include "shell/QtTranslations.h"
#include "shell/frmHaupt.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    // Before any window: Qt's dialogs and menus are built with its texts.
    kw::installQtTranslations();
    // Ties the windows to the installed desktop entry (kontorwerk.desktop).
    QGuiApplication::setDesktopFileName(QStringLiteral("kontorwerk"));
    try {
        kw::AppServices services;
        kw::ui::installItemWindow();
        // The telephone tables are the user's to edit, so the program works on
        // its own copy; a failure is shown now, the tools report it again.
        kw::trapErrors(services.messages, kw::place::Main, QString(), [&services] {
            const kw::refdb::ProgramCopy copy = kw::refdb::ensureProgramCopy(
                services.paths.shippedReferenceDatabase(), services.paths.referenceDatabase());
            if (!copy.notice.isEmpty())
                services.messages.ShowMessage(copy.notice, kw::ui::mb::Exclamation, kw::titles::Hinweis);
        });
        kw::MainWindows windows(services, [&services](kw::frmHaupt &window) {
            const QStringList rejected = kw::app::wireActions(window, services).rejected;
            if (!rejected.isEmpty())
                qWarning("Unknown entries in the dispatch table: %s", qPrintable(rejected.join(u' ')));
        });
        if (!kw::Main(services, windows))
            return 1;
        return app.exec();
    } catch (const std::exception &e) {
        // Only reached when even the message box could not be built.
        std::fprintf(stderr, "kontorwerk: %s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "kontorwerk: unbekannter Fehler\n");
    }
    return 1;
}
