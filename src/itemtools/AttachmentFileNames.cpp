// File names of the attachment runs: cleaning an attachment's name into one
// a file may have, and finding a free one.
#include "itemtools/AttachmentSaveFunctions.h"
#include "itemtools/AttachmentWalk.h"

#include "platform/core/PlatformError.h"
#include "platform/files/Files.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <limits>
#include <sys/stat.h>

namespace kw::itemtools {
namespace {

constexpr int kMaxNameBytes = 255;
constexpr int kMaxNumberAttempts = 100; // names taken by others while we write
const QString kNoName = QStringLiteral("ohneName");

bool forbidden(QChar c)
{
    static const QString kForbidden = QStringLiteral("\\/:*?\"<>|");
    return kForbidden.contains(c) || c.category() == QChar::Other_Control;
}

bool onlyDotsAndBlanks(const QString &name)
{
    for (QChar c : name) {
        if (c != u'.' && c != u' ')
            return false;
    }
    return true;
}

int utf8Bytes(char32_t codePoint)
{
    return codePoint < 0x80 ? 1 : codePoint < 0x800 ? 2 : codePoint < 0x10000 ? 3 : 4;
}

// The longest start of text that takes at most maxBytes in UTF-8, never
// splitting a surrogate pair.
QString leftUtf8(const QString &text, int maxBytes)
{
    int bytes = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        const bool pair = text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        const char32_t cp = pair ? QChar::surrogateToUcs4(text.at(i), text.at(i + 1)) : text.at(i).unicode();
        bytes += utf8Bytes(cp);
        if (bytes > maxBytes)
            break;
        i += pair ? 2 : 1;
    }
    return text.left(i);
}

// stem + tail cut to the file system's limit by shortening the stem; when
// the tail alone is too long the whole is cut from its end.
QString fitName(const QString &stem, const QString &tail)
{
    const int tailBytes = int(tail.toUtf8().size());
    if (int(stem.toUtf8().size()) + tailBytes <= kMaxNameBytes)
        return stem + tail;
    if (tailBytes < kMaxNameBytes)
        return leftUtf8(stem, kMaxNameBytes - tailBytes) + tail;
    return leftUtf8(stem + tail, kMaxNameBytes);
}

struct SplitPath
{
    QString folder; // up to and with the last "/"
    QString stem;
    QString extension; // from the last "." of the name on; "" when none
};

SplitPath splitPath(const QString &path)
{
    const qsizetype nameStart = path.lastIndexOf(u'/') + 1;
    const qsizetype dot = path.lastIndexOf(u'.');
    const qsizetype stemEnd = dot >= nameStart ? dot : path.size();
    return {path.left(nameStart), path.mid(nameStart, stemEnd - nameStart), path.mid(stemEnd)};
}

} // namespace

std::optional<int> attachmentThreshold(const QString &attSize)
{
    if (attSize.trimmed().isEmpty())
        return 0; // the options store an emptied box as "": no minimum
    bool ok = false;
    const qint64 kb = attSize.trimmed().toLongLong(&ok);
    if (!ok || kb < 0 || kb > std::numeric_limits<qint32>::max() / 1024)
        return std::nullopt;
    return int(kb * 1024);
}

QString CleanFileName(const QString &Name)
{
    QString kept;
    kept.reserve(Name.size());
    for (QChar c : Name) {
        if (!forbidden(c))
            kept += c;
    }
    kept = trimBlanks(kept);
    if (onlyDotsAndBlanks(kept))
        return kNoName;
    // An extension is kept only behind a stem ("a.pdf"), not as a whole name (".profile").
    const qsizetype dot = kept.lastIndexOf(u'.');
    return dot > 0 ? fitName(kept.left(dot), kept.mid(dot)) : fitName(kept, {});
}

QString withTrailingSlash(const QString &folder)
{
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

QString numberedFileName(const QString &path, int n)
{
    const SplitPath parts = splitPath(path);
    const QString tail = n > 0 ? QStringLiteral("(%1)").arg(n) + parts.extension : parts.extension;
    return parts.folder + fitName(parts.stem, tail);
}

bool nameTaken(const QString &path)
{
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

QString GetUniqueFileName(const QString &FullPath)
{
    int n = 0;
    while (nameTaken(numberedFileName(FullPath, n)))
        ++n;
    return numberedFileName(FullPath, n);
}

QString FreeNames::place(const QString &path, const std::function<void(const QString &)> &create)
{
    int &n = m_next[path];
    for (int attempt = 0;; ++n) {
        const QString candidate = numberedFileName(path, n);
        if (nameTaken(candidate))
            continue;
        try {
            create(candidate);
        } catch (const PlatformError &e) {
            if (e.number() != errors::kFileAlreadyExists || ++attempt >= kMaxNumberAttempts)
                throw;
            continue;
        }
        ++n;
        return candidate;
    }
}

void removeStaleTemporaries(const QString &folder)
{
    // The hidden name files::createNewFile writes into before a file gets its
    // own: ".kw-" and up to 16 hex digits, ".part".
    static const QRegularExpression kTemporary(QStringLiteral("^\\.kw-[0-9a-f]{1,16}\\.part$"));
    const QDir dir(folder);
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden | QDir::NoSymLinks | QDir::System);
    for (const QString &name : names) {
        const QString path = dir.filePath(name);
        struct stat st;
        if (kTemporary.match(name).hasMatch() && ::lstat(QFile::encodeName(path).constData(), &st) == 0
            && S_ISREG(st.st_mode))
            discardFile(path);
    }
}

void discardFile(const QString &path) noexcept
{
    try {
        files::DeleteFile(path);
    } catch (...) {
    }
}

} // namespace kw::itemtools
