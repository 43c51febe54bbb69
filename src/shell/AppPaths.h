#pragma once

#include <QString>

namespace kw {

// Where this run keeps and finds its files. Built once at start and handed
// down: nothing below the program's start reads the environment.
struct AppPaths
{
    QString programFolder; // errorlog.txt, the reference database, Preferences/
    QString registryFile;
    QString profileFile;
    QString dataFolder;    // what the build ships: help pages, pristine reference database

    // From the KONTORWERK_* overrides or the per-user defaults.
    static AppPaths fromEnvironment();
    QString helpFolder() const;
    // The program folder's reference database, the one the tools read and edit.
    QString referenceDatabase() const;
    // The pristine reference database it is copied from when missing.
    QString shippedReferenceDatabase() const;
    // One dialog's history file, e.g. "Tel.dat", in the preferences folder of
    // programFolder; static for the dialogs, which are handed only that folder.
    static QString historyFile(const QString &programFolder, const QString &fileName);
};

} // namespace kw
