#include "platform/mailstore/Attachments.h"

#include "platform/core/PlatformError.h"
#include "platform/mailstore/Item.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kw::mailstore {

namespace {

// The whole content of the regular file at path. Opened without waiting, so
// that a pipe is refused rather than waited on; a device (/dev/zero) is
// refused rather than read without end.
QByteArray readAttachmentSource(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == EACCES)
            throw PlatformError(errors::kPermissionDenied, QStringLiteral("Zugriff verweigert: %1").arg(path));
        throw PlatformError(errors::kFileNotFound, QStringLiteral("Datei nicht gefunden: %1").arg(path));
    }
    QFile file;
    const bool opened = file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
    if (!opened)
        ::close(fd);
    struct stat st;
    if (!opened || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        throw PlatformError(errors::kPathFileAccessError,
                            QStringLiteral("Keine gewöhnliche Datei: %1").arg(path));
    const auto tooLarge = [&path] {
        return PlatformError(errors::kPathFileAccessError,
                             QStringLiteral("Die Datei ist größer als %1 Bytes: %2").arg(kMaxAttachmentBytes).arg(path));
    };
    if (st.st_size > kMaxAttachmentBytes)
        throw tooLarge();
    QByteArray content = file.read(kMaxAttachmentBytes + 1); // it may grow while read
    if (file.error() != QFileDevice::NoError)
        throw PlatformError(errors::kPathFileAccessError,
                            QStringLiteral("Die Datei %1 kann nicht gelesen werden.").arg(path));
    if (content.size() > kMaxAttachmentBytes)
        throw tooLarge();
    return content;
}

int positionOf(QList<AttachmentRecord> &atts, int serial)
{
    for (int i = 0; i < atts.size(); ++i)
        if (atts[i].serial == serial)
            return i;
    throw PlatformError(errors::kObjectNotFound, QStringLiteral("Die Anlage existiert nicht mehr."));
}

} // namespace

int Attachment::position() const
{
    return positionOf(m_item->attachmentRecords(), m_serial);
}

QString Attachment::FileName() const
{
    return m_item->attachmentRecords()[position()].fileName;
}

QString Attachment::DisplayName() const
{
    return m_item->attachmentRecords()[position()].displayName;
}

int Attachment::Type() const
{
    return m_item->attachmentRecords()[position()].type;
}

qint64 Attachment::Size() const
{
    return m_item->attachmentRecords()[position()].size;
}

QString Attachment::PathName() const
{
    return m_item->attachmentRecords()[position()].pathName;
}

QVariant Attachment::hidden() const
{
    const std::optional<bool> h = m_item->attachmentRecords()[position()].hidden;
    return h ? QVariant(*h) : QVariant();
}

void Attachment::setHidden(bool value)
{
    m_item->attachmentRecords()[position()].hidden = value;
    m_item->markDirty();
}

void Attachment::SaveAsFile(const QString &path) const
{
    const int pos = position();
    const AttachmentRecord rec = m_item->attachmentRecords()[pos];
    const QFileInfo target(path);
    if (!target.absoluteDir().exists())
        throw PlatformError(errors::kPathNotFound,
                            QStringLiteral("Pfad nicht gefunden: %1").arg(path));
    QByteArray content;
    if (rec.type == attachtype::ByReference) {
        content = readAttachmentSource(rec.pathName);
    } else {
        content = m_item->attachmentContent(pos);
    }
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(content) != content.size() || !out.commit())
        throw PlatformError(errors::kPermissionDenied,
                            QStringLiteral("Die Datei %1 kann nicht geschrieben werden.").arg(path));
}

void Attachment::Delete()
{
    QList<AttachmentRecord> &atts = m_item->attachmentRecords();
    const int pos = position();
    m_item->markAttachmentRemoved(atts[pos].id);
    atts.removeAt(pos);
}

QByteArray Attachment::content() const
{
    const int pos = position();
    if (m_item->attachmentRecords()[pos].type == attachtype::ByReference)
        return {};
    return m_item->attachmentContent(pos);
}

void Attachment::setFileName(const QString &name)
{
    m_item->attachmentRecords()[position()].fileName = name;
    m_item->markDirty();
}

int Attachments::Count() const
{
    return int(m_item->attachmentRecords().size());
}

AttachmentPtr Attachments::Item(int index) const
{
    const QList<AttachmentRecord> &atts = m_item->attachmentRecords();
    if (index < 1 || index > atts.size())
        throw PlatformError(errors::kInvalidArgument,
                            QStringLiteral("Anlagenindex %1 außerhalb des gültigen Bereichs.").arg(index));
    return std::make_shared<Attachment>(m_item, atts[index - 1].serial);
}

AttachmentPtr Attachments::Add(const QString &source, int type, int, const QString &displayName)
{
    AttachmentRecord rec;
    const QFileInfo info(source);
    rec.fileName = info.fileName();
    rec.displayName = displayName.isEmpty() ? rec.fileName : displayName;
    if (type == attachtype::ByReference) {
        rec.type = attachtype::ByReference;
        rec.pathName = source;
    } else if (type == attachtype::ByValue || type == 0) {
        rec.type = attachtype::ByValue;
        rec.content = readAttachmentSource(source);
        rec.size = rec.content.size();
    } else {
        throw PlatformError(errors::kInvalidArgument,
                            QStringLiteral("Anlagentyp %1 wird nicht unterstützt.").arg(type));
    }
    rec.contentLoaded = true;
    QList<AttachmentRecord> &atts = m_item->attachmentRecords();
    int serial = 0;
    for (const AttachmentRecord &a : atts)
        serial = std::max(serial, a.serial);
    rec.serial = serial + 1;
    atts.append(rec);
    m_item->markDirty();
    return std::make_shared<Attachment>(m_item, rec.serial);
}

} // namespace kw::mailstore
