#pragma once

// Module QtTranslations: Qt's own texts in German.

#include <QString>

namespace kw {

// Where Qt's German catalogue lies: qtbase_de.qm in Qt's translations folder
// (Debian's qt6-translations-l10n installs it).
QString qtCatalogueFile();

// Loads that catalogue into the application, so that file dialogs, the
// context menus of text boxes and standard buttons speak German like the
// rest of the program, whatever language the system is set to. Call it once
// the application exists and before any window is built. Returns false when
// the catalogue is missing or unreadable: Qt's texts then stay English.
bool installQtTranslations();

} // namespace kw
