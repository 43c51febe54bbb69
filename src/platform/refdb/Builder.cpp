#include "platform/refdb/Builder.h"

#include "platform/core/PlatformError.h"
#include "platform/refdb/Connection.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>

namespace kw::refdb {
namespace {

[[noreturn]] void fail(const QString &message)
{
    throw PlatformError(errors::kDatabase, message);
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw PlatformError(errors::kFileNotFound, QStringLiteral("\"%1\" lässt sich nicht lesen.").arg(path));
    return file.readAll();
}

// Reads one CSV record starting at `pos`; advances `pos` and `line`.
QStringList readRecord(const QString &text, qsizetype &pos, int &line, const QString &origin)
{
    QStringList fields;
    QString field = QStringLiteral("");
    bool quoted = false;
    bool wasQuoted = false;
    const int startLine = line;
    auto endField = [&] {
        fields << ((field.isEmpty() && !wasQuoted) ? QString() : field);
        field = QStringLiteral("");
        wasQuoted = false;
    };
    while (pos < text.size()) {
        const QChar c = text.at(pos++);
        if (quoted) {
            if (c == u'"' && pos < text.size() && text.at(pos) == u'"') {
                field += u'"';
                ++pos;
            } else if (c == u'"') {
                quoted = false;
            } else {
                if (c == u'\n')
                    ++line;
                field += c;
            }
        } else if (c == u'"' && field.isEmpty()) {
            quoted = wasQuoted = true;
        } else if (c == u',') {
            endField();
        } else if (c == u'\n') {
            ++line;
            break;
        } else if (c != u'\r') {
            field += c;
        }
    }
    if (quoted)
        fail(QStringLiteral("%1, Zeile %2: Anführungszeichen nicht geschlossen.").arg(origin).arg(startLine));
    endField();
    return fields;
}

} // namespace

CsvTable parseCsv(const QByteArray &bytes, const QString &name, const QString &origin)
{
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    CsvTable table;
    table.name = name;
    qsizetype pos = 0;
    int line = 1;
    table.columns = readRecord(text, pos, line, origin);
    while (pos < text.size()) {
        const int rowLine = line;
        QStringList row = readRecord(text, pos, line, origin);
        if (row.size() == 1 && row.first().isNull())
            continue; // blank line
        if (row.size() != table.columns.size()) {
            fail(QStringLiteral("%1, Zeile %2: %3 Felder statt %4.")
                     .arg(origin).arg(rowLine).arg(row.size()).arg(table.columns.size()));
        }
        table.rows << row;
    }
    return table;
}

CsvTable readCsvFile(const QString &path)
{
    return parseCsv(readAll(path), QFileInfo(path).completeBaseName(), path);
}

QStringList splitSqlScript(const QString &script)
{
    QStringList statements;
    QString current;
    for (const QString &line : script.split(u'\n')) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(QStringLiteral("--")) || trimmed.isEmpty())
            continue;
        current += line + u'\n';
        if (trimmed.endsWith(u';')) {
            statements << current.trimmed();
            current.clear();
        }
    }
    if (!current.trimmed().isEmpty())
        statements << current.trimmed();
    return statements;
}

namespace {

void loadTable(Connection &db, const CsvTable &table)
{
    QStringList quotedColumns;
    for (const QString &column : table.columns)
        quotedColumns << u'"' + QString(column).replace(u'"', QStringLiteral("\"\"")) + u'"';
    const QString sql = QStringLiteral("INSERT INTO \"%1\" (%2) VALUES (%3)")
                            .arg(table.name, quotedColumns.join(u','),
                                 QStringList(table.columns.size(), QStringLiteral("?")).join(u','));
    int rowNumber = 1;
    for (const QStringList &row : table.rows) {
        ++rowNumber;
        QVariantList values;
        for (const QString &field : row)
            values << (field.isNull() ? QVariant() : QVariant(field));
        try {
            db.Execute(sql, values);
        } catch (const PlatformError &error) {
            fail(QStringLiteral("%1.csv, Zeile %2: %3").arg(table.name).arg(rowNumber).arg(error.description()));
        }
    }
}

} // namespace

void buildDatabase(const QString &schemaFile, const QStringList &csvFiles, const QString &target)
{
    const QString temporary = target + QStringLiteral(".building");
    QFile::remove(temporary);
    QFile(temporary).open(QIODevice::WriteOnly); // SQLite opens only existing files through Open()
    try {
        Connection db = Connection::Open(temporary, Connection::Mode::ReadWrite);
        db.Execute(QStringLiteral("PRAGMA journal_mode = OFF"));
        db.database().transaction();
        for (const QString &statement : splitSqlScript(QString::fromUtf8(readAll(schemaFile))))
            db.Execute(statement);
        for (const QString &file : csvFiles)
            loadTable(db, readCsvFile(file));
        if (!db.database().commit())
            fail(QStringLiteral("\"%1\" lässt sich nicht schreiben.").arg(temporary));
        db.Execute(QStringLiteral("PRAGMA journal_mode = DELETE"));
        db.Execute(QStringLiteral("VACUUM"));
    } catch (...) {
        QFile::remove(temporary);
        throw;
    }
    QFile::remove(target);
    if (!QFile::rename(temporary, target))
        fail(QStringLiteral("\"%1\" lässt sich nicht anlegen.").arg(target));
}

} // namespace kw::refdb
