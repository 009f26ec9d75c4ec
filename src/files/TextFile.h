#ifndef TEXTFILE_H
#define TEXTFILE_H

#include <QByteArray>
#include <QString>
#include <sys/types.h>

class QFile;
class QFileDevice;
class QSaveFile;

// Whole-file reads and writes of the files the application saves. A write replaces the old file
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
    // be opened or read to its end, or is refused for what it is (refused then set): larger
    // than MaxBytes, or not a regular file (a pipe, a folder, a device), which is never opened.
    static bool read(const QString &path, QByteArray *bytes, QString *why, bool *refused = nullptr);
    // Opens the named file read-only without ever waiting for a pipe's writer. False, with the
    // reason in why, when it cannot be opened, or when `refusal` gives a reason not to read a
    // file of its kind (refused then set): asked before the open, which a refusal spares, and
    // again of the file opened, should the name have been given to another one meanwhile.
    static bool openRegular(QFile &file, QString (*refusal)(mode_t mode), QString *why, bool *refused = nullptr);

    // Reads up to `max` bytes of the open file at its position, straight from the system (Qt
    // takes a read that fails after some bytes for a short one): the count, 0 at the end, or
    // -1 with the system's reason in why.
    static qint64 readSome(QFileDevice &file, char *to, qint64 max, QString *why);

    // Writes the bytes into an open save file and flushes them to the disk; false, with the
    // system's reason in why, when any of them did not get there. The caller cancels or
    // commits.
    static bool writeAll(QSaveFile &file, const QByteArray &bytes, QString *why);
    // Where a save to a name writes: the file the system's own open of the name, to write and
    // create, reaches. The folder that holds it is kept open, so that the save's own open and
    // rename reach it whatever the folders above it allow or become.
    class Target
    {
    public:
        Target() = default;
        Target(Target &&other) noexcept;
        Target &operator=(Target &&other) noexcept;
        Target(const Target &) = delete;
        Target &operator=(const Target &) = delete;
        ~Target();

        bool isNull() const { return leaf.isEmpty(); }
        // The file through the real folders, for messages.
        QString name() const;
        // The name the save opens and renames on. On Linux it reaches the folder held open.
        QString openName() const;
        // A failure's reason, said with where the name led when a link led elsewhere.
        QString failure(const QString &reason) const;

    private:
        friend class TextFile;
        int folder = -1;
        QByteArray folderName;
        QByteArray leaf;
        QByteArray held;
        bool linked = false;
    };

    // The file a save to this name writes: links followed from the folders they really sit in,
    // where the system's own open would follow them, a link to nothing leading to the file it
    // would create. Null, with the system's reason in why, where that open would fail (a
    // missing folder on the way, a loop, a folder named, a permission missing, a link the
    // system's link protection does not follow), and with a reason saying what the file is when
    // it is not a regular one, which a save would replace. A reason given once links led to the
    // file says where. Every save file is opened on it.
    static Target resolved(const QString &path, QString *why = nullptr);
    // Where the system's link protection setting is read from (a test points it at a file of
    // its own); unreadable means on.
    static void setLinkProtectionSetting(const QString &file);
    // Writes the bytes over the resolved file, as write() does.
    static bool write(const Target &target, const QByteArray &bytes, QString *why);
    // Puts the written save file, opened on a resolved name, in place of the old one and
    // flushes the folder that holds it; false, with the system's reason in why, when either
    // failed.
    static bool commit(QSaveFile &file, QString *why);
    // The system's reason for the last failure on the file, given the errno that the failing
    // call left.
    static QString failure(const QFileDevice &file, int error);
    // A piece of a file's text for a message: quoted, on one line, at most 24 characters.
    static QString excerpt(const QString &text);
};

#endif
