#ifndef TESTFILES_H
#define TESTFILES_H

#include <QByteArray>
#include <QString>

#include <csignal>
#include <sys/resource.h>

namespace testfiles {

// The bytes of a file, "<missing>" when it cannot be opened.
QByteArray readAll(const QString &path);
// Writes the bytes as the whole file (a test failure when it cannot be opened).
void writeAll(const QString &path, const QByteArray &bytes);

// While it lives, no file of this process grows beyond the limit and a write beyond it fails
// instead of raising SIGXFSZ: what a full disk looks like to a small write.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit old;
    void (*previous)(int);
};

} // namespace testfiles

#endif
