#include "explorer/GraphListReader.h"

#include "files/TextFile.h"

#include <QFileDevice>

namespace {
const QByteArray Graph6Header = QByteArrayLiteral(">>graph6<<");
}

GraphListReader::GraphListReader(QFileDevice *device_, bool graph6_) : device(device_), graph6(graph6_)
{
    piece.resize(PieceSize);
    line.reserve(KeptLength);
}

bool GraphListReader::fill()
{
    pieceOffset += end;
    pos = end = 0;
    if (atEnd)
        return false;
    const qint64 got = device ? TextFile::readSome(*device, piece.data(), PieceSize, &error) : -1;
    if (got <= 0) {
        atEnd = true;
        return false;
    }
    end = int(got);
    if (!started) {
        started = true;
        if (graph6 && end >= Graph6Header.size() && piece.startsWith(Graph6Header))
            pos = Graph6Header.size();
    }
    return true;
}

void GraphListReader::keep(const char *from, const char *to)
{
    const int room = KeptLength - line.size();
    const int n = int(to - from);
    if (n <= room) {
        line.append(from, n);
        return;
    }
    line.append(from, room);
    for (const char *p = from + room; p < to && !dropped; ++p)
        dropped = *p != ' ' && *p != '\t';
}

bool GraphListReader::next()
{
    if (finished)
        return false;
    line.clear();
    dropped = false;
    for (;;) {
        if (pos == end && !fill()) {
            finished = true;
            return true;
        }
        const char *p = piece.constData() + pos;
        const char *e = piece.constData() + end;
        const char *q = p;
        while (q < e && *q != '\n' && *q != '\r' && *q != '\0')
            ++q;
        if (q > p) {
            keep(p, q);
            last = q[-1];
            pos += int(q - p);
        }
        if (q == e)
            continue;
        if (*q == '\0') {
            nulOffset = pieceOffset + pos;
            const qint64 size = device->size();
            unread = size > nulOffset ? size - nulOffset : 1;
            atEnd = true;
            finished = true;
            return true;
        }
        ++pos;
        const char c = *q;
        const bool afterFeed = last == '\n';
        last = c;
        if (c == '\n')
            return true;
        // A carriage return next to a line feed belongs to that line end.
        if (afterFeed)
            continue;
        if (pos == end && !fill())
            return true;
        if (piece.at(pos) != '\n')
            return true;
    }
}
