#include "NumberGenerator.h"

#include <random>

namespace kw::bench {
namespace {

struct Country
{
    const char *code;
    QStringList areas;
    int weight;
};

const QList<Country> &countries()
{
    static const QList<Country> list = {
        {"49", {"30", "40", "89", "221", "69", "711", "211", "231", "201", "341", "351", "511", "911", "421",
                "228", "6221", "7071", "3328", "35204", "4551", "8821", "151", "152", "160", "170", "171",
                "172", "176", "179"}, 70},
        {"43", {"1", "316", "512", "662", "732", "463", "2742", "664", "676", "699", "650"}, 15},
        {"41", {"44", "43", "31", "61", "21", "22", "71", "41", "79", "76", "78", "1"}, 12},
        {"33", {"1", "4", "6"}, 1},
        {"39", {"06", "02", "0471"}, 1},
        {"423", {""}, 1},
    };
    return list;
}

class Writer
{
public:
    explicit Writer(quint32 seed) : m_rng(seed) {}

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_rng); }
    bool chance(int percent) { return pick(100) < percent; }

    QString digits(int n)
    {
        QString out;
        out += QChar(u'1' + pick(9));
        for (int i = 1; i < n; ++i)
            out += QChar(u'0' + pick(10));
        return out;
    }

    // "123456" as "12 34 56", "123 456" or unchanged.
    QString grouped(const QString &number)
    {
        const int style = pick(3);
        if (style == 0)
            return number;
        const int size = style == 1 ? 2 : 3;
        QStringList parts;
        for (qsizetype i = 0; i < number.size(); i += size)
            parts << number.mid(i, size);
        return parts.join(u' ');
    }

    const Country &country()
    {
        int total = 0;
        for (const Country &c : countries())
            total += c.weight;
        int roll = pick(total);
        for (const Country &c : countries()) {
            if (roll < c.weight)
                return c;
            roll -= c.weight;
        }
        return countries().first();
    }

    QString number()
    {
        const Country &c = country();
        const QString area = c.areas.at(pick(int(c.areas.size())));
        QString subscriber = grouped(digits(5 + pick(4)));
        if (chance(15))
            subscriber += QStringLiteral("-") + digits(1 + pick(3));
        const QString cc = QString::fromLatin1(c.code);
        const bool home = cc == QLatin1String("49") && chance(60);
        QString text;
        if (area.isEmpty())
            text = (chance(50) ? "+" : "00") + cc + ' ' + subscriber;
        else if (home)
            text = national(area, subscriber);
        else
            text = international(cc, area, subscriber);
        if (chance(5))
            text = QStringList{"Tel. ", "Fax: ", "Mobil ", "T: "}.at(pick(4)) + text;
        if (chance(3))
            text += QStringList{" (Zentrale)", " privat", " ", "  "}.at(pick(4));
        return text;
    }

private:
    QString national(const QString &area, const QString &subscriber)
    {
        const QString trunk = area.startsWith(u'0') ? "" : "0";
        switch (pick(5)) {
        case 0: return trunk + area + ' ' + subscriber;
        case 1: return '(' + trunk + area + ") " + subscriber;
        case 2: return trunk + area + '/' + subscriber;
        case 3: return trunk + area + " / " + subscriber;
        default: return trunk + area + '-' + QString(subscriber).remove(u' ');
        }
    }

    QString international(const QString &cc, const QString &area, const QString &subscriber)
    {
        switch (pick(6)) {
        case 0: return '+' + cc + ' ' + area + ' ' + subscriber;
        case 1: return "00" + cc + ' ' + area + ' ' + subscriber;
        case 2: return '+' + cc + " (0)" + area + ' ' + subscriber;
        case 3: return '+' + cc + '-' + area + '-' + QString(subscriber).remove(u' ');
        case 4: return "+" + cc + " (" + area + ") " + subscriber;
        default: return "00" + cc + " (0) " + area + " / " + subscriber;
        }
    }

    std::mt19937 m_rng;
};

} // namespace

QStringList messyNumbers(int count, quint32 seed)
{
    Writer writer(seed);
    QStringList numbers;
    numbers.reserve(count);
    for (int i = 0; i < count; ++i)
        numbers << writer.number();
    return numbers;
}

} // namespace kw::bench
