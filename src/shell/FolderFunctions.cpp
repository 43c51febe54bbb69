#include "shell/FolderFunctions.h"

#include "platform/mailstore/Folder.h"
#include "platform/mailstore/Items.h"
#include "platform/mailstore/NameSpace.h"
#include "shell/ErrorTrap.h"
#include "shell/FolderStructureFunctions.h"
#include "shell/FolderTree.h"
#include "shell/MailProfile.h"
#include "shell/SharedFolder.h"

#include <QTreeWidget>

namespace kw {
namespace {

const QString kNote = QStringLiteral("IPM.Note");
const QString kPost = QStringLiteral("IPM.Post");

} // namespace

bool passesTypeGate(const QString &mode, const QString &cls)
{
    if (mode == gatemode::AllTypes)
        return true;
    if (mode == gatemode::OnlyContacts)
        return cls == QLatin1String("IPM.Contact");
    if (mode == gatemode::OnlyAppointment)
        return cls == QLatin1String("IPM.Appointment");
    if (mode == gatemode::OnlyMail || mode == kNote)
        return cls == kNote || cls == kPost;
    return cls == mode;
}

QString typeGateMessage(const QString &mode)
{
    if (mode == gatemode::AllTypes)
        return {};
    if (mode == gatemode::OnlyContacts)
        return QString::fromUtf8("Bitte wählen Sie für diese Funktion ausschließlich Kontakte-Ordner aus.");
    if (mode == gatemode::OnlyAppointment)
        return QString::fromUtf8("Bitte wählen Sie für diese Funktion ausschließlich Kalender-Ordner aus.");
    if (mode == gatemode::OnlyMail)
        return QString::fromUtf8("Bitte wählen Sie für diese Funktion ausschließlich Mail-Ordner aus.");
    return QString::fromUtf8("Bitte wählen Sie für diese Funktion nur gleichartige Ordner aus.");
}

FolderFunctions::FolderFunctions(FolderStructure &structure, SharedFolder &shared, Messages &messages,
                                 MailProfile &profile)
    : m_structure(structure), m_shared(shared), m_messages(messages), m_profile(profile)
{
}

mailstore::FolderPtr FolderFunctions::GetFolderFromNodeKey(const QString &key, mailstore::NameSpacePtr ns) const
{
    const int n = foldertree::numberFromKey(key);
    const FolderIds &ids = m_structure.ids();
    if (n <= 0 || n >= ids.FolderEntryIDs.size())
        throw PlatformError(errors::kSubscriptOutOfRange, QStringLiteral("Subscript out of range: node key \"%1\"").arg(key));
    if (!ns)
        ns = m_profile.mapiNamespace();
    return ns->GetFolderFromID(ids.FolderEntryIDs.at(n), ids.FolderStoreIDs.at(n));
}

WorkingSet FolderFunctions::GetActivatedFolders(const QString &mode, bool quiet, long itemCount)
{
    WorkingSet set;
    set.ItemCount = itemCount;
    set.Folders.append(nullptr);
    const bool ran = trapErrors(m_messages, place::GetActivatedFolders, {}, [&] {
        if (m_shared.isOpen())
            sharedSet(set, mode);
        else
            treeSet(set, mode, quiet);
    });
    if (!ran)
        set.OK = false;
    return set;
}

// While another user's folder is open it is the whole set. It passes the same
// gate as ticked folders: a tool must not write its kind of item into a
// folder of another kind just because the folder came from elsewhere.
void FolderFunctions::sharedSet(WorkingSet &set, const QString &mode)
{
    const mailstore::FolderPtr folder = m_shared.folder();
    set.Folders.append(folder);
    set.FolderCount = 1;
    set.MarkedIndex = 1;
    if (!gate(set, mode))
        return;
    set.ItemCount += folder->Items()->Count();
    set.OK = true;
}

void FolderFunctions::treeSet(WorkingSet &set, const QString &mode, bool quiet)
{
    QTreeWidget *tree = m_structure.tree();
    const mailstore::NameSpacePtr ns = m_profile.mapiNamespace();
    QTreeWidgetItem *selected = tree ? foldertree::selectedNode(tree) : nullptr;
    if (!selected)
        return;
    if (!foldertree::isTicked(selected)) {
        const int answer = m_messages.ShowMessage(
            QString::fromUtf8("Der markierte Ordner ist nicht aktiviert. Möchten Sie Ihn aktivieren?"), ui::mb::YesNoQuestion,
            titles::Frage);
        if (answer != ui::answer::Yes)
            return;
        foldertree::setTicked(selected, true);
    }
    const QString selectedKey = foldertree::nodeKey(selected);
    for (QTreeWidgetItem *node : foldertree::nodesInOrder(tree)) {
        if (!foldertree::isTicked(node))
            continue;
        set.Folders.append(GetFolderFromNodeKey(foldertree::nodeKey(node), ns));
        ++set.FolderCount;
        if (foldertree::nodeKey(node) == selectedKey)
            set.MarkedIndex = set.FolderCount;
    }
    if (set.FolderCount == 0) {
        m_messages.ShowMessage(QStringLiteral("Kein Ordner aktiviert."), ui::mb::Information, titles::Hinweis);
        return;
    }
    if (!gate(set, mode))
        return;
    long items = 0;
    for (int i = 1; i <= set.FolderCount; ++i)
        items += set.Folders.at(i)->Items()->Count();
    set.ItemCount += items;
    if (set.ItemCount == 0 && !quiet) {
        m_messages.ShowMessage(QStringLiteral("Keine Elemente vorhanden."), ui::mb::Exclamation, titles::Hinweis);
        return;
    }
    set.OK = true;
}

bool FolderFunctions::gate(const WorkingSet &set, const QString &mode)
{
    for (int i = 1; i <= set.FolderCount; ++i) {
        if (!passesTypeGate(mode, set.Folders.at(i)->DefaultMessageClass())) {
            m_messages.ShowMessage(typeGateMessage(mode), ui::mb::Exclamation, titles::Hinweis);
            return false;
        }
    }
    return true;
}

QString FolderFunctions::GetMarkedFolderClass()
{
    QString cls;
    trapErrors(m_messages, place::GetActivatedFolders, {}, [&] {
        if (m_shared.isOpen()) {
            cls = m_shared.folder()->DefaultMessageClass();
            return;
        }
        QTreeWidgetItem *selected = m_structure.tree() ? foldertree::selectedNode(m_structure.tree()) : nullptr;
        if (selected)
            cls = GetFolderFromNodeKey(foldertree::nodeKey(selected))->DefaultMessageClass();
    });
    return cls;
}

} // namespace kw
