#ifndef READFAILURE_H
#define READFAILURE_H

#include <QString>
#include <QtGlobal>

// While it lives, reads of one file fail once with EIO ("Input/output error") when `after`
// bytes of it were read in all, over every descriptor open on it, as a disk does that fails
// part way: a read that would cross the mark gives the bytes before it, the next one fails, and
// the reads after that go on from the mark. A pass that takes the failure for the end of the
// file thus leaves a later one to read it whole.
//
// It reaches only the reads of the test program's own code and the application's (the linker
// hands them to it with --wrap=read, in the test programs that link it); Qt's reads and the
// sanitizers' own handling of read() stay as they are.
class ReadFailure
{
public:
    ReadFailure(const QString &path, qint64 after);
    ~ReadFailure();
    ReadFailure(const ReadFailure &) = delete;
    ReadFailure &operator=(const ReadFailure &) = delete;
    // The reads that failed so far.
    int failures() const;
};

#endif
