#include "contacts/names/NameWordCsv.h"

#include "platform/core/PlatformError.h"

#include <QFile>
#include <functional>

namespace kw::contacts::names {
namespace {

// One CSV record's fields; quotes are honoured, though the tables need none.
QStringList csvFields(const QString &line)
{
    QStringList fields{QString()};
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c == QLatin1Char('"')) {
            if (quoted && i + 1 < line.size() && line[i + 1] == QLatin1Char('"'))
                fields.back() += line[++i];
            else
                quoted = !quoted;
        } else if (c == QLatin1Char(',') && !quoted) {
            fields.append(QString());
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

void readTable(const QString &path, const std::function<void(const QStringList &)> &row)
{
    QFile file(path);
    if (!file.exists())
        return;
    if (!file.open(QIODevice::ReadOnly))
        throw PlatformError(errors::kPermissionDenied, file.errorString());
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (qsizetype i = 1; i < lines.size(); ++i) {
        QString line = lines[i];
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (!line.isEmpty())
            row(csvFields(line));
    }
}

} // namespace

NameWordTables loadNameWordCsvFolder(const QString &folder)
{
    NameWordTables t;
    using Adder = void (NameWordTables::*)(const QString &);
    const std::pair<const char *, Adder> single[] = {
        {"T_BusinessWord", &NameWordTables::addBusinessWord}, {"T_BusinessInStr", &NameWordTables::addBusinessInStr},
        {"T_BusinessEnd", &NameWordTables::addBusinessEnd},   {"T_Hyphens", &NameWordTables::addHyphen},
        {"T_TitlesDipl", &NameWordTables::addTitleDipl},      {"T_TitlesDr", &NameWordTables::addTitleDr},
        {"T_TitlesProf", &NameWordTables::addTitleProf},      {"T_Addresses", &NameWordTables::addAddress},
        {"T_Suffixes", &NameWordTables::addSuffix},
    };
    for (const auto &[table, add] : single) {
        readTable(folder + QLatin1Char('/') + QLatin1String(table) + QLatin1String(".csv"),
                  [&t, add = add](const QStringList &f) { (t.*add)(f[0]); });
    }
    readTable(folder + QStringLiteral("/T_FirstNames.csv"),
              [&t](const QStringList &f) { t.addFirstName(f[0], f.value(1)); });
    return t;
}

} // namespace kw::contacts::names
