-- Reference database KontorwerkPub: telephone, name and holiday tables.
-- Built by tools/mkrefdb from this script and the CSV files beside it.
-- KWFOLD compares with Unicode case folding ("JÜRGEN" = "Jürgen"); every
-- connection of the program registers it.

-- Telephone tables. The table editor adds and edits rows; a row that already
-- exists is refused, also when its area code is NULL (two NULLs never collide
-- in a plain unique index, hence the partial one). NULL area codes sort first.
CREATE TABLE T_CountryCodes (
    CountryCode      TEXT NOT NULL PRIMARY KEY CHECK (trim(CountryCode) <> ''),
    NationalDDPrefix TEXT,
    CountryName      TEXT,
    ISO              TEXT
);

CREATE TABLE T_CountryAndAreaCodes (
    CountryCode TEXT NOT NULL CHECK (trim(CountryCode) <> ''),
    AreaCode    TEXT,
    Place       TEXT,
    PRIMARY KEY (CountryCode, AreaCode)
);
CREATE UNIQUE INDEX UX_CountryAndAreaCodes_NoArea
    ON T_CountryAndAreaCodes (CountryCode) WHERE AreaCode IS NULL;

-- Name word tables (read by the name parser).
CREATE TABLE T_BusinessWord  (String TEXT NOT NULL COLLATE KWFOLD);
CREATE TABLE T_BusinessInStr (String TEXT NOT NULL COLLATE KWFOLD);
CREATE TABLE T_BusinessEnd   (String TEXT NOT NULL COLLATE KWFOLD);
CREATE TABLE T_Hyphens       (Hyphen TEXT NOT NULL COLLATE KWFOLD);
CREATE TABLE T_TitlesDipl    (Title TEXT NOT NULL COLLATE KWFOLD);
CREATE TABLE T_TitlesDr      (Title TEXT NOT NULL COLLATE KWFOLD);
CREATE TABLE T_TitlesProf    (Title TEXT NOT NULL COLLATE KWFOLD);
CREATE TABLE T_Addresses     (Address TEXT NOT NULL COLLATE KWFOLD);
CREATE TABLE T_FirstNames    (FirstName TEXT NOT NULL COLLATE KWFOLD, Gender TEXT);
CREATE TABLE T_Suffixes      (Suffix TEXT NOT NULL COLLATE KWFOLD);
CREATE INDEX IX_Hyphens_Hyphen       ON T_Hyphens (Hyphen);
CREATE INDEX IX_TitlesDipl_Title     ON T_TitlesDipl (Title);
CREATE INDEX IX_TitlesDr_Title       ON T_TitlesDr (Title);
CREATE INDEX IX_TitlesProf_Title     ON T_TitlesProf (Title);
CREATE INDEX IX_Addresses_Address    ON T_Addresses (Address);
CREATE INDEX IX_FirstNames_FirstName ON T_FirstNames (FirstName);
CREATE INDEX IX_Suffixes_Suffix      ON T_Suffixes (Suffix);

-- School holidays: one row per country and state. Besides Country and State
-- the row holds only its integer key and the From/To pairs, so that the
-- period rule (periods 2 .. (field count - 1) \ 2) names every pair.
-- Dates are ISO texts (yyyy-MM-dd); NULL pairs are periods without data.
CREATE TABLE T_Holidays (
    ID      INTEGER PRIMARY KEY,
    Country TEXT NOT NULL COLLATE KWFOLD,
    State   TEXT NOT NULL COLLATE KWFOLD,
    From2  TEXT, To2  TEXT,
    From3  TEXT, To3  TEXT,
    From4  TEXT, To4  TEXT,
    From5  TEXT, To5  TEXT,
    From6  TEXT, To6  TEXT,
    From7  TEXT, To7  TEXT,
    From8  TEXT, To8  TEXT,
    From9  TEXT, To9  TEXT,
    From10 TEXT, To10 TEXT,
    From11 TEXT, To11 TEXT,
    From12 TEXT, To12 TEXT,
    From13 TEXT, To13 TEXT,
    From14 TEXT, To14 TEXT,
    UNIQUE (Country, State)
);

CREATE TABLE T_HolidaysDes (
    "Index"     INTEGER NOT NULL,
    Country     TEXT NOT NULL COLLATE KWFOLD,
    Description TEXT NOT NULL,
    PRIMARY KEY ("Index", Country)
);
