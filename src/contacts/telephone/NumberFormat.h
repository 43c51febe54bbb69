#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

namespace kw {
class Settings;
}

// The values of the number-format dialog as plain data, and the rules the
// dialog applies to them: its two example numbers, and what "OK" stores.
namespace kw::contacts::telephone {

struct NumberFormatValues
{
    QMap<QString, QString> texts; // by setting name ("IDDPOut", "BlockS1", ...)
    bool blocksAreaPres = false;  // UseNumberBlocksAreaPres
    bool blocksAreaNo = false;    // UseNumberBlocksAreaNo

    // The text stored for `name`, or `fallback` when there is none.
    QString value(const QString &name, const QString &fallback) const { return texts.value(name, fallback); }
};

// The block splitting of the formatter's FormatNumberBlocks on these values
// instead of the stored settings; the samples carry no extension.
QString PreviewNumberBlocks(const QString &Digits, const QString &Kind, const NumberFormatValues &values);

struct ExampleNumbers
{
    QString withArea;    // lblTel
    QString withoutArea; // lblTelo
};
// The two examples, with the texts used as they stand (not trimmed).
ExampleNumbers exampleNumbers(const NumberFormatValues &values);

// The values as the settings they are stored under, the two switches as "1"/"0".
QMap<QString, QString> settingTexts(const NumberFormatValues &values);

// Reads the named settings (missing ones as "") and the two block switches.
NumberFormatValues readNumberFormat(Settings &settings, const QStringList &names);
// Stores every text and the two switches as "1" or "0". Returns false when a
// write failed (the store has said so).
bool saveNumberFormat(Settings &settings, const NumberFormatValues &values);

} // namespace kw::contacts::telephone
