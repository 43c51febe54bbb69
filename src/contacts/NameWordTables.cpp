#include "contacts/NameWordTables.h"

namespace kw {

QString NameWordTables::foldNameKey(const QString &text)
{
    // A name typed with a combining diaeresis ("u" + U+0308) must find the
    // table's precomposed "ü".
    return text.normalized(QString::NormalizationForm_C).toCaseFolded();
}

void NameWordTables::add(QSet<QString> &set, const QString &word)
{
    set.insert(foldNameKey(word));
}

void NameWordTables::addMarker(QStringList &list, const QString &word)
{
    if (!word.isEmpty())
        list.append(foldNameKey(word));
}

void NameWordTables::addBusinessWord(const QString &word)
{
    addMarker(m_businessWord, word);
}

void NameWordTables::addBusinessInStr(const QString &word)
{
    addMarker(m_businessInStr, word);
}

void NameWordTables::addBusinessEnd(const QString &word)
{
    addMarker(m_businessEnd, word);
}

void NameWordTables::addFirstName(const QString &name, const QString &gender)
{
    const QString key = foldNameKey(name);
    if (!m_firstNames.contains(key))
        m_firstNames.insert(key, gender);
}

bool NameWordTables::findFirstName(const QString &key, QString *gender) const
{
    const auto it = m_firstNames.constFind(key);
    if (it == m_firstNames.constEnd())
        return false;
    if (gender)
        *gender = it.value();
    return true;
}

int NameWordTables::rowCount() const
{
    return int(m_businessWord.size() + m_businessInStr.size() + m_businessEnd.size() + m_hyphens.size()
               + m_titlesDipl.size() + m_titlesDr.size() + m_titlesProf.size() + m_addresses.size()
               + m_suffixes.size() + m_firstNames.size());
}

} // namespace kw
