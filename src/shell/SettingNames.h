#pragma once

#include <QLatin1String>
#include <QString>

// The names the tools store their settings under (see Settings). Each name is
// written here once; readers and the defaults table use these constants, so a
// misspelt name stops the build instead of reading a value nobody stores.
// The stored texts are load-bearing: files written by earlier versions use them.
namespace kw::setting {

// A numbered member of a family: numbered(BlockA, 1) is "BlockA1",
// numbered(Priority, 0) is "Priority.0".
inline QString numbered(QLatin1String family, int number)
{
    return family + QString::number(number);
}

// Telephone numbers: how they are read
inline constexpr QLatin1String DurchwahlTrenn{"DurchwahlTrenn"};
inline constexpr QLatin1String Plus{"Plus"};
inline constexpr QLatin1String IDDP{"IDDP"};
inline constexpr QLatin1String NDDP{"NDDP"};
inline constexpr QLatin1String CountryCode{"CountryCode"};
inline constexpr QLatin1String SchweizKonv{"SchweizKonv"};
inline constexpr QLatin1String IgnoreCountryCode{"IgnoreCountryCode"};
inline constexpr QLatin1String HideFax{"HideFax"};
inline constexpr QLatin1String FilterTel{"FilterTel"};
inline constexpr QLatin1String FilterCountry{"FilterCountry"};
inline constexpr QLatin1String FilterArea{"FilterArea"};
inline constexpr QLatin1String FilterCountryStr{"FilterCountryStr"};
inline constexpr QLatin1String FilterAreaStr{"FilterAreaStr"};
// Which contacts the telephone run takes: only those of one country.
inline constexpr QLatin1String CountryFilter{"CountryFilter"};
inline constexpr QLatin1String CountryFilterText{"CountryFilterText"};

// Telephone numbers: how they are written
inline constexpr QLatin1String IDDPOut{"IDDPOut"};
inline constexpr QLatin1String DurchwahlTrennOut{"DurchwahlTrennOut"};
inline constexpr QLatin1String VorwahlTrennOut1{"VorwahlTrennOut1"};
inline constexpr QLatin1String VorwahlTrennOut2{"VorwahlTrennOut2"};
inline constexpr QLatin1String VorwahlTrennOutSingle{"VorwahlTrennOutSingle"};
// Block lengths, numbered 1 to 2 (area code) or 1 to 5 (subscriber, extension).
inline constexpr QLatin1String BlockA{"BlockA"};
inline constexpr QLatin1String BlockS{"BlockS"};
inline constexpr QLatin1String BlockT{"BlockT"};
inline constexpr QLatin1String BlockTrennAreaNo{"BlockTrennAreaNo"};
inline constexpr QLatin1String BlockTrennAreaPres{"BlockTrennAreaPres"};
inline constexpr QLatin1String UseNumberBlocksAreaNo{"UseNumberBlocksAreaNo"};
inline constexpr QLatin1String UseNumberBlocksAreaPres{"UseNumberBlocksAreaPres"};

// Duplicate scans: the fields compared, one switch each
inline constexpr QLatin1String KontakteBusinessTelephoneNumber{"KontakteBusinessTelephoneNumber"};
inline constexpr QLatin1String KontakteHomeTelephoneNumber{"KontakteHomeTelephoneNumber"};
inline constexpr QLatin1String KontakteMobileTelephoneNumber{"KontakteMobileTelephoneNumber"};
inline constexpr QLatin1String KontakteCompanyName{"KontakteCompanyName"};
inline constexpr QLatin1String KontakteEmail1Address{"KontakteEmail1Address"};
inline constexpr QLatin1String KontakteFileAs{"KontakteFileAs"};
inline constexpr QLatin1String KontakteFirstName{"KontakteFirstName"};
inline constexpr QLatin1String KontakteLastName{"KontakteLastName"};
inline constexpr QLatin1String KontakteBusinessAddress{"KontakteBusinessAddress"};
inline constexpr QLatin1String KontakteHomeAddress{"KontakteHomeAddress"};
inline constexpr QLatin1String KontakteFieldName{"KontakteFieldName"};
inline constexpr QLatin1String KontakteFieldNameStr{"KontakteFieldNameStr"}; // the user field compared
inline constexpr QLatin1String TermineStart{"TermineStart"};
inline constexpr QLatin1String TermineEnd{"TermineEnd"};
inline constexpr QLatin1String TermineSubject{"TermineSubject"};
inline constexpr QLatin1String TermineAllDayEvent{"TermineAllDayEvent"};
inline constexpr QLatin1String TermineBusyStatus{"TermineBusyStatus"};
inline constexpr QLatin1String TermineBody{"TermineBody"};
inline constexpr QLatin1String TerminSerie{"TerminSerie"};
inline constexpr QLatin1String AufgabenBody{"AufgabenBody"};
inline constexpr QLatin1String AufgabenOwner{"AufgabenOwner"};
inline constexpr QLatin1String AufgabenStartDate{"AufgabenStartDate"};
inline constexpr QLatin1String AufgabenSubject{"AufgabenSubject"};
inline constexpr QLatin1String EmailBody{"EmailBody"};
inline constexpr QLatin1String EmailSenderName{"EmailSenderName"};
inline constexpr QLatin1String EmailSubject{"EmailSubject"};
inline constexpr QLatin1String EmailTo{"EmailTo"};
inline constexpr QLatin1String EmailSentOn{"EmailSentOn"};
inline constexpr QLatin1String EmailReceivedTime{"EmailReceivedTime"};
inline constexpr QLatin1String EmailAttachments{"EmailAttachments"};
inline constexpr QLatin1String NotizenBody{"NotizenBody"};
inline constexpr QLatin1String NotizenColor{"NotizenColor"};
inline constexpr QLatin1String JournalBody{"JournalBody"};
inline constexpr QLatin1String JournalDuration{"JournalDuration"};
inline constexpr QLatin1String JournalStart{"JournalStart"};
inline constexpr QLatin1String JournalSubject{"JournalSubject"};
inline constexpr QLatin1String FolderInside{"FolderInside"};

// Duplicates: which one is kept and what happens to the others
inline constexpr QLatin1String OldDel{"OldDel"};
inline constexpr QLatin1String MasterFolder{"MasterFolder"};
inline constexpr QLatin1String Priority{"Priority."}; // numbered 0 to 2
inline constexpr QLatin1String DupDel{"DupDel"};
inline constexpr QLatin1String MoveToFolder{"MoveToFolder"};
inline constexpr QLatin1String DupEntryIDSave{"DupEntryIDSave"};
inline constexpr QLatin1String FieldNameEntryID{"FieldNameEntryID"};

// Folder tree
inline constexpr QLatin1String IdleTime{"IdleTime"};
inline constexpr QLatin1String FolderStructureSkip{"FolderStructureSkip"};

// Main window: where it stood at the last end, "x,y,width,height"
inline constexpr QLatin1String WindowGeometry{"WindowGeometry"};
// Help window: its size when it was last closed, "width,height"
inline constexpr QLatin1String HelpWindowSize{"HelpWindowSize"};

// Attachments and contact names
inline constexpr QLatin1String AttSize{"AttSize"};
inline constexpr QLatin1String FileAsLayoutEx{"FileAsLayoutEx"};
inline constexpr QLatin1String SubjectLayout{"SubjectLayout"};
inline constexpr QLatin1String SubjectNameCorrect{"SubjectNameCorrect"};
inline constexpr QLatin1String BusinessNameCheck{"BusinessNameCheck"};

// Stored by the options forms under their controls' names as well
inline constexpr QLatin1String OldDelDis{"OldDelDis"};       // the other member of OldDel's pair
inline constexpr QLatin1String AttPath{"AttPath"};             // folder of exported attachments
inline constexpr QLatin1String SaveAs{"SaveAs"};               // the layout option pair
inline constexpr QLatin1String Betreff{"Betreff"};

} // namespace kw::setting
