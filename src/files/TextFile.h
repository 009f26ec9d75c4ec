#ifndef TEXTFILE_H
#define TEXTFILE_H

#include <QByteArray>
#include <QString>

// Whole-file reads and writes of the graph and problem files. A write replaces the old file
// only after every byte of the new one reached the disk; a read refuses files too large to be
// one of ours before it allocates anything.
class TextFile
{
public:
    // Generous next to any file of a 32-vertex graph or of a problem board.
    static constexpr qint64 MaxBytes = 16 * 1024 * 1024;

    // False, with the reason in why, when the file could not be written; the old file stays.
    static bool write(const QString &path, const QByteArray &bytes, QString *why);
    // The bytes of the file up to its first NUL. False, with the reason in why, when it cannot
    // be opened or is larger than MaxBytes (tooLarge then set).
    static bool read(const QString &path, QByteArray *bytes, QString *why, bool *tooLarge = nullptr);
};

#endif
