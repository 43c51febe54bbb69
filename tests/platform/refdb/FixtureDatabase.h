#pragma once

#include "platform/refdb/Builder.h"

#include <QDir>
#include <QString>
#include <QStringList>

namespace kw::test {

// Builds a reference database at `target` from the shipped schema and the
// frozen CSV files of tests/fixtures/refdb (all of them, or those named).
inline QString buildFixtureDatabase(const QString &target, QStringList tables = {})
{
    const QDir fixtures(QStringLiteral(KW_TEST_FIXTURES "/refdb"));
    if (tables.isEmpty()) {
        for (const QString &file : fixtures.entryList({QStringLiteral("*.csv")}, QDir::Files, QDir::Name))
            tables << file.chopped(4);
    }
    QStringList files;
    for (const QString &table : tables)
        files << fixtures.filePath(table + QStringLiteral(".csv"));
    refdb::buildDatabase(QStringLiteral(KW_SOURCE_DIR "/data/refdb/schema.sql"), files, target);
    return target;
}

} // namespace kw::test
