#include "ReadFailure.h"

#include <QFile>
#include <atomic>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {
std::atomic<bool> armed{false};
std::atomic<dev_t> device{0};
std::atomic<ino_t> inode{0};
std::atomic<qint64> left{0};
std::atomic<int> failed{0};
} // namespace

extern "C" ssize_t __real_read(int fd, void *buffer, size_t count);

// The linker's stand-in for read() in the code it was asked to wrap; only the armed file's
// reads are cut.
extern "C" ssize_t __wrap_read(int fd, void *buffer, size_t count)
{
    struct stat info;
    if (count > 0 && armed.load() && ::fstat(fd, &info) == 0 && info.st_dev == device.load() &&
        info.st_ino == inode.load()) {
        const qint64 room = left.load();
        if (room <= 0) {
            // Once: the reads after it find the file as it is.
            armed.store(false);
            failed.fetch_add(1);
            errno = EIO;
            return -1;
        }
        const ssize_t got = __real_read(fd, buffer, size_t(qMin<qint64>(qint64(count), room)));
        if (got > 0)
            left.fetch_sub(got);
        return got;
    }
    return __real_read(fd, buffer, count);
}

ReadFailure::ReadFailure(const QString &path, qint64 after)
{
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return;
    device.store(info.st_dev);
    inode.store(info.st_ino);
    left.store(after);
    failed.store(0);
    armed.store(true);
}

ReadFailure::~ReadFailure()
{
    armed.store(false);
}

int ReadFailure::failures() const
{
    return failed.load();
}
