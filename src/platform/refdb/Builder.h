#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace kw::refdb {

// One table's rows read from a CSV file (UTF-8, header line, RFC 4180
// quoting, an empty field meaning NULL).
struct CsvTable
{
    QString name; // the file name without ".csv"
    QStringList columns;
    QList<QStringList> rows; // a null QString stands for NULL
};

// Parses CSV text. Throws PlatformError naming `origin` and the line on a
// malformed quote or a row whose field count differs from the header's.
CsvTable parseCsv(const QByteArray &text, const QString &name, const QString &origin);
CsvTable readCsvFile(const QString &path);

// Splits an SQL script into its statements (";" at the end of a line ends
// one; "--" comment lines are dropped).
QStringList splitSqlScript(const QString &script);

// Builds a reference database at `target` from a schema script and CSV files,
// each loaded into the table named like the file. The file is written under
// a temporary name and renamed at the end, so `target` is either the old file
// or the complete new one. Throws PlatformError.
void buildDatabase(const QString &schemaFile, const QStringList &csvFiles, const QString &target);

} // namespace kw::refdb
