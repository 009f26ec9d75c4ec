#ifndef GRAPHLISTREADER_H
#define GRAPHLISTREADER_H

#include <QByteArray>
#include <QString>

class QFileDevice;

// Reads a graph list from an open file line by line, a piece of fixed size at a time, so a
// list of any length is never held whole.
//
// Line ends are those of the text with "\n\r", then "\r\n", then "\r" replaced by "\n": a line
// feed always ends a line, a carriage return does unless a line feed stands right before or
// right after it. Every piece counts, the empty piece after a final line end too. Reading
// stops at the first NUL byte: what stands before it is the last line. With graph6 set, the
// header that nauty may write at the start of the file (">>graph6<<") is not part of the
// first line.
//
// A line keeps at most KeptLength bytes; whether anything but blanks and tabs was dropped
// beyond them is told. No graph line comes near that length.
class GraphListReader
{
public:
    static constexpr int KeptLength = 1024;
    static constexpr int PieceSize = 1 << 20;

    // Reads from the file's position, straight from the system: a caller that reads it again
    // seeks it back first.
    GraphListReader(QFileDevice *file, bool graph6);

    // The next line without its line end; false once the last line was given.
    bool next();
    const char *data() const { return line.constData(); }
    int length() const { return line.size(); }
    // Bytes other than blanks and tabs stood beyond the kept ones.
    bool overlong() const { return dropped; }

    // Reading stopped at a NUL byte: its offset in the file, and the bytes from it to the end.
    bool stoppedAtNul() const { return nulOffset >= 0; }
    qint64 nulAt() const { return nulOffset; }
    qint64 unreadBytes() const { return unread; }
    // A failed read ends the list too; then the system's reason.
    QString readError() const { return error; }

private:
    // Reads the next piece; false at the end of the data.
    bool fill();
    void keep(const char *from, const char *to);

    QFileDevice *device;
    bool graph6;
    QByteArray piece;
    int pos = 0;
    int end = 0;
    qint64 pieceOffset = 0;
    bool atEnd = false;
    bool finished = false;
    bool started = false;
    char last = 0;
    QByteArray line;
    bool dropped = false;
    qint64 nulOffset = -1;
    qint64 unread = 0;
    QString error;
};

#endif
