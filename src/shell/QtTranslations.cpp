#include "shell/QtTranslations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

namespace kw {
namespace {

const QString kCatalogue = QStringLiteral("qtbase_de");

} // namespace

QString qtCatalogueFile()
{
    return QDir(QLibraryInfo::path(QLibraryInfo::TranslationsPath)).filePath(kCatalogue + QStringLiteral(".qm"));
}

bool installQtTranslations()
{
    QCoreApplication *app = QCoreApplication::instance();
    if (!app)
        return false;
    // Owned by the application, which keeps it for its whole run.
    auto *translator = new QTranslator(app);
    if (!translator->load(kCatalogue, QLibraryInfo::path(QLibraryInfo::TranslationsPath))
        || !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}

} // namespace kw
