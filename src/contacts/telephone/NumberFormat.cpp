#include "contacts/telephone/NumberFormat.h"

#include "contacts/ContactRun.h"
#include "contacts/telephone/TelSettings.h"
#include "shell/SettingNames.h"
#include "shell/RegistryFunctions.h"

namespace kw::contacts::telephone {
namespace {

// Fixed samples: a four-digit area code, a six-digit subscriber number, and
// the number of a country without area codes.
const QString kSampleArea = QStringLiteral("3328");
const QString kSampleSubscriber = QStringLiteral("123456");
const QString kSampleNoArea = QStringLiteral("1234567");

} // namespace

QString PreviewNumberBlocks(const QString &Digits, const QString &Kind, const NumberFormatValues &values)
{
    const int blocks = Kind == QLatin1String("BlockA") ? 2 : 5;
    const QString separator = Kind == QLatin1String("BlockT") ? values.value(QStringLiteral("BlockTrennAreaNo"), QStringLiteral(" "))
                                                              : values.value(QStringLiteral("BlockTrennAreaPres"), QStringLiteral(" "));
    QString out;
    qsizetype taken = 0;
    for (int i = 1; i <= blocks; ++i) {
        const int length = blockLength(values.value(Kind + QString::number(i), QStringLiteral("0")));
        out += Digits.mid(taken, length);
        taken += length;
        if (taken >= Digits.size())
            break;
        if (length > 0)
            out += separator;
    }
    return out + Digits.mid(std::min(taken, Digits.size()));
}

ExampleNumbers exampleNumbers(const NumberFormatValues &values)
{
    auto text = [&values](const char *name) { return values.value(QLatin1String(name), QString()); };
    QString area = kSampleArea;
    QString subscriber = kSampleSubscriber;
    if (values.blocksAreaPres) {
        area = PreviewNumberBlocks(area, QStringLiteral("BlockA"), values);
        subscriber = PreviewNumberBlocks(subscriber, QStringLiteral("BlockS"), values);
    }
    const QString noArea =
        values.blocksAreaNo ? PreviewNumberBlocks(kSampleNoArea, QStringLiteral("BlockT"), values) : kSampleNoArea;
    return {text("IDDPOut") + QStringLiteral("49") + text("VorwahlTrennOut1") + area + text("VorwahlTrennOut2")
                + subscriber + text("DurchwahlTrennOut") + QStringLiteral("10"),
            text("IDDPOut") + QStringLiteral("423") + text("VorwahlTrennOutSingle") + noArea};
}

NumberFormatValues readNumberFormat(Settings &settings, const QStringList &names)
{
    NumberFormatValues values;
    for (const QString &name : names)
        values.texts.insert(name, settings.GetSetting(name, QString()));
    values.blocksAreaPres = settings.GetSettingBool(setting::UseNumberBlocksAreaPres, false);
    values.blocksAreaNo = settings.GetSettingBool(setting::UseNumberBlocksAreaNo, false);
    return values;
}

QMap<QString, QString> settingTexts(const NumberFormatValues &values)
{
    auto flag = [](bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); };
    QMap<QString, QString> texts = values.texts;
    texts.insert(setting::UseNumberBlocksAreaPres, flag(values.blocksAreaPres));
    texts.insert(setting::UseNumberBlocksAreaNo, flag(values.blocksAreaNo));
    return texts;
}

bool saveNumberFormat(Settings &settings, const NumberFormatValues &values)
{
    // The first failed write has been shown; the rest would only repeat it.
    const QMap<QString, QString> texts = settingTexts(values);
    for (auto it = values.texts.cbegin(); it != values.texts.cend(); ++it) {
        if (!settings.SaveSetting(it.key(), it.value()))
            return false;
    }
    return settings.SaveSetting(setting::UseNumberBlocksAreaPres, texts.value(setting::UseNumberBlocksAreaPres))
           && settings.SaveSetting(setting::UseNumberBlocksAreaNo, texts.value(setting::UseNumberBlocksAreaNo));
}

} // namespace kw::contacts::telephone
