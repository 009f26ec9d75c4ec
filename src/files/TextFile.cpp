#include "files/TextFile.h"

#include <QFile>
#include <QSaveFile>

bool TextFile::write(const QString &path, const QByteArray &bytes, QString *why)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *why = file.errorString();
        return false;
    }
    // Qt 5's commit() ignores a failure of its own last flush (a full disk, a file size limit),
    // so the buffered bytes are flushed and checked here first.
    if (file.write(bytes) != bytes.size() || !file.flush() || file.error() != QFileDevice::NoError) {
        *why = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        *why = file.errorString();
        return false;
    }
    return true;
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
