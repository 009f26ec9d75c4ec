// Whole-file writes that never leave a truncated file behind, and reads bounded in size.
#include "ReadFailure.h"
#include "TestFiles.h"
#include "files/TextFile.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QScopeGuard>
#include <QtTest>
#include <cerrno>
#ifdef Q_OS_LINUX
#include <grp.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {
using testfiles::FileSizeLimit;
using testfiles::readAll;
using testfiles::writeAll;

// A sparse file of the given size: no disk space, no memory.
void makeSized(const QString &path, qint64 size)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QVERIFY(f.resize(size));
}
#ifdef Q_OS_LINUX
// Saves "new" under the name in a child process, which first enters the working folder (when
// one is given), then takes the folders' search permission away and, when the tests run as
// root, who may search any folder, goes on as an unprivileged user. The outcome and the reason
// come back through a pipe.
bool saveInChild(const QString &workingFolder, const QStringList &locked, const QString &name, QString *why)
{
    int out[2];
    if (::pipe(out) != 0)
        return false;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(out[0]);
        bool ready = workingFolder.isEmpty() || ::chdir(QFile::encodeName(workingFolder).constData()) == 0;
        for (const QString &f : locked)
            ready = ready && ::chmod(QFile::encodeName(f).constData(), 0444) == 0;
        if (ready && ::geteuid() == 0)
            ready = ::setgroups(0, nullptr) == 0 && ::setgid(65534) == 0 && ::setuid(65534) == 0;
        QString reason = ready ? QString() : "the child process could not be set up: " + qt_error_string(errno);
        const bool saved = ready && TextFile::write(name, "new", &reason);
        const QByteArray report = (saved ? "1" : "0") + reason.toUtf8();
        const bool sent = ::write(out[1], report.constData(), size_t(report.size())) == ssize_t(report.size());
        ::_exit(sent ? 0 : 1);
    }
    ::close(out[1]);
    QByteArray report;
    char piece[4096];
    for (ssize_t n; (n = ::read(out[0], piece, sizeof piece)) != 0;)
        if (n > 0)
            report.append(piece, int(n));
        else if (errno != EINTR)
            break;
    ::close(out[0]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    *why = QString::fromUtf8(report.mid(1));
    return report.startsWith('1');
}
#endif
} // namespace

class TestTextFile : public QObject
{
    Q_OBJECT

private slots:
    void writes_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("limited");
        QTest::addColumn<bool>("written");
        QTest::newRow("small file") << 10 << false << true;
        QTest::newRow("empty file") << 0 << false << true;
        QTest::newRow("large file") << 100000 << false << true;
        // What a full disk looks like to a small write: everything sits in Qt's buffer
        // until the last flush, which then writes only the first 64 bytes.
        QTest::newRow("within the size limit") << 60 << true << true;
        QTest::newRow("beyond the size limit") << 200 << true << false;
        QTest::newRow("far beyond the size limit") << 100000 << true << false;
    }
    void writes()
    {
        QFETCH(int, size);
        QFETCH(bool, limited);
        QFETCH(bool, written);
        QTemporaryDir dir;
        const QString path = dir.filePath("f.txt");
        writeAll(path, "old contents");
        const QByteArray text(size, 'n');
        QString why;
        bool ok = false;
        if (limited) {
            FileSizeLimit limit(64);
            ok = TextFile::write(path, text, &why);
        } else {
            ok = TextFile::write(path, text, &why);
        }
        QCOMPARE(ok, written);
        QCOMPARE(readAll(path), written ? text : QByteArray("old contents"));
        QCOMPARE(why.isEmpty(), written);
        // The system's own reason, not Qt's "Unknown error".
        if (!written)
            QCOMPARE(why, qt_error_string(EFBIG));
        // No temporary file is left beside it.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"f.txt"});
    }

    void writeIntoMissingFolder()
    {
        QTemporaryDir dir;
        QString why;
        QVERIFY(!TextFile::write(dir.filePath("absent/f.txt"), "x", &why));
        QVERIFY(!why.isEmpty());
    }

#ifdef Q_OS_LINUX
    // A save through a symbolic link replaces the link's target, so the folder flushed after the
    // rename is the target's. Flushing opens the folder itself, which inotify reports.
    void flushesTheFolderOfTheLinkTarget()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("d") && QDir(dir.path()).mkdir("real"));
        writeAll(dir.filePath("real/target.txt"), "old contents");
        QVERIFY(QFile::link("../real/target.txt", dir.filePath("d/link.txt")));
        const int events = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        QVERIFY(events >= 0);
        const int linkFolder = inotify_add_watch(events, QFile::encodeName(dir.filePath("d")).constData(), IN_OPEN);
        const int targetFolder =
            inotify_add_watch(events, QFile::encodeName(dir.filePath("real")).constData(), IN_OPEN);
        QString why;
        QVERIFY2(TextFile::write(dir.filePath("d/link.txt"), "new contents", &why), qPrintable(why));
        QMap<int, int> folderOpened;
        alignas(inotify_event) char buffer[4096];
        for (ssize_t n; (n = ::read(events, buffer, sizeof buffer)) > 0;)
            for (char *p = buffer; p < buffer + n;) {
                const auto *e = reinterpret_cast<const inotify_event *>(p);
                if (e->len == 0 && (e->mask & IN_ISDIR))
                    ++folderOpened[e->wd];
                p += sizeof(inotify_event) + e->len;
            }
        ::close(events);
        QCOMPARE(folderOpened.value(linkFolder), 0);
        QCOMPARE(folderOpened.value(targetFolder), 1);
        QCOMPARE(readAll(dir.filePath("real/target.txt")), QByteArray("new contents"));
        QVERIFY(QFileInfo(dir.filePath("d/link.txt")).isSymLink());
    }

    // A save writes the file that the system's own open of the name, for writing and creating,
    // reaches: each link's text is read from the folder the link really sits in, with its ".."
    // taken there, and a link to nothing leads to the new file's place. Where that open fails,
    // the save fails with the system's reason, and a file that is not a regular one, which a
    // save would replace, is refused by name. Either way no other file changes.
    void writesTheFileTheNameLeadsTo_data()
    {
        QTest::addColumn<QStringList>("folders");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("links");
        // "name kind" pairs, made after the links: "pipe", "null device", "sticky" for a
        // folder anyone may write where only an entry's owner may remove it (as /tmp),
        // "another user's" for an entry owned by an unprivileged user, "no search" for a
        // folder whose search permission is taken away, "working folder" for the folder the
        // save starts from, with the name taken relative to it (open to all: the save then
        // runs as another user when the tests run as root).
        QTest::addColumn<QStringList>("special");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("written");
        // The reason, with %1 for the test's folder.
        QTest::addColumn<QString>("reason");
        // links: "name -> text" pairs, made in order.
        QTest::newRow("link in a linked folder")
            << QStringList{"deep/sub", "deep/real", "real"} << QStringList{"real/t.txt", "deep/real/t.txt"}
            << QStringList{"d", "deep/sub", "deep/sub/l", "../real/t.txt"} << QStringList{} << "d/l"
            << "deep/real/t.txt" << QString();
        QTest::newRow("dangling, \"..\" after a linked folder")
            << QStringList{"deep/sub"} << QStringList{"t.txt"} << QStringList{"sub2", "deep/sub", "viadot", "sub2/../t.txt"}
            << QStringList{} << "viadot" << "deep/t.txt" << QString();
        QTest::newRow("dangling in a linked folder")
            << QStringList{"deep/sub", "deep/real", "real"} << QStringList{}
            << QStringList{"d", "deep/sub", "deep/sub/l", "../real/new.txt"} << QStringList{} << "d/l"
            << "deep/real/new.txt" << QString();
        QTest::newRow("dangling into a folder only the link's folder has")
            << QStringList{"deep/sub", "deep/only"} << QStringList{}
            << QStringList{"d", "deep/sub", "deep/sub/dh", "../only/new"} << QStringList{} << "d/dh" << "deep/only/new"
            << QString();
        QTest::newRow("loop") << QStringList{} << QStringList{} << QStringList{"l0", "loopb", "loopb", "l0"}
                              << QStringList{} << "l0" << QString() << qt_error_string(ELOOP);
        QTest::newRow("missing folder on the way") << QStringList{} << QStringList{} << QStringList{"m", "absent/x"}
                                                   << QStringList{} << "m" << QString() << qt_error_string(ENOENT);
        QTest::newRow("pipe") << QStringList{} << QStringList{} << QStringList{} << QStringList{"fifo", "pipe"}
                              << "fifo" << QString()
                              << "it is a pipe, not a regular file: it was left as it is, and nothing was saved.";
        QTest::newRow("link to a device") << QStringList{} << QStringList{} << QStringList{"lnul", "nul"}
                                          << QStringList{"nul", "null device"} << "lnul" << QString()
                                          << "it leads to %1/nul, which is a character device, not a regular "
                                             "file: it was left as it is, and nothing was saved.";
        // Relative, so that no folder above the test's is searched on the way to the "..".
        QTest::newRow("\"..\" out of a folder without search permission")
            << QStringList{"w/d/s"} << QStringList{} << QStringList{}
            << QStringList{"w", "working folder", "w/d/s", "no search"} << "d/s/../new" << QString()
            << qt_error_string(EACCES);
        // The system's link protection, on: another user's link in a sticky folder anyone may
        // write is not followed, so a planted link cannot make a save replace the user's file.
        QTest::newRow("another user's link in a sticky folder")
            << QStringList{"home", "pub"} << QStringList{"home/rc"} << QStringList{"pub/report.txt", "../home/rc"}
            << QStringList{"pub", "sticky", "pub/report.txt", "another user's"} << "pub/report.txt" << QString()
            << qt_error_string(EACCES);
        QTest::newRow("relative name below a folder without search permission")
            << QStringList{"L/w"} << QStringList{} << QStringList{}
            << QStringList{"L/w", "working folder", "L", "no search"} << "new" << "L/w/new" << QString();
    }
    void writesTheFileTheNameLeadsTo()
    {
        QFETCH(QStringList, folders);
        QFETCH(QStringList, files);
        QFETCH(QStringList, links);
        QFETCH(QStringList, special);
        QFETCH(QString, name);
        QFETCH(QString, written);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        // The protection on, whatever this machine's setting.
        QTemporaryFile setting;
        QVERIFY(setting.open() && setting.write("1\n") == 2 && setting.flush());
        TextFile::setLinkProtectionSetting(setting.fileName());
        const auto usual = qScopeGuard([] { TextFile::setLinkProtectionSetting("/proc/sys/fs/protected_symlinks"); });
        for (const QString &f : folders)
            QVERIFY(QDir(dir.path()).mkpath(f));
        for (const QString &f : files)
            writeAll(dir.filePath(f), f.toUtf8());
        for (int i = 0; i + 1 < links.size(); i += 2)
            QVERIFY(QFile::link(links[i + 1], dir.filePath(links[i])));
        QStringList locked;
        // The folders' search permission comes back before the test's folder goes.
        const auto unlock = qScopeGuard([&] {
            for (const QString &f : locked)
                ::chmod(QFile::encodeName(f).constData(), 0755);
        });
        QString workingFolder;
        for (int i = 0; i + 1 < special.size(); i += 2) {
            const QByteArray path = QFile::encodeName(dir.filePath(special[i]));
            if (special[i + 1] == "pipe") {
                QCOMPARE(::mkfifo(path.constData(), 0644), 0);
            } else if (special[i + 1] == "null device") {
                if (::mknod(path.constData(), S_IFCHR | 0666, makedev(1, 3)) != 0)
                    QSKIP("Making a device node takes root's privilege.");
            } else if (special[i + 1] == "sticky") {
                QCOMPARE(::chmod(path.constData(), 01777), 0);
            } else if (special[i + 1] == "another user's") {
                if (::geteuid() != 0 || ::lchown(path.constData(), 65534, 65534) != 0)
                    QSKIP("Giving a file to another user takes root's privilege.");
            } else if (special[i + 1] == "working folder") {
                QCOMPARE(::chmod(path.constData(), 0777), 0);
                workingFolder = dir.filePath(special[i]);
            } else {
                // Taken away in the child that saves.
                locked << dir.filePath(special[i]);
            }
        }
        // A child that saves as another user passes through the test's folder, and owns the
        // tree as the tests' own user does when no privilege is dropped: only the permissions
        // a row takes away may stop its save.
        const bool inChild = !locked.isEmpty() || !workingFolder.isEmpty();
        if (inChild) {
            QCOMPARE(::chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);
            QDirIterator entries(dir.path(), QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot,
                                 QDirIterator::Subdirectories);
            while (::geteuid() == 0 && entries.hasNext())
                QCOMPARE(::lchown(QFile::encodeName(entries.next()).constData(), 65534, 65534), 0);
        }
        // Every entry of the tree with its contents, its kind or where it links to.
        const auto tree = [&dir] {
            QMap<QString, QString> entries;
            QDirIterator it(dir.path(), QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot,
                            QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QString path = it.next();
                struct stat info;
                QString entry;
                if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
                    entry = "unreadable";
                else if (S_ISLNK(info.st_mode))
                    entry = "-> " + QFileInfo(path).symLinkTarget();
                else if (S_ISDIR(info.st_mode))
                    entry = QString("folder %1").arg(info.st_mode & 07777, 0, 8);
                else if (S_ISFIFO(info.st_mode))
                    entry = "pipe";
                else if (S_ISCHR(info.st_mode))
                    entry = QString("character device %1,%2").arg(major(info.st_rdev)).arg(minor(info.st_rdev));
                else
                    entry = QString::fromUtf8(readAll(path));
                entries[QDir(dir.path()).relativeFilePath(path)] = entry;
            }
            return entries;
        };
        const auto lines = [](const QMap<QString, QString> &entries) {
            QStringList all;
            for (auto e = entries.begin(); e != entries.end(); ++e)
                all << e.key() + ": " + e.value();
            return all;
        };
        auto expected = tree();
        if (!written.isEmpty())
            expected[written] = "new";
        QString why;
        const QString given = workingFolder.isEmpty() ? dir.filePath(name) : name;
        const bool saved = inChild ? saveInChild(workingFolder, locked, given, &why)
                                   : TextFile::write(given, "new", &why);
        for (const QString &f : locked)
            QCOMPARE(::chmod(QFile::encodeName(f).constData(), 0755), 0);
        QCOMPARE(saved, !written.isEmpty());
        QCOMPARE(why, reason.contains("%1") ? reason.arg(dir.path()) : reason);
        QCOMPARE(lines(tree()), lines(expected));
        if (!written.isEmpty())
            QCOMPARE(readAll(QDir(workingFolder.isEmpty() ? dir.path() : workingFolder).filePath(name)),
                     QByteArray("new"));
    }
#endif

    void reads_data()
    {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("empty") << qint64(0) << true;
        QTest::newRow("exactly the bound") << TextFile::MaxBytes << true;
        QTest::newRow("one byte more") << TextFile::MaxBytes + 1 << false;
        QTest::newRow("64 MiB") << qint64(64) * 1024 * 1024 << false;
    }
    void reads()
    {
        QFETCH(qint64, size);
        QFETCH(bool, accepted);
        QTemporaryDir dir;
        const QString path = dir.filePath("big");
        makeSized(path, size);
        QByteArray bytes("untouched");
        QString why;
        bool tooLarge = true;
        QCOMPARE(TextFile::read(path, &bytes, &why, &tooLarge), accepted);
        QCOMPARE(tooLarge, !accepted);
        if (accepted) {
            // A sparse file reads as NULs, and reading stops at the first one.
            QCOMPARE(bytes, QByteArray());
        } else {
            QCOMPARE(why, QString("the file is larger than 16 MiB"));
        }
    }

    void readStopsAtNul()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("nul");
        writeAll(path, QByteArray("3 101\0junk", 10));
        QByteArray bytes;
        QString why;
        QVERIFY(TextFile::read(path, &bytes, &why));
        QCOMPARE(bytes, QByteArray("3 101"));
    }

    void readMissingFile()
    {
        QTemporaryDir dir;
        QByteArray bytes;
        QString why;
        bool tooLarge = true;
        QVERIFY(!TextFile::read(dir.filePath("absent"), &bytes, &why, &tooLarge));
        QVERIFY(!tooLarge);
        QVERIFY(!why.isEmpty());
    }

#ifdef Q_OS_LINUX
    // A read that fails is no end of file, whether it fails at once (a regular file to stat
    // whose first read fails, nothing being mapped at address 0) or after part of the file.
    void readThatFails()
    {
        QByteArray bytes;
        QString why;
        bool refused = true;
        QVERIFY(!TextFile::read("/proc/self/mem", &bytes, &why, &refused));
        QVERIFY(!refused);
        QCOMPARE(why, qt_error_string(EIO));

        QTemporaryDir dir;
        const QString path = dir.filePath("part");
        writeAll(path, QByteArray(200000, 'x'));
        bytes = "untouched";
        why.clear();
        refused = true;
        ReadFailure failing(path, 150000);
        QVERIFY(!TextFile::read(path, &bytes, &why, &refused));
        QVERIFY(failing.failures() > 0);
        QVERIFY(!refused);
        QCOMPARE(why, qt_error_string(EIO));
        QCOMPARE(bytes, QByteArray());
    }
#endif
};

QTEST_APPLESS_MAIN(TestTextFile)
#include "tst_textfile.moc"
