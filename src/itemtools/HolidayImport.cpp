#include "itemtools/HolidayImport.h"

#include "platform/core/PlatformError.h"
#include "platform/mailstore/Filter.h"
#include "platform/mailstore/Folder.h"
#include "platform/mailstore/Item.h"
#include "platform/mailstore/Items.h"
#include "platform/mailstore/NameSpace.h"
#include "platform/refdb/Database.h"
#include "shell/ErrorTrap.h"
#include "shell/FolderFunctions.h"
#include "shell/RunFrame.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>

namespace kw::itemtools::holidays {
namespace {

const QString kBody = QString::fromUtf8("Schulferien eingefügt von Kontorwerk. Alle Angaben ohne Gewähr.");
const QString kCategory = QStringLiteral("Schulferien");
const QString kChooseState = QString::fromUtf8("Bitte wählen Sie zuerst ein Bundesland.");

QString alreadyThereQuestion(const QString &folderName)
{
    return QString::fromUtf8("Es befinden sich bereits Schulferien im Kalender-Ordner %1.\r\n"
                             "Möchten Sie die Schulferien ein weiteres Mal hinzufügen?")
        .arg(folderName);
}

QString insertedMessage(int count)
{
    if (count == 1)
        return QString::fromUtf8("1 Schulferien-Termin hinzugefügt.");
    return QString::fromUtf8("%1 Schulferien-Termine hinzugefügt.").arg(count);
}

// The table holds ISO dates ("2027-03-22"); anything else, NULL included, is
// a broken row and must not become an appointment without an end.
QDate dateOf(const refdb::Field &field)
{
    const QDate date = QDate::fromString(field.text(), Qt::ISODate);
    if (!date.isValid())
        throw PlatformError(errors::kTypeMismatch,
                            QStringLiteral("%1 ist kein Datum: \"%2\"").arg(field.name, field.text()));
    return date;
}

// The last day of a period; a period ending before it starts is as broken as
// one without an end, and would become an appointment ending before its start.
QDate lastDayOf(const refdb::Field &to, const refdb::Field &from, const QDate &first)
{
    const QDate last = dateOf(to);
    if (last < first)
        throw PlatformError(errors::kTypeMismatch,
                            QStringLiteral("%1 liegt vor %2: \"%3\"").arg(to.name, from.name, to.text()));
    return last;
}

QString descriptionOf(refdb::Connection &db, int index, const QString &country)
{
    refdb::Recordset rs = db.OpenRecordset(
        QStringLiteral("SELECT Description FROM T_HolidaysDes WHERE \"Index\" = ? AND Country = ?"), {index, country});
    if (rs.Eof()) {
        const QString why = QString::fromUtf8("T_HolidaysDes hat keine Bezeichnung für Index %1 (%2).");
        throw PlatformError(errors::kDatabase, why.arg(index).arg(country));
    }
    return rs.Fields(0).text();
}

// The check compares the subject of the first period the row has; a row
// without period 2 would otherwise never be found and be inserted again and
// again without a question.
bool alreadyThere(const mailstore::Items &items, const QString &subject)
{
    mailstore::ItemPtr found;
    // A failed search counts as nothing found: the insertion itself reports
    // a folder that cannot take items.
    catchError([&] { found = items.Find(mailstore::filter::clause(QStringLiteral("Subject"), subject)); });
    return found != nullptr;
}

void addAppointment(mailstore::Items &items, const Period &period, const QString &state)
{
    const mailstore::ItemPtr item = items.Add();
    item->set(u"AllDayEvent", true);
    item->set(u"Start", period.from);
    // The end of an all-day event is the morning after its last day.
    item->set(u"End", period.to.addDays(1));
    item->setSubject(holidaySubject(period.description, state));
    item->setBody(kBody);
    item->set(u"BusyStatus", 0);
    item->set(u"Categories", kCategory);
    item->set(u"ReminderSet", false);
    item->Save();
}

int insertIntoFolder(HolidayServices &services, const mailstore::FolderPtr &ticked, const QList<Period> &periods,
                     const QString &state)
{
    if (periods.isEmpty())
        return 0;
    const mailstore::FolderPtr folder = services.ns->GetFolderFromID(ticked->EntryID(), ticked->StoreID());
    const mailstore::ItemsPtr items = folder->Items();
    if (alreadyThere(*items, holidaySubject(periods.first().description, state))) {
        const int answer = services.messages.ShowMessage(alreadyThereQuestion(folder->Name()),
                                                         ui::mb::YesNo | ui::mb::Question, titles::Frage);
        if (answer == ui::answer::No)
            return 0;
    }
    for (const Period &period : periods)
        addAppointment(*items, period, state);
    return int(periods.size());
}

} // namespace

QStringList statesOf(refdb::Database &referenceDatabase, const QString &country)
{
    refdb::Connection db = referenceDatabase.open();
    // Country is a case-folding column, so "de" lists the German states too.
    refdb::Recordset rs = db.OpenRecordset(QStringLiteral("SELECT State FROM T_Holidays WHERE Country = ?"), {country});
    QStringList states;
    for (; !rs.Eof(); rs.MoveNext())
        states << rs.Fields(0).text();
    QCollator german(QLocale(QLocale::German, QLocale::Germany));
    std::sort(states.begin(), states.end(), german);
    return states;
}

std::optional<QList<Period>> readPeriods(refdb::Database &referenceDatabase, const QString &state,
                                         const QString &country)
{
    refdb::Connection db = referenceDatabase.open();
    refdb::Recordset row = db.OpenRecordset(
        QStringLiteral("SELECT * FROM T_Holidays WHERE State = ? AND Country = ?"), {state, country});
    if (row.Eof())
        return std::nullopt;
    const QString rowCountry = row.Fields(QStringLiteral("Country")).text();
    // Every column but the key, Country and State is a From/To pair.
    const int lastPeriod = (row.FieldCount() - 1) / 2;
    QList<Period> periods;
    for (int i = 2; i <= lastPeriod; ++i) {
        const refdb::Field from = row.Fields(QStringLiteral("From%1").arg(i));
        if (from.isNull())
            continue;
        const QDate first = dateOf(from);
        const QDate last = lastDayOf(row.Fields(QStringLiteral("To%1").arg(i)), from, first);
        periods.append({i, first, last, descriptionOf(db, i, rowCountry)});
    }
    return periods;
}

QString holidaySubject(const QString &description, const QString &state)
{
    return description + QStringLiteral(" (") + state + QLatin1Char(')');
}

int InsertHolidays(HolidayServices &services, const WorkingSet &set, const QString &state, const QString &country)
{
    int inserted = 0;
    RunGuard guard{services.messages, services.switchBusy};
    guardedRun(guard, place::HolidayInsert, {}, [&] {
        const std::optional<QList<Period>> periods = readPeriods(services.referenceDatabase, state, country);
        if (!periods) {
            services.messages.ShowMessage(kChooseState, ui::mb::Information, titles::Info);
            return;
        }
        forEachFolder(set, [&](const mailstore::FolderPtr &folder) {
            inserted += insertIntoFolder(services, folder, *periods, state);
        });
        if (inserted > 0)
            services.messages.ShowMessage(insertedMessage(inserted), ui::mb::Information, titles::Info);
    });
    return inserted;
}

} // namespace kw::itemtools::holidays
