#pragma once

// Module NameCorrectionFunctions: the name parser's functions over NameTokens and ParsedName.

#include "contacts/names/NameWordTables.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace kw {
class Messages;
}

namespace kw::contacts::names {

// The token table of one parse: text, type and gender per token, all of the
// same length. Types are "" (not yet typed), "," "(" ")" "Hyphen" "TitleDipl"
// "TitleDr" "TitleProf" "Address" "FirstName" "MiddleName" "LastName" "Suffix".
struct NameTokens
{
    QStringList text;
    QStringList type;
    QStringList gender;

    int count() const { return int(text.size()); }
    bool operator==(const NameTokens &) const = default;
};

// What a full name splits into. Title holds the salutation and the
// academic titles ("Herr  Dr." keeps its two blanks where a part is empty).
struct ParsedName
{
    QString Title;
    QString FirstName;
    QString MiddleName;
    QString LastName;
    QString Suffix;
    bool IsBusiness = false;
    NameTokens tokens; // as the parse left them, for the test dialog and tests

    bool operator==(const ParsedName &) const = default;
};

// Pads commas, semicolons (which become commas), hyphens and brackets with
// blanks, turns every other kind of white space into a blank, collapses runs
// of blanks and trims. Apostrophes stay: "O'Brien" is a name, not a hazard.
QString NormalizeNameString(const QString &text);

// Splits a full name into its parts using the word tables of `words`, read
// afresh (or confirmed unchanged) for this call. When CheckBusiness is true the
// company markers are searched and IsBusiness tells whether one was found; the
// parts are returned for a company name too.
//
// When the word tables cannot be read the error goes to HandleError with
// place code 2502 and the result is empty, so a caller can never write parts
// left from an earlier name. The busy state is left alone.
std::optional<ParsedName> ParseFullName(const QString &fullName, bool checkBusiness, NameWordSource &words,
                                        Messages &messages);

// The same with the out-parameters the run and the test dialog use. On a
// failure every output is emptied (IsBusiness false) and false is returned.
bool ParseFullName(const QString &fullName, QString &title, QString &firstName, QString &middleName,
                   QString &lastName, QString &suffix, bool &isBusiness, bool checkBusiness, NameWordSource &words,
                   Messages &messages);

// Questions about the token types, compared exactly.
// The number of tokens of that type.
int CountTokenType(const NameTokens &tokens, const QString &type);
// The index of the k-th token of that type (k counts from 1), or -1.
int FindTokenType(const NameTokens &tokens, const QString &type, int k);
// The index of the first token of that type, or the token count.
int FirstTokenTypeIndex(const NameTokens &tokens, const QString &type);

// Builds a display text from the name parts and a layout written with the
// captions "Anrede" "Vorname" "weitere Vorn." "Nachname" "Namenszusatz"
// "Firma" (or their codes A V W N Z F), the separators , ; - / and brackets.
// What belongs to an empty part is dropped with its separators and brackets.
// "L" stands for one blank: "N,LV" gives "Meier, Hans".
QString BuildNameLayout(const QString &title, const QString &firstName, const QString &middleName,
                        const QString &lastName, const QString &suffix, const QString &company,
                        const QString &layout);

// True exactly for "F" "N" "V" "Z" "W" "L" "A" (callers pass upper case).
bool IsLayoutCode(const QString &character);
bool IsLayoutCode(QChar character);

} // namespace kw::contacts::names
