#include "shell/FolderStructureFunctions.h"

#include "platform/core/PlatformError.h"
#include "platform/core/Text.h"
#include "platform/mailstore/Folder.h"
#include "platform/mailstore/NameSpace.h"
#include "platform/mapi/MAPIUtils.h"
#include "platform/mapi/MapiTags.h"
#include "shell/ErrorTrap.h"
#include "shell/FolderTree.h"
#include "shell/GlobalFunctions.h"
#include "shell/MailProfile.h"
#include "shell/MailServices.h"
#include "shell/RegistryFunctions.h"
#include "shell/SettingNames.h"

#include <QCoreApplication>
#include <QScopeGuard>
#include <QTimer>
#include <QTreeWidget>

namespace kw {
namespace {

const QString kFill = QStringLiteral("tvwFolderFill");
const QString kEnrol = QStringLiteral("Enrol");
const QString kInspect = QStringLiteral("DelayInspect");
const QString kAddFolder = QStringLiteral("addFolder");
const QString kSkipSetting = setting::FolderStructureSkip;

const QList<quint32> &folderTableColumns()
{
    static const QList<quint32> columns = {mapi::PR_ENTRYID, mapi::PR_STORE_ENTRYID, mapi::PR_DISPLAY_NAME,
                                           mapi::PR_CONTAINER_CLASS};
    return columns;
}

// Runs one step of a procedure whose trap logs and goes on.
template<typename Step>
bool logged(Messages &messages, const QString &info, Step &&step)
{
    return trapErrors(messages, place::LogOnly, info, std::forward<Step>(step));
}

} // namespace

void FolderIds::reset()
{
    FolderEntryIDs = QStringList(foldertree::MaxNodeNumber + 1);
    FolderStoreIDs = QStringList(foldertree::MaxNodeNumber + 1);
    FolderNodeCount = 0;
}

FolderStructure::FolderStructure(Settings &settings, Messages &messages, MailProfile &profile, Clock clock)
    : m_settings(settings), m_messages(messages), m_profile(profile), m_clock(std::move(clock))
{
    if (!m_clock)
        m_clock = [] { return QDateTime::currentDateTime(); };
    m_ids.reset();
}

QString FolderStructure::skipQuestion(const QString &storeName)
{
    return QStringList{
        QString::fromUtf8("Das Einlesen der Ordnerstrukturen dauert sehr lange. Möchten Sie in diesen Vorgang "
                          "beschleunigen?"),
        QString::fromUtf8("Klicken Sie auf Ja, um folgenden Informationsspeicher nicht weiter einzulesen: ")
            + storeName + QLatin1Char('.'),
        QString::fromUtf8("Hinweis: Der Informationsspeicher wird dann beim nächsten Start komplett übersprungen."),
        QString::fromUtf8("Dieses Verhalten können Sie ebenfalls in den Optionen einstellen."),
    }.join(kCrLf);
}

void FolderStructure::yield()
{
    if (m_yield)
        m_yield();
    else
        QCoreApplication::processEvents();
}

int FolderStructure::readIdleTime() const
{
    bool ok = false;
    const int seconds = m_settings.GetSetting(setting::IdleTime, QStringLiteral("30")).trimmed().toInt(&ok);
    return ok ? seconds : 30;
}

int FolderStructure::nextNodeNumber()
{
    if (m_ids.FolderNodeCount >= foldertree::MaxNodeNumber)
        throw PlatformError(errors::kSubscriptOutOfRange, QStringLiteral("Subscript out of range: more than %1 folders")
                                   .arg(foldertree::MaxNodeNumber));
    return ++m_ids.FolderNodeCount;
}

mapi::MAPITable FolderStructure::openTable(const mailstore::FolderPtr &folder)
{
    mapi::MAPITable table;
    table.setItem(folder->Folders());
    table.setColumns(folderTableColumns());
    table.GoToFirst();
    return table;
}

QList<QVariantList> FolderStructure::allRows(mapi::MAPITable &table)
{
    const int count = table.RowCount();
    return count > 0 ? table.GetRows(count) : QList<QVariantList>{};
}

bool FolderStructure::tvwFolderFill()
{
    if (m_filling || !m_tree)
        return false;
    m_filling = true;
    const auto done = qScopeGuard([this] { m_filling = false; });

    m_tree->clear();
    m_nodes = QList<QTreeWidgetItem *>(foldertree::MaxNodeNumber + 1, nullptr);
    ReadStoreContinue = true;
    if (m_timer)
        m_timer->start();

    const mailstore::FoldersPtr roots = openStores();
    m_ids.reset();
    IdleTime = readIdleTime();
    for (int i = 1; roots && i <= roots->Count(); ++i) {
        logged(m_messages, kFill, [&] { readStore(roots->Item(i)); });
        ReadStoreContinue = true;
    }
    CleanUpMAPI(m_messages, m_profile);
    if (m_timer)
        m_timer->stop();
    m_ns.reset();
    CurrentStoreFolder.reset();
    return true;
}

// The store roots, or null. Errors of the fill are only logged, but a profile
// that cannot be opened at all is also told to the user: an empty tree alone
// would look like a profile without folders.
mailstore::FoldersPtr FolderStructure::openStores()
{
    mailstore::FoldersPtr roots;
    const std::optional<PlatformError> error = catchError([&] {
        m_ns = m_profile.mapiNamespace();
        roots = m_ns->Folders();
    });
    if (error) {
        m_messages.HandleError(*error, place::LogOnly, kFill);
        m_messages.ShowMessage(QString::fromUtf8("Die Ordnerstruktur konnte nicht eingelesen werden:")
                                   + kCrLf + error->description(),
                               ui::mb::Exclamation, titles::Hinweis);
    }
    return roots;
}

void FolderStructure::readStore(const mailstore::FolderPtr &root)
{
    StoreReadStart = m_clock();
    const int n = nextNodeNumber();
    CurrentStoreFolder = root;
    if (!m_tree || !root || root->Name() == m_settings.GetSetting(kSkipSetting, QString()))
        return;
    m_nodes[n] = foldertree::addNode(m_tree, nullptr, foldertree::keyFor(n), root->Name(), QStringLiteral("Post"));
    m_ids.FolderEntryIDs[n] = root->EntryID();
    m_ids.FolderStoreIDs[n] = root->StoreID();
    mapi::MAPITable table = openTable(root);
    yield();
    const QList<QVariantList> rows = allRows(table);
    if (!rows.isEmpty())
        Enrol(rows, n);
}

// Folder levels are walked with a stack of their own rather than by calling
// Enrol again for each level: a profile nested thousands of levels deep would
// otherwise overflow the call stack. The order, the numbering and where a
// level is left are the same as level-by-level recursion.
void FolderStructure::Enrol(const QList<QVariantList> &rows, int parentNumber)
{
    struct Level
    {
        QList<QVariantList> rows;
        int parentNumber;
        qsizetype next = 0;
    };
    QList<Level> levels{{rows, parentNumber}};
    while (!levels.isEmpty() && m_tree) {
        Level &level = levels.last();
        if (level.next >= level.rows.size()) {
            levels.removeLast();
            continue;
        }
        const QVariantList row = level.rows.at(level.next++);
        int n = 0;
        QList<QVariantList> below;
        const bool goOn = enrolRow(row, level.parentNumber, n, below);
        if (!goOn)
            levels.removeLast(); // leaves this level; the one above goes on with its next row
        else if (!below.isEmpty())
            levels.append({below, n});
    }
}

// One row of a level: numbers and adds its folder and reads the level below
// it. False when the level is to be left (an error, logged, or a stopped store).
bool FolderStructure::enrolRow(const QVariantList &row, int parentNumber, int &n, QList<QVariantList> &below)
{
    bool goOn = false;
    logged(m_messages, kEnrol, [&] {
        n = addFolderNode(row, parentNumber);
        mapi::MAPITable table = openTable(m_ns->GetFolderFromID(m_ids.FolderEntryIDs[n], m_ids.FolderStoreIDs[n]));
        if (!ReadStoreContinue)
            return;
        yield();
        below = allRows(table);
        goOn = true;
    });
    return goOn;
}

// The folder of one folder-table row: the next node number, its identity at
// that index and its node under node "K" + parentNumber.
int FolderStructure::addFolderNode(const QVariantList &row, int parentNumber)
{
    const int n = nextNodeNumber();
    m_ids.FolderEntryIDs[n] = mapi::MAPIUtils::HexFromBin(row.value(0));
    m_ids.FolderStoreIDs[n] = mapi::MAPIUtils::HexFromBin(row.value(1));
    const QVariant cls = row.value(3);
    const QString image = cls.typeId() == QMetaType::QString
        ? foldertree::imageForContainerClass(cls.toString()) : QStringLiteral("IPF.Note");
    m_nodes[n] = foldertree::addNode(m_tree, m_nodes.value(parentNumber), foldertree::keyFor(n),
                                     row.value(2).toString(), image);
    return n;
}

int FolderStructure::nodeNumberOf(const QString &entryId, const QString &storeId) const
{
    for (int n = 1; n <= m_ids.FolderNodeCount; ++n) {
        if (m_ids.FolderEntryIDs[n] == entryId && m_ids.FolderStoreIDs[n] == storeId)
            return n;
    }
    return 0;
}

bool FolderStructure::addFolder(const mailstore::FolderPtr &parent, const QString &entryId)
{
    if (m_filling || !m_tree || !parent)
        return false;
    bool added = false;
    logged(m_messages, kAddFolder, [&] {
        const auto hex = [](const QString &id) { return mapi::MAPIUtils::HexFromBin(QVariant(id)); };
        const int parentNumber = nodeNumberOf(hex(parent->EntryID()), hex(parent->StoreID()));
        if (parentNumber == 0 || !m_nodes.value(parentNumber))
            return;
        // Read as the fill reads a level, so the node looks as after a new fill.
        mapi::MAPITable table = openTable(parent);
        for (const QVariantList &row : allRows(table)) {
            if (mapi::MAPIUtils::HexFromBin(row.value(0)) == hex(entryId)) {
                addFolderNode(row, parentNumber);
                added = true;
                return;
            }
        }
    });
    return added;
}

void FolderStructure::DelayInspect()
{
    logged(m_messages, kInspect, [&] {
        if (StoreReadStart.secsTo(m_clock()) <= IdleTime)
            return;
        // Once refused, asked already, or the store is being left anyway.
        if (m_refused || m_asking || !ReadStoreContinue)
            return;
        const QString name = CurrentStoreFolder ? CurrentStoreFolder->Name() : QString();
        m_asking = true;
        const auto answered = qScopeGuard([this] { m_asking = false; });
        const int answer = m_messages.ShowMessage(skipQuestion(name), ui::mb::YesNoQuestionDefaultNo, titles::Frage, 30);
        if (answer != ui::answer::Yes) {
            m_refused = true;
            return;
        }
        ReadStoreContinue = false;
        if (CurrentStoreFolder)
            m_settings.SaveSetting(kSkipSetting, name);
    });
}

} // namespace kw
