#pragma once

#include <QDateTime>
#include <QList>
#include <QRandomGenerator>
#include <QString>

namespace kw::profilegen {

// A city with what its telephone numbers need.
struct Place
{
    const char *country;
    const char *city;
    const char *postal;
    const char *area; // area code without trunk prefix
    const char *cc;   // country calling code
};

// The generator's random source with the helpers the made-up data needs.
// One seed gives one sequence, so the same options give the same profile.
class Gen
{
public:
    explicit Gen(quint32 seed) : m_rng(seed) {}

    int below(int n) { return int(m_rng.bounded(n)); }
    qint64 between(qint64 lo, qint64 hi) { return m_rng.bounded(lo, hi + 1); }
    quint32 word() { return m_rng.generate(); }
    template <typename T> const T &pick(const QList<T> &l) { return l[below(int(l.size()))]; }
    bool chance(int percent) { return below(100) < percent; }

    QString id(int bytes)
    {
        QByteArray raw(bytes, Qt::Uninitialized);
        for (int i = 0; i < bytes; ++i)
            raw[i] = char(below(256));
        return QString::fromLatin1(raw.toHex().toUpper());
    }

    QString digits(int n)
    {
        QString s(n, Qt::Uninitialized);
        for (int i = 0; i < n; ++i)
            s[i] = QChar(u'0' + (i == 0 ? 1 + below(9) : below(10)));
        return s;
    }

    QDateTime moment()
    {
        const QDateTime base(QDate(2018, 1, 1), QTime(0, 0));
        return base.addSecs(qint64(m_rng.bounded(9 * 365)) * 86400 + below(86400));
    }

    QString date(const QDateTime &t) const { return t.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss")); }

    // One number written in one of the many ways people write numbers.
    QString phone(const Place &p, bool mobile)
    {
        const QString area = mobile ? QStringLiteral("1%1").arg(below(80) + 51) : QString::fromLatin1(p.area);
        const QString local = digits(mobile ? 7 : 6 + below(2));
        const QString cc = QString::fromLatin1(p.cc);
        switch (below(9)) {
        case 0: return QStringLiteral("0%1/%2").arg(area, local);
        case 1: return QStringLiteral("+%1 (0)%2 %3").arg(cc, area, local);
        case 2: return QStringLiteral("00%1 %2 %3").arg(cc, area, local);
        case 3: return QStringLiteral("(0%1) %2-%3").arg(area, local.left(3), local.mid(3));
        case 4: return QStringLiteral("+%1%2%3").arg(cc, area, local);
        case 5: return QStringLiteral("0%1 %2 %3 %4").arg(area, local.left(2), local.mid(2, 2), local.mid(4));
        case 6: return QStringLiteral("0%1-%2").arg(area, local);
        case 7: return QStringLiteral("+%1-%2-%3").arg(cc, area, local);
        default: return local; // no area code at all
        }
    }

private:
    QRandomGenerator m_rng;
};

} // namespace kw::profilegen
