// Search and replace over 50,000 synthetic contacts: "straße" -> "Str." in
// the three street fields, and its undo, each against a bare read of the same
// contacts and fields through the object model in the same process.
// Usage: bench_replace [CONTACTS]

#include "SyntheticProfile.h"
#include "platform/mailstore/Application.h"
#include "platform/mailstore/Fixture.h"
#include "platform/mailstore/Folder.h"
#include "platform/mailstore/Item.h"
#include "platform/mailstore/Items.h"
#include "platform/mailstore/NameSpace.h"
#include "platform/ui/MessageBox.h"
#include "replace/ReplaceRun.h"
#include "replace/ReplaceUndo.h"
#include "shell/FolderFunctions.h"
#include "shell/GlobalFunctions.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

using namespace kw;
using namespace kw::replace;

namespace {

const QStringList kStreetFields = {"Straße geschäftlich", "Straße privat", "Straße weitere"};

double msSince(const QElapsedTimer &t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

// Reads the three fields of every contact as a tool that only looks would.
double readMs(const mailstore::FolderPtr &folder, const QStringList &properties, qint64 &chars)
{
    QElapsedTimer t;
    t.start();
    chars = 0;
    const mailstore::ItemsPtr items = folder->Items();
    const int count = items->Count();
    for (int j = 1; j <= count; ++j) {
        const mailstore::ItemPtr item = items->Item(j);
        for (const QString &p : properties)
            chars += item->text(p).size();
    }
    return msSince(t);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int contacts = argc > 1 ? std::max(1, atoi(argv[1])) : 50000;
    try {
        QTemporaryDir dir;
        profilegen::Options options;
        options.contacts = contacts;
        options.seed = 11;
        const QString profile = dir.filePath(QStringLiteral("profile.sqlite"));
        mailstore::fixture::createProfile(profile, profilegen::generate(options));
        const mailstore::NameSpacePtr ns = mailstore::Application::open(profile)->GetNamespace(QStringLiteral("MAPI"));
        const mailstore::FolderPtr folder = ns->Folders()->Item(1)->Folders()->Item(QStringLiteral("Kontakte"));

        ReplaceRequest request;
        request.type = replaceItemType(QStringLiteral("IPM.Contact"));
        QStringList properties;
        for (int k = 0; k < request.type->fields.size(); ++k) {
            if (kStreetFields.contains(request.type->fields[k].caption)) {
                request.selectedFields.append(k);
                properties.append(request.type->fields[k].property);
            }
        }
        request.options.find = QStringLiteral("straße");
        request.options.replacement = QStringLiteral("Str.");
        WorkingSet set;
        set.Folders = {nullptr, folder};
        set.FolderCount = 1;
        set.OK = true;

        ui::ScriptedMessageBox box;
        Messages messages(box, dir.path());
        const auto yield = [] { QCoreApplication::processEvents(); };
        qint64 chars = 0;
        double read = 1e300, replaced = 1e300, undone = 1e300;
        ReplaceSummary summary;
        UndoSummary undoSummary;
        // Each round restores what it changed, so every round starts alike.
        for (int round = 0; round < 3; ++round) {
            read = std::min(read, readMs(folder, properties, chars));
            UndoRecord record;
            QElapsedTimer t;
            t.start();
            summary = ReplaceInFolders(request, set, record, messages, yield);
            replaced = std::min(replaced, msSince(t));
            t.restart();
            undoSummary = UndoReplace(record, ns, messages, yield);
            undone = std::min(undone, msSince(t));
        }
        qint64 charsAfter = 0;
        readMs(folder, properties, charsAfter);

        std::printf("contacts: %d\n", contacts);
        std::printf("replacements: %d\n", summary.replaced);
        std::printf("restored: %d\n", undoSummary.restored);
        std::printf("read_ms: %.1f\n", read);
        std::printf("replace_ms: %.1f\n", replaced);
        std::printf("undo_ms: %.1f\n", undone);
        std::printf("replace_over_read_ratio: %.2f\n", replaced / read);
        std::printf("undo_over_read_ratio: %.2f\n", undone / read);
        std::printf("restored_as_read: %s\n", chars == charsAfter && undoSummary.failed == 0 ? "yes" : "no");
    } catch (const std::exception &e) {
        std::fprintf(stderr, "bench_replace: %s\n", e.what());
    }
    return 0;
}
