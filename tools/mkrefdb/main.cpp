// mkrefdb: builds the reference database from a schema script and CSV files.
//
//   mkrefdb OUT.db schema.sql T_CountryCodes.csv T_CountryAndAreaCodes.csv ...
//
// Each CSV file fills the table named like the file. Exits 1 with a message
// naming file and line when anything is wrong; OUT.db is then left as it was.

#include "platform/core/PlatformError.h"
#include "platform/refdb/Builder.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: mkrefdb OUT.db schema.sql [TABLE.csv ...]\n");
        return 2;
    }
    try {
        kw::refdb::buildDatabase(args.at(1), args.mid(2), args.at(0));
    } catch (const kw::PlatformError &error) {
        std::fprintf(stderr, "mkrefdb: %s\n", qPrintable(error.description()));
        return 1;
    }
    return 0;
}
