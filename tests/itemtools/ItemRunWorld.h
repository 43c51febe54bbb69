#pragma once

// A profile built from a fixture, a recorded main window and the services
// the message-class change and the attachment runs take.

#include "itemtools/ItemRun.h"
#include "platform/files/Faults.h"
#include "platform/mailstore/Faults.h"
#include "platform/mailstore/Fixture.h"
#include "platform/mailstore/MailStore.h"
#include "support/RecordingRunView.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QJsonArray>
#include <QQueue>
#include <QTemporaryDir>

namespace kw::test {

// An attachment of the fixture: by value with these bytes, or a link.
inline QJsonObject att(const QString &name, const QByteArray &bytes, const QJsonObject &more = {})
{
    QJsonObject a = more;
    a["fileName"] = name;
    a["base64"] = QString::fromLatin1(bytes.toBase64());
    return a;
}
inline QJsonObject link(const QString &name, const QString &path)
{
    return {{"fileName", name}, {"displayName", name}, {"type", 4}, {"pathName", path}};
}
inline QJsonObject item(int itemClass, const QString &messageClass, const QString &subject,
                        const QJsonArray &attachments = {})
{
    return {{"class", itemClass}, {"messageClass", messageClass},
            {"fields", QJsonObject{{"Subject", subject}}}, {"attachments", attachments}};
}
inline QJsonObject folder(const QString &name, const QString &messageClass, const QJsonArray &items)
{
    return {{"name", name}, {"defaultMessageClass", messageClass}, {"items", items}};
}

struct World
{
    explicit World(const QJsonArray &folders)
    {
        mailstore::faults::reset();
        files::faults::reset();
        env.settings.InitDefaultSettings();
        mailstore::fixture::createProfile(
            env.profileFile(), {{"stores", QJsonArray{QJsonObject{{"name", "Test"}, {"folders", folders}}}}});
        env.settings.SaveSetting("AttPath", exportFolder());
    }
    ~World()
    {
        mailstore::faults::reset();
        files::faults::reset();
    }

    QString exportFolder() const { return dir.path(); }
    QString file(const QString &name) const { return dir.filePath(name); }

    mailstore::NameSpacePtr ns() { return mailstore::Application::open(env.profileFile())->GetNamespace("MAPI"); }
    mailstore::FolderPtr folderNamed(const QString &name) { return ns()->Folders()->Item(1)->Folders()->Item(name); }
    mailstore::ItemPtr itemAt(const QString &folder, int j) { return folderNamed(folder)->Items()->Item(j); }

    itemtools::RunContext context()
    {
        return {{env.settings, env.messages, view, [this](bool starting) { calls << (starting ? "Begin" : "End"); },
                 [this](const QString &mode) {
                     calls << mode;
                     WorkingSet set;
                     set.Folders.append(nullptr);
                     for (const QString &name : ticked) {
                         set.Folders.append(folderNamed(name));
                         set.ItemCount += set.Folders.last()->Items()->Count();
                     }
                     set.FolderCount = int(ticked.size());
                     set.OK = true;
                     return set;
                 }},
                [this](const QString &title) {
                    calls << title;
                    return picks.isEmpty() ? QString() : picks.dequeue();
                }};
    }

    // "name=size" for each attachment by value, "name->path" for each link.
    QStringList attachments(const QString &folder, int j)
    {
        QStringList out;
        const mailstore::AttachmentsPtr atts = itemAt(folder, j)->Attachments();
        for (int i = 1; i <= atts->Count(); ++i) {
            const mailstore::AttachmentPtr a = atts->Item(i);
            out << (a->Type() == 4 ? a->DisplayName() + "->" + QDir(dir.path()).relativeFilePath(a->PathName())
                                   : a->FileName() + "=" + QString::number(a->Size()));
        }
        return out;
    }
    QStringList exportedFiles() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }

    TestEnv env;
    QTemporaryDir dir;
    RecordingRunView view;
    QStringList calls;
    QStringList ticked = {"Posteingang"};
    QQueue<QString> picks;
};

inline QByteArray bytes(int size, char fill = 'x') { return QByteArray(size, fill); }

inline QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<fehlt>");
}

} // namespace kw::test
