#include "files/TextFile.h"

#include <QFile>
#include <QSaveFile>
#include <cerrno>

#ifdef Q_OS_UNIX
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

#ifdef Q_OS_UNIX
// Why a file of this kind is not read, or nothing for a regular file.
QString notRegular(mode_t mode)
{
    if (S_ISREG(mode))
        return QString();
    const char *kind = S_ISFIFO(mode)  ? "a pipe"
                       : S_ISDIR(mode)  ? "a folder"
                       : S_ISCHR(mode)  ? "a character device"
                       : S_ISBLK(mode)  ? "a block device"
                       : S_ISSOCK(mode) ? "a socket"
                                        : "something other";
    return QString("it is %1, not a regular file: nothing was read from it.").arg(kind);
}

// The folder part of a name as written, for the system to resolve: QFileInfo would take its
// ".." as text.
QString folderOf(const QString &path)
{
    const int slash = path.lastIndexOf('/');
    return slash < 0 ? QStringLiteral(".") : slash == 0 ? QStringLiteral("/") : path.left(slash);
}

// That folder with its links and ".." resolved by the system; empty when it does not exist.
QString canonicalFolder(const QString &path)
{
    char *real = ::realpath(QFile::encodeName(folderOf(path)).constData(), nullptr);
    if (!real)
        return QString();
    const QString folder = QFile::decodeName(real);
    ::free(real);
    return folder;
}
#endif

} // namespace

QString TextFile::resolved(const QString &path)
{
#ifdef Q_OS_UNIX
    QString name = path;
    // As many links as the system follows in one name.
    for (int links = 0; links <= 40; ++links) {
        const QString leaf = name.mid(name.lastIndexOf('/') + 1);
        const QString folder = canonicalFolder(name);
        if (leaf.isEmpty() || leaf == "." || leaf == ".." || folder.isEmpty())
            return path;
        name = (folder == "/" ? QString() : folder) + '/' + leaf;
        const QByteArray native = QFile::encodeName(name);
        struct stat info;
        // A name that is no link yet is a new file; a link to nothing dangles.
        if (::lstat(native.constData(), &info) != 0)
            return links == 0 ? name : path;
        if (!S_ISLNK(info.st_mode))
            return name;
        char target[PATH_MAX];
        const ssize_t size = ::readlink(native.constData(), target, sizeof target);
        if (size <= 0 || size >= ssize_t(sizeof target))
            return path;
        const QString to = QFile::decodeName(QByteArray(target, int(size)));
        name = to.startsWith('/') ? to : folder + '/' + to;
    }
#endif
    return path;
}

bool TextFile::write(const QString &path, const QByteArray &bytes, QString *why)
{
    QSaveFile file(resolved(path));
    if (!file.open(QIODevice::WriteOnly)) {
        *why = file.errorString();
        return false;
    }
    if (!writeAll(file, bytes, why)) {
        file.cancelWriting();
        return false;
    }
    return commit(file, why);
}

bool TextFile::commit(QSaveFile &file, QString *why)
{
    errno = 0;
    if (!file.commit()) {
        *why = failure(file, errno);
        return false;
    }
#ifdef Q_OS_UNIX
    // The file's bytes reached the disk before the rename; the rename itself lives in the
    // folder, which a crash could otherwise roll back to the old file, or to none.
    const int folder = ::open(QFile::encodeName(folderOf(resolved(file.fileName()))).constData(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    // A folder that may be written but not read cannot be flushed from here.
    if (folder < 0)
        return true;
    const int flushed = ::fsync(folder);
    const int error = errno;
    ::close(folder);
    // EINVAL: a file system that keeps no folder to flush.
    if (flushed != 0 && error != EINVAL) {
        *why = "the file was saved, but its folder could not be flushed to the disk: " + qt_error_string(error);
        return false;
    }
#endif
    return true;
}

bool TextFile::writeAll(QSaveFile &file, const QByteArray &bytes, QString *why)
{
    // Qt 5's commit() ignores a failure of its own last flush (a full disk, a file size limit),
    // so the buffered bytes are flushed and checked here first.
    errno = 0;
    if (file.write(bytes) == bytes.size() && file.flush() && file.error() == QFileDevice::NoError)
        return true;
    *why = failure(file, errno);
    return false;
}

QString TextFile::failure(const QFileDevice &file, int error)
{
    // After a short write or a failed flush Qt 5 says "Unknown error", while the C library's
    // errno still holds the system's reason ("File too large", "No space left on device").
    static const QString unknown = QFile().errorString();
    if (file.error() != QFileDevice::NoError && file.errorString() != unknown)
        return file.errorString();
    if (error != 0)
        return qt_error_string(error);
    return QStringLiteral("the file was not written completely");
}

QString TextFile::excerpt(const QString &text)
{
    constexpr int Shown = 24;
    QString s = text.left(Shown);
    for (QChar &c : s)
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char(' ');
    return '"' + s + (text.size() > Shown ? QStringLiteral("...\"") : QStringLiteral("\""));
}

bool TextFile::read(const QString &path, QByteArray *bytes, QString *why, bool *refused)
{
    if (refused)
        *refused = false;
    const auto refuse = [&](const QString &reason) {
        *why = reason;
        if (refused)
            *refused = true;
        return false;
    };
    const QString tooLarge = QString("the file is larger than %1 MiB").arg(MaxBytes / (1024 * 1024));
    QFile file(path);
    if (!openRegular(file, notRegular, why, refused))
        return false;
    if (file.size() > MaxBytes)
        return refuse(tooLarge);
    // Read until a read gives nothing: QFile takes a read that fails after some bytes for a
    // short one, and only the next read reports the failure. Reading stops at MaxBytes + 1
    // whatever the file claims, so a file that grows is refused too.
    bytes->clear();
    char piece[64 * 1024];
    qint64 n;
    while ((n = file.read(piece, qMin(qint64(sizeof piece), MaxBytes + 1 - bytes->size()))) > 0)
        bytes->append(piece, int(n));
    if (n < 0) {
        bytes->clear();
        *why = file.errorString();
        return false;
    }
    if (bytes->size() > MaxBytes) {
        bytes->clear();
        return refuse(tooLarge);
    }
    const int nul = bytes->indexOf('\0');
    if (nul >= 0)
        bytes->truncate(nul);
    return true;
}

bool TextFile::openRegular(QFile &file, QString (*refusal)(mode_t), QString *why, bool *refused)
{
    if (refused)
        *refused = false;
#ifdef Q_OS_UNIX
    // Looked at before it is opened: opening a pipe waits for a writer, which may never come.
    // Opened without waiting all the same, and looked at again, should the name have been
    // given to a pipe meanwhile.
    if (!file.fileName().isEmpty()) {
        const QByteArray name = QFile::encodeName(file.fileName());
        struct stat info;
        QString kind;
        int fd = -1;
        if (::stat(name.constData(), &info) == 0)
            kind = refusal(info.st_mode);
        if (kind.isEmpty()) {
            fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd < 0) {
                *why = qt_error_string(errno);
                return false;
            }
            if (::fstat(fd, &info) == 0)
                kind = refusal(info.st_mode);
        }
        if (!kind.isEmpty()) {
            if (fd >= 0)
                ::close(fd);
            *why = kind;
            if (refused)
                *refused = true;
            return false;
        }
        if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
            ::close(fd);
            *why = file.errorString();
            return false;
        }
        return true;
    }
#endif
    if (!file.open(QIODevice::ReadOnly)) {
        *why = file.errorString();
        return false;
    }
    return true;
}
