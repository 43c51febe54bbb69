#include "contacts/telephone/TelSettingsCheck.h"

#include "contacts/telephone/TelNrStandard.h"
#include "contacts/telephone/TelSettings.h"
#include "contacts/telephone/TelTables.h"
#include "platform/refdb/Database.h"
#include "shell/ErrorTrap.h"
#include "shell/GlobalFunctions.h"
#include "shell/RegistryFunctions.h"
#include "shell/SettingNames.h"

namespace kw::contacts::telephone {
namespace {

const QString kDefaultSeparator = QStringLiteral("-");

// A number as users type it, and its digits after the country code and the
// trunk prefix: what every result must still hold, in this order.
struct Example
{
    QString typed;
    QString digits;
};

// German, Austrian, Swiss and Liechtenstein numbers: their codes are in the
// shipped tables. Those with an extension are typed with "-" here and with
// the recognised separator by examplesFor().
const QList<Example> &baseExamples()
{
    static const QList<Example> examples = {
        {QStringLiteral("0711 123456-78"), QStringLiteral("71112345678")},
        {QStringLiteral("(089) 1234567"), QStringLiteral("891234567")},
        {QStringLiteral("+49 (0)89 1234567"), QStringLiteral("891234567")},
        {QStringLiteral("+49 711 123456-78"), QStringLiteral("71112345678")},
        {QStringLiteral("0049 30 12345678"), QStringLiteral("3012345678")},
        {QStringLiteral("+43 1 5123456"), QStringLiteral("15123456")},
        {QStringLiteral("+41 44 1234567"), QStringLiteral("441234567")},
        {QStringLiteral("+423 765 4321"), QStringLiteral("7654321")},
        {QStringLiteral("00423 765 4321-12"), QStringLiteral("765432112")},
    };
    return examples;
}

QList<Example> examplesFor(const QString &separator)
{
    QList<Example> examples = baseExamples();
    if (separator.size() == 1 && separator != kDefaultSeparator) {
        examples.append({QStringLiteral("0711 123456") + separator + QStringLiteral("78"), QStringLiteral("71112345678")});
        examples.append({QStringLiteral("+423 765 4321") + separator + QStringLiteral("12"), QStringLiteral("765432112")});
    }
    return examples;
}

bool hasDigit(const QString &text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
}

// Whether `digits` appear in `text` in this order (other characters between them allowed).
bool keepsDigits(const QString &text, const QString &digits)
{
    qsizetype next = 0;
    for (const QChar c : text) {
        if (next < digits.size() && c == digits[next])
            ++next;
    }
    return next == digits.size();
}

QString format(const QString &number, bool &changed, const TelSettings &settings, const TelTables &tables)
{
    return TelNrStandard::FormatTelNumber(number, changed, settings, tables);
}

QString quoted(const QString &text)
{
    return u'"' + text + u'"';
}

// What goes wrong with one example, as the end of a sentence; "" when nothing does.
QString exampleFailure(const Example &example, const TelSettings &settings, const TelTables &tables)
{
    bool changed = false;
    const QString first = format(example.typed, changed, settings, tables);
    if (changed && !keepsDigits(first, example.digits))
        return QString::fromUtf8("Telefonnummern würden Ziffern verlieren: %1 wird zu %2.")
            .arg(quoted(example.typed), quoted(first));
    if (!changed && settings.DurchwahlTrenn != kDefaultSeparator) {
        TelSettings usual = settings;
        usual.DurchwahlTrenn = kDefaultSeparator;
        bool usualChanged = false;
        format(example.typed, usualChanged, usual, tables);
        if (usualChanged)
            return QString::fromUtf8("%1 würde damit nicht mehr vereinheitlicht.").arg(quoted(example.typed));
    }
    bool again = false;
    const QString second = format(first, again, settings, tables);
    if (again)
        return QString::fromUtf8("Telefonnummern würden bei jeder Vereinheitlichung erneut geändert: %1 wird "
                                 "zu %2, beim nächsten Mal zu %3.")
            .arg(quoted(example.typed), quoted(first), quoted(second));
    return QString();
}

// Separators that are written between digits, or must be told apart from them.
QString ruleFailure(const QString &name, const QString &text)
{
    if (name == setting::DurchwahlTrenn)
        return recognisedSeparatorProblem(text);
    const bool written = name == setting::DurchwahlTrennOut || name == setting::BlockTrennAreaPres
                         || name == setting::BlockTrennAreaNo;
    if (written && hasDigit(text))
        return QString::fromUtf8("Durchwahl- und Block-Trennzeichen dürfen keine Ziffern enthalten, sie würden "
                                 "bei der nächsten Vereinheitlichung als Teil jeder Telefonnummer gelesen.");
    return QString();
}

QString problemText(const QString &name, const QString &value, const QString &reason)
{
    return refusalText(settingCaption(name), value, reason);
}

// The examples judged, each with what goes wrong with the settings of `texts`.
class Judge
{
public:
    Judge(const SettingTexts &candidate, const TelTables &tables)
        : m_tables(tables), m_examples(examplesFor(candidate.value(setting::DurchwahlTrenn)))
    {
        // An example the defaults themselves cannot keep says nothing about a setting.
        const TelSettings defaults = TelSettings::fromTexts(TelSettings::defaultTexts());
        m_examples.removeIf([&](const Example &e) { return !exampleFailure(e, defaults, tables).isEmpty(); });
    }

    // The reasons, one per failing example.
    QStringList failures(const SettingTexts &texts) const
    {
        const TelSettings settings = TelSettings::fromTexts(texts);
        QStringList reasons;
        for (const Example &example : m_examples) {
            if (QString reason = exampleFailure(example, settings, m_tables); !reason.isEmpty())
                reasons.append(reason);
        }
        return reasons;
    }

private:
    const TelTables &m_tables;
    QList<Example> m_examples;
};

// The setting whose value makes `candidate` fail: one that, back at its saved
// value or its default, fails on fewer examples; else the first that differs
// from its default.
QString blame(const Judge &judge, const SettingTexts &candidate, qsizetype failing, const SettingTexts &saved)
{
    const auto helps = [&](const QString &name, const QString &value) {
        if (candidate.value(name) == value)
            return false;
        SettingTexts reverted = candidate;
        reverted.insert(name, value);
        return judge.failures(reverted).size() < failing;
    };
    for (auto it = saved.cbegin(); it != saved.cend(); ++it) {
        if (helps(it.key(), it.value()))
            return it.key();
    }
    const SettingTexts &defaults = TelSettings::defaultTexts();
    for (const QString &name : TelSettings::names()) {
        if (helps(name, defaults.value(name)))
            return name;
    }
    for (const QString &name : TelSettings::names()) {
        if (candidate.value(name) != defaults.value(name))
            return name;
    }
    return TelSettings::names().constFirst();
}

} // namespace

SettingTexts pendingTelSettings(const Settings &settings, const SettingTexts &pending)
{
    SettingTexts texts;
    const SettingTexts &defaults = TelSettings::defaultTexts();
    for (const QString &name : TelSettings::names())
        texts.insert(name, pending.contains(name) ? pending.value(name) : settings.GetSetting(name, defaults.value(name)));
    return texts;
}

std::optional<SettingsProblem> checkTelSettings(const SettingTexts &candidate, const TelTables &tables,
                                                const SettingTexts &saved)
{
    SettingTexts complete = TelSettings::defaultTexts();
    complete.insert(candidate);
    for (const QString &name : TelSettings::names()) {
        const QString reason = ruleFailure(name, complete.value(name));
        if (reason.isEmpty())
            continue;
        if (saved.isEmpty() || saved.contains(name))
            return SettingsProblem{name, problemText(name, complete.value(name), reason)};
        // Not the dialog's to judge: the examples see the default instead.
        complete.insert(name, TelSettings::defaultTexts().value(name));
    }
    const Judge judge(complete, tables);
    const QStringList failures = judge.failures(complete);
    if (failures.isEmpty())
        return std::nullopt;
    const QString name = blame(judge, complete, failures.size(), saved);
    if (!saved.isEmpty() && !saved.contains(name))
        return std::nullopt;
    return SettingsProblem{name, problemText(name, complete.value(name), failures.constFirst())};
}

QString recognisedSeparatorRule()
{
    return QString::fromUtf8("erlaubt ist ein einzelnes Zeichen, keine Ziffer und kein \"+\".");
}

QString recognisedSeparatorProblem(const QString &text)
{
    const bool keptByCleaning = hasDigit(text) || text.contains(u'+');
    return text.size() > 1 || keptByCleaning ? recognisedSeparatorRule() : QString();
}

QString refusalText(const QString &caption, const QString &value, const QString &reason)
{
    return QString::fromUtf8("Im Feld %1 ist %2 nicht möglich: %3").arg(quoted(caption), quoted(value), reason);
}

QString settingCaption(const QString &setting)
{
    static const QMap<QString, QString> captions = [] {
        QMap<QString, QString> c{
            {setting::DurchwahlTrenn, QStringLiteral("Eigenes Durchwahltrennzeichen")},
            {setting::Plus, QStringLiteral("Ländervorwahl auch bei Rufnummern ohne internationales Präfix erkennen")},
            {setting::IDDP, QStringLiteral("Eigenes internationales Präfix")},
            {setting::SchweizKonv, QStringLiteral("Alte schweizer Vorwahl (1) in (44) umwandeln")},
            {setting::UseNumberBlocksAreaNo, QStringLiteral("Nummernblöcke erzeugen (keine Ortvorwahlen)")},
            {setting::UseNumberBlocksAreaPres, QStringLiteral("Nummernblöcke erzeugen (mit Ortvorwahl)")},
            {setting::IgnoreCountryCode, QStringLiteral("vorhandene Ländervorwahl ignorieren")},
            {setting::IDDPOut, QStringLiteral("Internationales Präfix")},
            {setting::DurchwahlTrennOut, QStringLiteral("Trennzeichen vor der Durchwahl")},
            {setting::VorwahlTrennOut1, QStringLiteral("Trennzeichen zwischen Ländervorwahl und Ortvorwahl")},
            {setting::VorwahlTrennOut2, QStringLiteral("Trennzeichen zwischen Ortvorwahl und Empfängernummer")},
            {setting::VorwahlTrennOutSingle, QStringLiteral("Trennzeichen zwischen Ländervorwahl und Telefonnummer")},
            {setting::CountryCode, QStringLiteral("Eigene Ländervorwahl")},
            {setting::NDDP, QStringLiteral("Eigenes nationales Präfix")},
            {setting::BlockTrennAreaPres, QStringLiteral("Trennzeichen der Nummernblöcke (mit Ortvorwahl)")},
            {setting::BlockTrennAreaNo, QStringLiteral("Trennzeichen der Nummernblöcke (keine Ortvorwahlen)")},
        };
        for (int i = 1; i <= 5; ++i) {
            if (i <= 2)
                c.insert(setting::numbered(setting::BlockA, i), QStringLiteral("Blocklänge Ortvorwahl %1").arg(i));
            c.insert(setting::numbered(setting::BlockS, i), QStringLiteral("Blocklänge Empfängernummer %1").arg(i));
            c.insert(setting::numbered(setting::BlockT, i), QStringLiteral("Blocklänge Telefonnummer %1").arg(i));
        }
        return c;
    }();
    return captions.value(setting, setting);
}

std::optional<SettingsProblem> refusePendingTelSettings(Settings &settings, Messages &messages,
                                                        refdb::Database &database, const SettingTexts &pending,
                                                        const SettingTexts &opener)
{
    SettingTexts shown = opener;
    shown.insert(pending);
    const SettingTexts candidate = pendingTelSettings(settings, shown);
    const SettingTexts stored = pendingTelSettings(settings, {});
    SettingTexts saved;
    for (auto it = pending.cbegin(); it != pending.cend(); ++it) {
        if (stored.contains(it.key()))
            saved.insert(it.key(), stored.value(it.key()));
    }
    std::optional<SettingsProblem> problem;
    // Unreadable tables are the run's to report, before it changes anything.
    catchError([&] {
        const std::shared_ptr<const TelTables> tables =
            database.cached<TelTables>([](refdb::Connection &db) { return TelTables::read(db); });
        problem = checkTelSettings(candidate, *tables, saved);
    });
    if (!problem)
        return std::nullopt;
    messages.ShowMessage(problem->message, ui::mb::Exclamation, titles::Hinweis);
    return problem;
}

} // namespace kw::contacts::telephone
