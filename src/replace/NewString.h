#pragma once

#include <QString>

namespace kw::replace {

// The dialog's search text, new text and option boxes as one value.
struct ReplaceOptions
{
    QString find;        // txtFind
    QString replacement; // txtReplace
    bool word = false;           // chkWord: whole words only
    bool replaceContent = false; // chkReplace: every field becomes the new text
    bool fillEmpty = false;      // chkLeer: only empty fields get the new text
};

// The new text of a field whose current text is `current`:
//  - replaceContent: the new text, whatever the field held;
//  - fillEmpty: the new text for an empty field, any other stays as it is;
//  - otherwise every occurrence of `find` is replaced, found left to right
//    without regard to case and without overlap ("aaaa", aa -> b: "bb"); the
//    inserted text is not searched again. With `word` an occurrence counts
//    only where no letter or digit touches it on either side, so "GmbH," and
//    "(GmbH)" match "GmbH" while "GmbHs" and "Müller" for "M" do not.
// An empty search text finds nothing. A text without a match comes back
// exactly as it was, surrounding blanks included.
QString newString(const QString &current, const ReplaceOptions &options);

} // namespace kw::replace
