#include "graph/GraphText.h"

#include "files/TextFile.h"

#include <cmath>
#include <cstdint>

using namespace adjacency;

namespace {
void join(GraphText::Rows &g, int i, int j)
{
    g.rows[i] |= bit(j);
    g.rows[j] |= bit(i);
}
} // namespace

GraphText::Rows GraphText::parsePairs(const QString &text)
{
    // The first two space-separated fields, read in place: a search reads one text per
    // candidate graph.
    const int space = text.indexOf(QLatin1Char(' '));
    const QStringRef head = space < 0 ? QStringRef(&text) : text.leftRef(space);
    // One or two plain digits, as every written graph text has, are read here; anything else
    // goes to the general number reader.
    int count = head.size() == 1 || head.size() == 2 ? 0 : -1;
    for (int i = 0; i < head.size() && count >= 0; ++i) {
        const ushort c = head.at(i).unicode();
        count = c >= '0' && c <= '9' ? 10 * count + (c - '0') : -1;
    }
    if (count < 0)
        count = head.toInt(nullptr, 10);
    count = count < 0 ? 0 : (count > MaxNodes ? MaxNodes : count);
    QStringRef pairs;
    if (space >= 0) {
        const int end = text.indexOf(QLatin1Char(' '), space + 1);
        pairs = text.midRef(space + 1, end < 0 ? -1 : end - space - 1);
    }

    // Pair (i, j), j < i, is character i (i - 1) / 2 + j: the lower triangle row by row,
    // then mirrored.
    Row lower[MaxNodes] = {};
    const QChar *pair = pairs.unicode();
    const int held = pairs.size();
    int k = 0;
    for (int i = 1; i < count && k < held; ++i) {
        Row r = 0;
        for (int j = 0; j < i && k < held; ++j, ++k)
            r |= Row(pair[k] == QLatin1Char('1')) << j;
        lower[i] = r;
    }
    Rows g;
    g.count = count;
    transpose(lower, count, g.rows);
    for (int i = 0; i < count; ++i)
        g.rows[i] |= lower[i];
    return g;
}

bool GraphText::parseGraph6(const QByteArray &line, Rows *out)
{
    if (line.isEmpty())
        return false;
    const int count = static_cast<signed char>(line[0]) - 63;
    if (count < 2 || count > 31)
        return false;
    const int nbPairs = count * (count - 1) / 2;
    const int needed = (nbPairs + 5) / 6;
    if (line.size() - 1 < needed)
        return false;

    // Each character carries six pair bits, the first pair in its highest bit. Reversed, they
    // join a stream whose bit k is pair k; column j (the pairs (i, j), i < j) is then the next
    // j bits of the stream, taken whole.
    static const std::uint8_t reversed[64] = {
        0, 32, 16, 48, 8, 40, 24, 56, 4, 36, 20, 52, 12, 44, 28, 60, 2, 34, 18, 50, 10, 42,
        26, 58, 6, 38, 22, 54, 14, 46, 30, 62, 1, 33, 17, 49, 9, 41, 25, 57, 5, 37, 21, 53,
        13, 45, 29, 61, 3, 35, 19, 51, 11, 43, 27, 59, 7, 39, 23, 55, 15, 47, 31, 63};
    Row upper[MaxNodes] = {};
    std::uint64_t stream = 0;
    int held = 0;
    // A character outside 63..126 leaves bits above the six in its value; one test at the end.
    unsigned outside = 0;
    const char *data = line.constData() + 1;
    for (int j = 1; j < count; ++j) {
        while (held < j) {
            const unsigned value = unsigned(static_cast<unsigned char>(*data++)) - 63u;
            outside |= value;
            stream |= std::uint64_t(reversed[value & 63u]) << held;
            held += 6;
        }
        upper[j] = Row(stream) & lowMask(j);
        stream >>= j;
        held -= j;
    }
    if (outside & ~63u)
        return false;
    out->count = count;
    transpose(upper, count, out->rows);
    for (int j = 0; j < count; ++j)
        out->rows[j] |= upper[j];
    return true;
}

bool GraphText::parseFile(const QByteArray &text, bool withIdentifier, File *out, QString *why)
{
    QByteArray bytes = text;
    const int nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);
    const QStringList lines = QString::fromLatin1(bytes).split('\n');
    // Lines are counted from 1, as an editor shows them.
    auto refuse = [why, &lines](int line, const QString &expected) {
        if (why)
            *why = QString("line %1: expected %2, found %3")
                       .arg(line + 1)
                       .arg(expected, line < lines.size() ? TextFile::excerpt(lines[line]) : QString("the end of the file"));
        return false;
    };

    int line = 0;
    bool valid = false;
    const int count = lines[line].toInt(&valid, 10);
    if (!valid || count < 0 || count > MaxNodes)
        return refuse(line, QString("the vertex count, 0 to %1").arg(MaxNodes));
    ++line;
    File f;
    if (withIdentifier) {
        if (line >= lines.size())
            return refuse(line, "the graph's identifier");
        f.storedId = lines[line].toInt(&valid, 10);
        if (!valid)
            return refuse(line, "the graph's identifier");
        ++line;
    }
    for (int i = 0; i < count; ++i, ++line) {
        const QString vertex = QString("vertex %1 of %2 as name TAB x TAB y").arg(i + 1).arg(count);
        if (line >= lines.size())
            return refuse(line, vertex);
        const QStringList fields = lines[line].split('\t');
        if (fields.size() < 3)
            return refuse(line, vertex);
        bool okX = false, okY = false;
        const double x = fields[1].toDouble(&okX), y = fields[2].toDouble(&okY);
        if (!okX || !okY || !std::isfinite(x) || !std::isfinite(y))
            return refuse(line, vertex + ", with finite numbers for x and y");
        f.names << fields[0];
        f.positions << QPointF(x, y);
    }
    const QString entries = QString("the %1 x %1 adjacency matrix, TAB after each entry").arg(count);
    if (line >= lines.size())
        return refuse(line, entries);
    // The writer ends every field with a TAB; the empty text after the last one is no field.
    QStringList matrix = lines[line].split('\t');
    if (!matrix.isEmpty() && matrix.last().isEmpty())
        matrix.removeLast();
    if (matrix.size() < count * count)
        return refuse(line, entries);

    f.graph.count = count;
    for (int i = 0; i < count; ++i)
        for (int j = i + 1; j < count; ++j)
            if (matrix[i * count + j].toInt(nullptr, 10) != 0)
                join(f.graph, i, j);
    *out = f;
    return true;
}
