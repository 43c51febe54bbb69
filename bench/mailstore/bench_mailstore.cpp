// Reads every contact of a 50,000-contact profile twice: through the object
// model (Items.Item(j) and a safe item, ten fields each) and with one
// prepared SQLite statement over the same rows and fields. Prints the times
// and their ratio. Usage: bench_mailstore [CONTACTS]
#include "SyntheticProfile.h"

#include "platform/mailstore/Fixture.h"
#include "platform/mailstore/MailStore.h"
#include "platform/mapi/SafeItem.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>

namespace {

const QStringList kFields = {"FirstName", "LastName", "FullName", "CompanyName", "FileAs",
                             "Email1Address", "BusinessTelephoneNumber", "MobileTelephoneNumber",
                             "HomeTelephoneNumber", "BusinessAddress"};

qint64 objectModel(const QString &profile, qint64 &chars)
{
    QElapsedTimer t;
    t.start();
    auto app = kw::mailstore::Application::open(profile);
    auto folder = app->GetNamespace("MAPI")->GetDefaultFolder(kw::mailstore::defaultfolder::Contacts);
    auto items = folder->Items();
    const int n = items->Count();
    for (int j = 1; j <= n; ++j) {
        auto safe = kw::mapi::CreateSafeItem(kw::mapi::progid::SafeContactItem);
        safe->setItem(items->Item(j));
        for (const QString &f : kFields)
            chars += safe->text(f).size();
    }
    return t.nsecsElapsed();
}

qint64 raw(const QString &profile, qint64 &chars)
{
    QElapsedTimer t;
    t.start();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "raw");
        db.setDatabaseName(profile);
        db.open();
        QString sql = "SELECT i.id";
        QString joins;
        for (int k = 0; k < kFields.size(); ++k) {
            sql += QStringLiteral(", f%1.value").arg(k);
            joins += QStringLiteral(" LEFT JOIN fields f%1 ON f%1.item = i.id AND f%1.kind = 0 AND f%1.name = ?").arg(k);
        }
        sql += " FROM items i" + joins
               + " WHERE i.folder = (SELECT id FROM folders WHERE default_folder = 10 ORDER BY id LIMIT 1)"
                 " ORDER BY i.seq";
        QSqlQuery q(db);
        q.setForwardOnly(true);
        if (!q.prepare(sql))
            std::fprintf(stderr, "%s\n", qPrintable(q.lastError().text()));
        for (int k = 0; k < kFields.size(); ++k)
            q.bindValue(k, kFields[k]);
        q.exec();
        while (q.next())
            for (int k = 1; k <= kFields.size(); ++k)
                chars += q.value(k).toString().size();
    }
    QSqlDatabase::removeDatabase("raw");
    return t.nsecsElapsed();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int contacts = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 50000;
    QTemporaryDir dir;
    const QString profile = dir.filePath("bench.sqlite");
    QElapsedTimer gen;
    gen.start();
    kw::profilegen::Options o;
    o.contacts = contacts;
    o.seed = 42;
    kw::mailstore::fixture::createProfile(profile, kw::profilegen::generate(o));
    const qint64 genMs = gen.elapsed();

    qint64 omChars = 0, rawChars = 0;
    qint64 om = objectModel(profile, omChars); // first runs warm the file cache
    qint64 rw = raw(profile, rawChars);
    for (int round = 0; round < 2; ++round) {
        qint64 c1 = 0, c2 = 0;
        om = std::min(om, objectModel(profile, c1));
        rw = std::min(rw, raw(profile, c2));
    }
    std::printf("contacts: %d\n", contacts);
    std::printf("generate_ms: %lld\n", genMs);
    std::printf("object_model_ms: %.1f\n", om / 1e6);
    std::printf("raw_ms: %.1f\n", rw / 1e6);
    std::printf("same_text_read: %s\n", omChars == rawChars ? "yes" : "no");
    std::printf("object_model_vs_raw_ratio: %.2f\n", double(om) / double(rw));
    return 0;
}
