#include "contacts/names/CorrectContactNames.h"

#include "contacts/ContactRun.h"
#include "contacts/names/ContactNameRules.h"
#include "contacts/names/NameCorrectionFunctions.h"
#include "contacts/undo/UndoFunctions.h"
#include "platform/mailstore/Folder.h"
#include "platform/mailstore/Item.h"
#include "platform/mailstore/ItemSchema.h"
#include "platform/mailstore/Items.h"
#include "platform/mailstore/SaveGroup.h"
#include "shell/BusyState.h"
#include "shell/ErrorTrap.h"
#include "shell/RegistryFunctions.h"
#include "shell/SettingNames.h"

namespace kw::contacts::names {
namespace {

ContactNameFields readNameFields(const mailstore::Item &item)
{
    QStringList values;
    for (const QString &name : ContactNameFields::names())
        values << item.text(name);
    return ContactNameFields::fromValues(values);
}

// The run looks for edited word tables once per folder, not per contact.
class HeldWords
{
public:
    explicit HeldWords(NameWordSource &words) : m_words(words) { m_words.hold(true); }
    ~HeldWords() { m_words.hold(false); }
    HeldWords(const HeldWords &) = delete;
    HeldWords &operator=(const HeldWords &) = delete;

private:
    NameWordSource &m_words;
};

// One run: its settings, its word tables and its count.
class NameRun
{
public:
    NameRun(NameRunContext &context, bool businessCheck)
        : m_ctx(context), m_layouts(context.settings), m_businessCheck(businessCheck)
    {
    }

    void folder(const mailstore::FolderPtr &folder);
    int changed() const { return m_changed; }

private:
    void contact(const mailstore::ItemPtr &item);
    std::optional<ParsedName> parse(const QString &fullName, bool checkBusiness);
    bool writeBackups(const mailstore::ItemPtr &item);
    void writeFields(mailstore::Item &item, const ContactNameFields &old, const NameCorrection &c);

    NameRunContext &m_ctx;
    NameLayoutSettings m_layouts;
    const bool m_businessCheck;
    // Shown once: when the database has gone, every later contact fails alike.
    ReportOnce m_parseFailure{ReportOnce::LogLater};
    int m_changed = 0;
    mailstore::SaveGroup *m_group = nullptr; // the open folder's
};

void NameRun::folder(const mailstore::FolderPtr &folder)
{
    const mailstore::ItemsPtr items = folder->Items();
    const int n = items->Count();
    const QString name = folder->Name();
    m_ctx.view.setProgressMaximum(n);
    m_layouts.lookAtFile();
    const HeldWords held(m_ctx.words);
    // Ended by an error, the group still writes the contacts saved before it.
    mailstore::SaveGroup group(folder->db());
    m_group = &group;
    for (int j = 1; j <= n; ++j) {
        const mailstore::ItemPtr item = items->Item(j);
        if (item->Class() == mailstore::itemclass::Contact)
            contact(item);
        m_ctx.view.setStatus(contactStatusText(j, n, name));
        m_ctx.view.setProgress(j);
        m_ctx.view.yield();
    }
    group.commit();
    m_group = nullptr;
    m_ctx.view.setStatus(BusyState::readyText());
    m_ctx.view.setProgress(0);
}

void NameRun::contact(const mailstore::ItemPtr &item)
{
    const ContactNameFields old = readNameFields(*item);
    // Nothing to split: a company-only contact keeps its file-as text and
    // the backups of an earlier run.
    if (old.Fullname.trimmed().isEmpty())
        return;
    const bool checkBusiness = old.CompanyName.isEmpty() && m_businessCheck;
    const std::optional<ParsedName> parsed = parse(old.Fullname, checkBusiness);
    if (!parsed)
        return;
    const NameCorrection c = correctName(old, *parsed, m_layouts.current());
    if (c.verdict == NameCorrection::Unchanged)
        return;
    if (!writeBackups(item))
        return;
    writeFields(*item, old, c);
    item->Save();
    m_group->saved();
    ++m_changed;
}

std::optional<ParsedName> NameRun::parse(const QString &fullName, bool checkBusiness)
{
    // The tables are taken here rather than inside the parser so that a
    // failure names the contact it cost.
    std::shared_ptr<const NameWordTables> tables;
    const bool read = m_parseFailure(m_ctx.messages, place::ParseFullName, fullName, [&] {
        tables = m_ctx.words.acquire();
        if (!tables)
            throw PlatformError(errors::kDatabase, QStringLiteral("Die Namenstabellen sind nicht verfügbar."));
    });
    if (!read)
        return std::nullopt;
    FixedNameWordSource words(tables);
    return ParseFullName(fullName, checkBusiness, words, m_ctx.messages);
}

bool NameRun::writeBackups(const mailstore::ItemPtr &item)
{
    // The fields are still as read: each backup holds the field's old text.
    // Without its backup (reported with 206) the contact must not change.
    for (const QString &name : ContactNameFields::names()) {
        if (!undo::UndoFunctions::WriteBackup(item, name, m_ctx.messages))
            return false;
    }
    return true;
}

void NameRun::writeFields(mailstore::Item &item, const ContactNameFields &old, const NameCorrection &c)
{
    // Emptying the full name first lets the parts written after it stand on their own.
    item.set(u"FullName", QString());
    if (c.verdict == NameCorrection::Company) {
        item.set(u"CompanyName", old.Fullname);
        return;
    }
    item.set(u"Title", c.parts.Title);
    item.set(u"FirstName", c.parts.FirstName);
    item.set(u"MiddleName", c.parts.MiddleName);
    item.set(u"LastName", c.parts.LastName);
    item.set(u"Suffix", c.parts.Suffix);
    item.set(u"FileAs", c.FileAs);
    if (c.writeSubject)
        item.set(u"Subject", c.Subject);
}

} // namespace

int CorrectContactNames(NameRunContext &context)
{
    const WorkingSet set = context.GetActivatedFolders(gatemode::OnlyContacts);
    if (!set.OK)
        return -1;
    const bool businessCheck = context.settings.GetSettingBool(setting::BusinessNameCheck, false);
    NameRun run(context, businessCheck);
    const bool ok = guardedRun(
        context, place::CorrectContactNames, QString(),
        [&] { forEachFolder(set, [&](const mailstore::FolderPtr &folder) { run.folder(folder); }); },
        [&](bool ranThrough) {
            if (ranThrough)
                context.messages.ShowMessage(changedContactsText(run.changed()), ui::mb::Information, titles::Fertig);
        });
    if (!ok)
        return -1;
    return run.changed();
}

} // namespace kw::contacts::names
