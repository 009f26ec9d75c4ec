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
// What a file that is not a regular one is, for a message.
const char *kindOf(mode_t mode)
{
    return S_ISFIFO(mode)   ? "a pipe"
           : S_ISDIR(mode)  ? "a folder"
           : S_ISCHR(mode)  ? "a character device"
           : S_ISBLK(mode)  ? "a block device"
           : S_ISSOCK(mode) ? "a socket"
                            : "something other";
}

// Why a file of this kind is not read, or nothing for a regular file.
QString notRegular(mode_t mode)
{
    if (S_ISREG(mode))
        return QString();
    return QString("it is %1, not a regular file: nothing was read from it.").arg(kindOf(mode));
}

// The folder part of a resolved name.
QString folderOf(const QString &path)
{
    const int slash = path.lastIndexOf('/');
    return slash < 0 ? QStringLiteral(".") : slash == 0 ? QStringLiteral("/") : path.left(slash);
}

#endif

#ifdef Q_OS_LINUX
// The folder a walk stands in after "..": each folder walked is real, no link, so its parent
// is its name without the last component.
QByteArray parentOf(const QByteArray &folder)
{
    const int slash = folder.lastIndexOf('/');
    return slash <= 0 ? QByteArrayLiteral("/") : folder.left(slash);
}

// The folder a walk stands in: a handle on it, and its name.
struct Folder
{
    int fd = -1;
    QByteArray name;
    Folder() = default;
    Folder(const Folder &) = delete;
    Folder &operator=(const Folder &) = delete;
    ~Folder() { release(); }
    void release()
    {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
    void take(int handle, const QByteArray &folder)
    {
        release();
        fd = handle;
        name = folder;
    }
    int give()
    {
        const int handle = fd;
        fd = -1;
        return handle;
    }
    // The name of an entry of this folder.
    QByteArray entry(const QByteArray &part) const { return (name == "/" ? QByteArray() : name) + '/' + part; }
};

QByteArray linkProtectionSetting = "/proc/sys/fs/protected_symlinks";

// Whether the system follows a link only for its owner, or for the owner of the folder it sits
// in, when that folder is sticky and anyone may write it (as /tmp). Read at each save, as the
// system reads it at each open; a setting that cannot be read is taken as on, the safe side.
bool linksProtected()
{
    const int fd = ::open(linkProtectionSetting.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return true;
    char text[16];
    ssize_t got;
    do
        got = ::read(fd, text, sizeof text);
    while (got < 0 && errno == EINTR);
    ::close(fd);
    int i = 0;
    while (i < got && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    return !(i < got && text[i] == '0' && (i + 1 == got || text[i + 1] == '\n'));
}

// The protection's rule: such a link is not followed by another user.
bool followRefused(const struct stat &link, const struct stat &folder)
{
    return (folder.st_mode & (S_ISVTX | S_IWOTH)) == (S_ISVTX | S_IWOTH) && link.st_uid != ::geteuid() &&
           link.st_uid != folder.st_uid;
}

// A name that reaches the folder behind the handle straight, as the system's own lookups from
// the handle do: no folder above it is searched. Empty where the system offers none.
QByteArray heldName(int fd)
{
    const QByteArray name = "/proc/self/fd/" + QByteArray::number(fd);
    struct stat held, reached;
    if (::fstat(fd, &held) != 0 || ::stat(name.constData(), &reached) != 0 || held.st_dev != reached.st_dev ||
        held.st_ino != reached.st_ino)
        return QByteArray();
    return name;
}
#endif

} // namespace

TextFile::Target::Target(Target &&other) noexcept
    : folder(other.folder), folderName(std::move(other.folderName)), leaf(std::move(other.leaf)),
      held(std::move(other.held)), linked(other.linked)
{
    other.folder = -1;
    other.leaf.clear();
}

TextFile::Target &TextFile::Target::operator=(Target &&other) noexcept
{
    if (this != &other) {
#ifdef Q_OS_UNIX
        if (folder >= 0)
            ::close(folder);
#endif
        folder = other.folder;
        folderName = std::move(other.folderName);
        leaf = std::move(other.leaf);
        held = std::move(other.held);
        linked = other.linked;
        other.folder = -1;
        other.leaf.clear();
    }
    return *this;
}

TextFile::Target::~Target()
{
#ifdef Q_OS_UNIX
    if (folder >= 0)
        ::close(folder);
#endif
}

QString TextFile::Target::name() const
{
    if (folderName.isEmpty())
        return QFile::decodeName(leaf);
    return QFile::decodeName((folderName == "/" ? QByteArray() : folderName) + '/' + leaf);
}

QString TextFile::Target::openName() const
{
    if (held.isEmpty())
        return name();
    return QFile::decodeName(held + '/' + leaf);
}

QString TextFile::Target::failure(const QString &reason) const
{
    return linked ? "it leads to " + name() + ": " + reason : reason;
}

void TextFile::setLinkProtectionSetting(const QString &file)
{
#ifdef Q_OS_LINUX
    linkProtectionSetting = QFile::encodeName(file);
#else
    Q_UNUSED(file);
#endif
}

TextFile::Target TextFile::resolved(const QString &path, QString *why)
{
    Target target;
#ifdef Q_OS_LINUX
    int links = 0;
    QByteArray reached;
    const auto fail = [&](int error) {
        if (why) {
            *why = qt_error_string(error);
            // Where the links led is said once it is known: at the file itself.
            if (links > 0 && !reached.isEmpty())
                *why = "it leads to " + QFile::decodeName(reached) + ": " + *why;
        }
        return Target();
    };
    const QByteArray native = QFile::encodeName(path);
    if (native.isEmpty())
        return fail(ENOENT);
    // The name is walked one component at a time, as the system walks it when it opens the
    // name to write and create, and each step is the system's own lookup from a handle on the
    // folder the walk stands in, so it checks what that open checks on the way: search
    // permission on every folder, the one a ".." leaves included, and the link protection. A
    // relative name starts from the working folder's own handle, which needs nothing of the
    // folders above it. A link's text takes the link's place in what is left to walk, from the
    // folder the link really sits in, and a last name that does not exist, even as a link's
    // target, is the file to create.
    Folder at;
    if (native.startsWith('/')) {
        const int root = ::open("/", O_PATH | O_DIRECTORY | O_CLOEXEC);
        if (root < 0)
            return fail(errno);
        at.take(root, "/");
    } else {
        const int here = ::open(".", O_PATH | O_DIRECTORY | O_CLOEXEC);
        if (here < 0)
            return fail(errno);
        char *cwd = ::getcwd(nullptr, 0);
        if (!cwd) {
            const int error = errno;
            ::close(here);
            return fail(error);
        }
        at.take(here, cwd);
        ::free(cwd);
    }
    // Search permission on the folder the walk stands in, which the system asks before it
    // looks up any name there, the last one included.
    const auto searchable = [&at] { return ::faccessat(at.fd, ".", X_OK, 0) == 0 ? 0 : errno; };
    const bool guarded = linksProtected();
    QList<QByteArray> rest;
    const auto walkFirst = [&rest](const QByteArray &text) {
        QList<QByteArray> parts = text.split('/');
        parts.removeAll(QByteArray());
        rest = parts + rest;
    };
    walkFirst(native);
    bool folderNamed = native.endsWith('/');
    const auto found = [&](const QByteArray &part) {
        target.folder = at.give();
        target.folderName = at.name;
        target.leaf = part;
        target.linked = links > 0;
        target.held = heldName(target.folder);
        return std::move(target);
    };
    while (!rest.isEmpty()) {
        const QByteArray part = rest.takeFirst();
        const bool last = rest.isEmpty();
        // A last name ending in "/" names a folder, which no file is saved as.
        if (last && (folderNamed || part == "." || part == "..")) {
            const int error = searchable();
            return fail(error ? error : EISDIR);
        }
        if (part == "." || part == "..") {
            const int folder = ::openat(at.fd, part.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
            if (folder < 0)
                return fail(errno);
            at.take(folder, part == ".." ? parentOf(at.name) : at.name);
            continue;
        }
        const QByteArray name = at.entry(part);
        if (last)
            reached = name;
        const int entry = ::openat(at.fd, part.constData(), O_PATH | O_NOFOLLOW | O_CLOEXEC);
        if (entry < 0) {
            const int error = errno;
            if (error != ENOENT || !last)
                return fail(error);
            // A new file, which the system creates only in a folder it may write.
            if (::faccessat(at.fd, ".", W_OK | X_OK, 0) != 0)
                return fail(errno);
            return found(part);
        }
        struct stat info;
        if (::fstat(entry, &info) != 0) {
            const int error = errno;
            ::close(entry);
            return fail(error);
        }
        if (S_ISLNK(info.st_mode)) {
            reached.clear();
            if (++links > 40) {
                ::close(entry);
                return fail(ELOOP);
            }
            // The protection holds for the link the name ends on (or the text of such a link
            // ends on), as the system's: links to folders on the way are followed.
            struct stat folder;
            if (guarded && last && (::fstat(at.fd, &folder) != 0 || followRefused(info, folder))) {
                ::close(entry);
                return fail(EACCES);
            }
            char text[PATH_MAX];
            const ssize_t size = ::readlinkat(entry, "", text, sizeof text);
            const int error = errno;
            ::close(entry);
            if (size < 0)
                return fail(error);
            if (size == 0 || size >= ssize_t(sizeof text))
                return fail(size == 0 ? ENOENT : ENAMETOOLONG);
            const QByteArray linkText(text, int(size));
            if (linkText.startsWith('/')) {
                const int root = ::open("/", O_PATH | O_DIRECTORY | O_CLOEXEC);
                if (root < 0)
                    return fail(errno);
                at.take(root, "/");
            }
            if (last && linkText.endsWith('/'))
                folderNamed = true;
            walkFirst(linkText);
            continue;
        }
        if (S_ISDIR(info.st_mode) && !last) {
            at.take(entry, name);
            continue;
        }
        ::close(entry);
        if (S_ISDIR(info.st_mode))
            return fail(EISDIR);
        if (!last)
            return fail(ENOTDIR);
        // A save puts a new file in place of the old one: what is not a regular file is never
        // replaced, as no such file is ever read.
        if (!S_ISREG(info.st_mode)) {
            if (why)
                *why = QString("%1 %2, not a regular file: it was left as it is, and nothing was saved.")
                           .arg(links > 0 ? "it leads to " + QFile::decodeName(name) + ", which is" : "it is",
                                kindOf(info.st_mode));
            return Target();
        }
        if (::faccessat(at.fd, part.constData(), W_OK, 0) != 0)
            return fail(errno);
        return found(part);
    }
    // Nothing but folders: "/", or a link to one.
    return fail(EISDIR);
#else
    if (path.isEmpty()) {
        if (why)
            *why = QFile().errorString();
        return target;
    }
    target.leaf = QFile::encodeName(path);
    return target;
#endif
}

bool TextFile::write(const QString &path, const QByteArray &bytes, QString *why)
{
    const Target target = resolved(path, why);
    if (target.isNull())
        return false;
    return write(target, bytes, why);
}

bool TextFile::write(const Target &target, const QByteArray &bytes, QString *why)
{
    QSaveFile file(target.openName());
    QString reason;
    if (!file.open(QIODevice::WriteOnly)) {
        *why = target.failure(file.errorString());
        return false;
    }
    if (!writeAll(file, bytes, &reason)) {
        file.cancelWriting();
        *why = target.failure(reason);
        return false;
    }
    if (!commit(file, &reason)) {
        *why = target.failure(reason);
        return false;
    }
    return true;
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
    const int folder = ::open(QFile::encodeName(folderOf(file.fileName())).constData(),
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
    // Read until a read gives nothing; one that fails is no end of the file. Reading stops at
    // MaxBytes + 1 whatever the file claims, so a file that grows is refused too.
    bytes->clear();
    char piece[64 * 1024];
    qint64 n;
    while ((n = readSome(file, piece, qMin(qint64(sizeof piece), MaxBytes + 1 - bytes->size()), why)) > 0)
        bytes->append(piece, int(n));
    if (n < 0) {
        bytes->clear();
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

qint64 TextFile::readSome(QFileDevice &file, char *to, qint64 max, QString *why)
{
#ifdef Q_OS_UNIX
    ssize_t got;
    do
        got = ::read(file.handle(), to, size_t(max));
    while (got < 0 && errno == EINTR);
    if (got < 0 && why)
        *why = qt_error_string(errno);
    return got;
#else
    const qint64 got = file.read(to, max);
    if (got < 0 && why)
        *why = file.errorString();
    return got;
#endif
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
