#include "platform/registry/Registry.h"

#include "platform/core/Paths.h"

#include <QFile>
#include <QDateTime>
#include <QSaveFile>

#include <sys/stat.h>

namespace kw::registry {
namespace {

quint64 nextChangeStamp()
{
    static quint64 last = 0;
    return ++last;
}

} // namespace

Registry::Registry(QString filePath)
    : m_filePath(std::move(filePath)), m_encodedPath(QFile::encodeName(m_filePath))
{
}

Registry::FileState Registry::fileState() const
{
    struct stat info {};
    if (::stat(m_encodedPath.constData(), &info) != 0)
        return {};
    return {true, quint64(info.st_dev), quint64(info.st_ino), qint64(info.st_size),
            qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}

QString Registry::rootName(HKEY root)
{
    switch (root) {
    case HKEY_CURRENT_USER:
        return QStringLiteral("HKEY_CURRENT_USER");
    case HKEY_LOCAL_MACHINE:
        return QStringLiteral("HKEY_LOCAL_MACHINE");
    default:
        return {};
    }
}

QString Registry::joinPath(HKEY root, const QString &subKey)
{
    const QString rootText = rootName(root);
    if (rootText.isEmpty())
        return {};
    QString sub = subKey;
    while (sub.startsWith(u'\\'))
        sub.remove(0, 1);
    while (sub.endsWith(u'\\'))
        sub.chop(1);
    return sub.isEmpty() ? rootText : rootText + u'\\' + sub;
}

void Registry::refresh()
{
    const FileState now = fileState();
    if (!now.exists) {
        if (m_loaded && !m_loadedState.exists)
            return;
        m_hive.clear();
        m_loaded = true;
        m_loadedState = now;
        m_changeStamp = nextChangeStamp();
        return;
    }
    if (m_loaded && now == m_loadedState)
        return;

    QFile file(m_filePath);
    QString problem;
    std::optional<Hive> parsed;
    if (file.open(QIODevice::ReadOnly)) {
        parsed = parse(file.readAll(), &problem);
        file.close();
    } else {
        problem = file.errorString();
    }
    if (parsed) {
        m_hive = std::move(*parsed);
    } else {
        // Keep the user's file for inspection; start from an empty hive.
        const QString aside = m_filePath + QStringLiteral(".unreadable-")
            + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
        const bool moved = QFile::rename(m_filePath, aside);
        m_loadProblem = moved
            ? QStringLiteral("Die Einstellungsdatei \"%1\" ist nicht lesbar (%2) und wurde als \"%3\" beiseitegelegt.")
                  .arg(m_filePath, problem, aside)
            : QStringLiteral("Die Einstellungsdatei \"%1\" ist nicht lesbar (%2).").arg(m_filePath, problem);
        m_hive.clear();
        if (!moved) {
            // Never overwrite it: behave as if every write fails.
            m_failWrites = true;
        }
    }
    m_changeStamp = nextChangeStamp();
    m_loaded = true;
    m_loadedState = fileState();
}

bool Registry::persist(const Hive &next)
{
    if (m_failWrites)
        return false;
    if (!paths::ensureParentFolder(m_filePath))
        return false;
    QSaveFile file(m_filePath);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(serialize(next));
    if (!file.commit())
        return false;
    m_hive = next;
    m_changeStamp = nextChangeStamp();
    m_loadedState = fileState();
    m_loaded = true;
    return true;
}

quint64 Registry::changeStamp()
{
    refresh();
    return m_changeStamp;
}

HKEY Registry::newHandle(const QString &keyPath)
{
    const HKEY handle = m_nextHandle++;
    m_handles.insert(handle, keyPath.toLower());
    return handle;
}

long Registry::RegOpenKey(HKEY root, const QString &subKey, HKEY *result)
{
    if (result)
        *result = 0;
    const QString path = joinPath(root, subKey);
    if (path.isEmpty())
        return ERROR_INVALID_HANDLE;
    refresh();
    if (!m_hive.contains(path.toLower()))
        return ERROR_FILE_NOT_FOUND;
    if (result)
        *result = newHandle(path);
    return ERROR_SUCCESS;
}

long Registry::RegCreateKey(HKEY root, const QString &subKey, HKEY *result)
{
    if (result)
        *result = 0;
    const QString path = joinPath(root, subKey);
    if (path.isEmpty())
        return ERROR_INVALID_HANDLE;
    refresh();
    if (!m_hive.contains(path.toLower())) {
        Hive next = m_hive;
        next.insert(path.toLower(), Key{path, {}});
        if (!persist(next))
            return m_failWrites ? ERROR_ACCESS_DENIED : ERROR_WRITE_FAULT;
    }
    if (result)
        *result = newHandle(path);
    return ERROR_SUCCESS;
}

long Registry::RegQueryValueEx(HKEY key, const QString &valueName, quint32 *type, QByteArray *data, quint32 *size)
{
    const auto handle = m_handles.constFind(key);
    if (handle == m_handles.cend())
        return ERROR_INVALID_HANDLE;
    refresh();
    const auto keyIt = m_hive.constFind(*handle);
    if (keyIt == m_hive.cend())
        return ERROR_FILE_NOT_FOUND;
    const auto valueIt = keyIt->values.constFind(valueName.toLower());
    if (valueIt == keyIt->values.cend())
        return ERROR_FILE_NOT_FOUND;
    if (type)
        *type = valueIt->type;
    const auto needed = static_cast<quint32>(valueIt->data.size());
    if (data) {
        if (size && *size < needed) {
            *size = needed;
            return ERROR_MORE_DATA;
        }
        *data = valueIt->data;
    }
    if (size)
        *size = needed;
    return ERROR_SUCCESS;
}

void Registry::putValue(Key &key, const Value &value)
{
    const QString lower = value.name.toLower();
    Value stored = value;
    if (const auto old = key.values.constFind(lower); old != key.values.cend())
        stored.name = old->name; // the name keeps its first spelling
    key.values.insert(lower, stored);
}

long Registry::RegSetValueEx(HKEY key, const QString &valueName, quint32 type, const QByteArray &data)
{
    const auto handle = m_handles.constFind(key);
    if (handle == m_handles.cend())
        return ERROR_INVALID_HANDLE;
    if (m_failWrites)
        return ERROR_ACCESS_DENIED;
    refresh();
    Hive next = m_hive;
    auto keyIt = next.find(*handle);
    if (keyIt == next.end())
        return ERROR_FILE_NOT_FOUND;
    putValue(*keyIt, Value{valueName, type, data});
    if (!persist(next))
        return m_failWrites ? ERROR_ACCESS_DENIED : ERROR_WRITE_FAULT;
    return ERROR_SUCCESS;
}

long Registry::setValues(HKEY root, const QString &subKey, const QList<Value> &values)
{
    const QString path = joinPath(root, subKey);
    if (path.isEmpty())
        return ERROR_INVALID_HANDLE;
    if (m_failWrites)
        return ERROR_ACCESS_DENIED;
    refresh();
    Hive next = m_hive;
    Key &key = next[path.toLower()];
    if (key.path.isEmpty())
        key.path = path;
    for (const Value &value : values)
        putValue(key, value);
    if (!persist(next))
        return m_failWrites ? ERROR_ACCESS_DENIED : ERROR_WRITE_FAULT;
    return ERROR_SUCCESS;
}

long Registry::RegCloseKey(HKEY key)
{
    return m_handles.remove(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

QString Registry::takeLoadProblem()
{
    refresh();
    return std::exchange(m_loadProblem, QString());
}

} // namespace kw::registry
