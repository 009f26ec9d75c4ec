#include "files/TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

bool TextFile::write(const QString &path, const QByteArray &bytes, QString *why)
{
    QSaveFile file(path);
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
    const int folder = ::open(QFile::encodeName(QFileInfo(file.fileName()).absolutePath()).constData(),
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

bool TextFile::read(const QString &path, QByteArray *bytes, QString *why, bool *tooLarge)
{
    if (tooLarge)
        *tooLarge = false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *why = file.errorString();
        return false;
    }
    if (file.size() > MaxBytes) {
        *why = QString("the file is larger than %1 MiB").arg(MaxBytes / (1024 * 1024));
        if (tooLarge)
            *tooLarge = true;
        return false;
    }
    // read() stops at MaxBytes + 1 whatever the file claims, so a file that grows is refused too.
    *bytes = file.read(MaxBytes + 1);
    if (bytes->size() > MaxBytes) {
        bytes->clear();
        *why = QString("the file is larger than %1 MiB").arg(MaxBytes / (1024 * 1024));
        if (tooLarge)
            *tooLarge = true;
        return false;
    }
    const int nul = bytes->indexOf('\0');
    if (nul >= 0)
        bytes->truncate(nul);
    return true;
}
