#include "contacts/telephone/TelRun.h"

#include "contacts/telephone/TelNrStandard.h"
#include "contacts/telephone/TelSettings.h"
#include "contacts/telephone/TelSettingsCheck.h"
#include "contacts/telephone/TelTables.h"
#include "contacts/undo/UndoFunctions.h"
#include "platform/mailstore/Filter.h"
#include "platform/mailstore/Folder.h"
#include "platform/mailstore/Item.h"
#include "platform/mailstore/ItemSchema.h"
#include "platform/mailstore/Items.h"
#include "platform/mailstore/SaveGroup.h"
#include "platform/refdb/Database.h"
#include "shell/SettingNames.h"
#include "shell/BusyState.h"
#include "shell/ErrorTrap.h"
#include "shell/GlobalFunctions.h"
#include "shell/RegistryFunctions.h"

namespace kw::contacts::telephone::TelNrStandard {
namespace {

const QString kFaxPrefix = QStringLiteral("Fax: ");

struct RunField
{
    QString name;
    bool fax;
};

// The three fax fields first, then the other sixteen, each group in the
// order of the undo's list.
const QList<RunField> &runFields()
{
    static const QList<RunField> fields = [] {
        QList<RunField> fax, plain;
        for (const QString &name : undo::UndoFunctions::telephoneFields())
            (name.contains(QLatin1String("Fax")) ? fax : plain).append({name, name.contains(QLatin1String("Fax"))});
        return fax + plain;
    }();
    return fields;
}

struct RunOptions
{
    bool hideFax = false;
    bool countryRestriction = false;
    QString countryText;

    static RunOptions read(Settings &settings)
    {
        RunOptions o;
        o.hideFax = numericBool(settings.GetSetting(setting::HideFax, QStringLiteral("0")), false);
        o.countryRestriction = settings.GetSettingBool(setting::FilterTel, false)
                               && settings.GetSettingBool(setting::CountryFilter, false);
        o.countryText = settings.GetSetting(setting::CountryFilterText, QString());
        return o;
    }
};

// Only contacts with the country in one of their three addresses; the text
// is the user's, so it goes in escaped.
QString countryFilter(const QString &country)
{
    QStringList clauses;
    for (const char *field : {"BusinessAddressCountry", "HomeAddressCountry", "OtherAddressCountry"})
        clauses << mailstore::filter::clause(QLatin1String(field), country);
    return clauses.join(QStringLiteral(" OR "));
}

// The new text of one field, or nothing when it stays as it is. `formatted`
// and `changed` are the formatter's answer for `current`. Fax fields carry the
// prefix "Fax: " when `hideFax` is on and lose it when it is off.
std::optional<QString> newFieldText(const QString &current, const QString &formatted, bool changed, bool faxField,
                                    bool hideFax)
{
    if (!faxField)
        return changed ? std::optional<QString>(formatted) : std::nullopt;
    if (!formatted.isEmpty() && hideFax) {
        if (current != kFaxPrefix + formatted && !formatted.startsWith(kFaxPrefix))
            return kFaxPrefix + formatted;
        if (!current.startsWith(kFaxPrefix))
            return kFaxPrefix + current;
        return std::nullopt;
    }
    if (changed)
        return formatted; // the formatter drops the prefix with the letters
    if (current.startsWith(kFaxPrefix))
        return current.mid(kFaxPrefix.size());
    return std::nullopt;
}

// The formatter's settings and tables, read once for the whole run: the
// options and the table editor cannot be opened while it is busy.
struct Formatter
{
    std::shared_ptr<const TelSettings> settings;
    std::shared_ptr<const TelTables> tables;

    // Throws PlatformError when the reference database cannot be read.
    static Formatter read(ContactRunContext &ctx)
    {
        Formatter f{TelSettings::current(ctx.settings),
                    ctx.database.cached<TelTables>([](refdb::Connection &db) { return TelTables::read(db); })};
        // The area table is read lazily by the formatter: a missing one
        // would otherwise be reported once for every number.
        f.tables->findAreaCode(QStringView(), QStringView(), true);
        return f;
    }

    // The stored settings by the rule of the options' OK: shown (naming the
    // setting) when they would spoil numbers. Throws PlatformError when the
    // tables cannot serve the examples.
    bool refusesSettings(ContactRunContext &ctx) const
    {
        const std::optional<SettingsProblem> problem =
            checkTelSettings(pendingTelSettings(ctx.settings, {}), *tables);
        if (!problem)
            return false;
        ctx.messages.ShowMessage(QString::fromUtf8("Die Telefonnummern wurden nicht geändert. %1 Bitte korrigieren "
                                                   "Sie die Einstellung in den Optionen (%2).")
                                     .arg(problem->message, problem->setting),
                                 ui::mb::Exclamation, titles::Hinweis);
        return true;
    }

    // FormatTelNumber's answer; a failure is reported (801) as the formatter
    // does and gives nothing.
    std::optional<QString> format(ContactRunContext &ctx, const QString &number, bool &changed) const
    {
        QString result;
        const std::optional<PlatformError> error =
            catchError([&] { result = FormatTelNumber(number, changed, *settings, *tables); });
        if (!error)
            return result;
        reportFormatFailure(ctx.messages, *error, number);
        return std::nullopt;
    }
};

bool standardizeContact(ContactRunContext &ctx, const Formatter &formatter, const mailstore::ItemPtr &item,
                        bool hideFax)
{
    bool contactChanged = false;
    for (const RunField &field : runFields()) {
        const QString current = item->text(field.name);
        bool changed = false;
        const std::optional<QString> formatted = formatter.format(ctx, current, changed);
        if (!formatted)
            continue; // the field stays exactly as it was
        const std::optional<QString> next = newFieldText(current, *formatted, changed, field.fax, hideFax);
        // No change without its backup: the undo must find the old text.
        if (!next || !undo::UndoFunctions::WriteBackup(item, field.name, ctx.messages))
            continue;
        item->set(field.name, *next);
        contactChanged = true;
    }
    return contactChanged;
}

// The number of changed contacts, or nothing when the settings were refused.
std::optional<int> runFolders(ContactRunContext &ctx, const WorkingSet &set, const RunOptions &options)
{
    // Found here once rather than as one error per number of every contact.
    const Formatter formatter = Formatter::read(ctx);
    if (formatter.refusesSettings(ctx))
        return std::nullopt;
    int changedContacts = 0;
    forEachFolder(set, [&](const mailstore::FolderPtr &folder) {
        mailstore::ItemsPtr items = folder->Items();
        if (options.countryRestriction)
            items = items->Restrict(countryFilter(options.countryText));
        const int n = items->Count();
        ctx.view.setProgressMaximum(n);
        // Ended by an error, the group still writes the contacts saved before it.
        mailstore::SaveGroup group(folder->db());
        for (int j = 1; j <= n; ++j) {
            const mailstore::ItemPtr item = items->Item(j);
            if (item->Class() == mailstore::itemclass::Contact) {
                if (standardizeContact(ctx, formatter, item, options.hideFax)) {
                    item->Save();
                    group.saved();
                    ++changedContacts;
                }
                ctx.view.setStatus(contactStatusText(j, n, folder->Name()));
            }
            ctx.view.setProgress(j);
            ctx.view.yield();
        }
        group.commit();
        ctx.view.setStatus(BusyState::readyText());
        ctx.view.setProgress(0);
    });
    return changedContacts;
}

} // namespace

int StandardizeContactTelNumbers(ContactRunContext &ctx)
{
    const RunOptions options = RunOptions::read(ctx.settings);
    const WorkingSet set = ctx.GetActivatedFolders(gatemode::OnlyContacts);
    if (!set.OK)
        return -1;
    std::optional<int> changed;
    guardedRun(
        ctx, place::StandardizeContactTelNumbers, QString(), [&] { changed = runFolders(ctx, set, options); },
        [&](bool) {
            if (!changed) {
                ctx.view.setStatus(BusyState::readyText());
                ctx.view.setProgress(0);
                return;
            }
            ctx.messages.ShowMessage(changedContactsText(*changed), ui::mb::Information, titles::Fertig);
        });
    return changed ? *changed : -1;
}

} // namespace kw::contacts::telephone::TelNrStandard
