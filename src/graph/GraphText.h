#ifndef GRAPHTEXT_H
#define GRAPHTEXT_H

#include "graph/Adjacency.h"

#include <QByteArray>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <QVector>

// The readers of the graph texts, apart from the graph they fill: text in, symmetric rows
// without diagonal and a vertex count out, or a refusal. The graph applies a result under
// its own locks.
class GraphText
{
public:
    struct Rows
    {
        int count = 0;
        adjacency::Row rows[adjacency::MaxNodes] = {};
    };
    // A ".gorv3" graph file or an ".orvgr" autosave.
    struct File
    {
        Rows graph;
        int storedId = 0;
        QStringList names;
        QVector<QPointF> positions;
    };

    // "n pairs": the count clamped to 0..32, then one '0' or '1' per pair (i, j), j < i, i
    // ascending; a missing or other character is no edge. Never refuses.
    static Rows parsePairs(const QString &text);
    // One graph6 line of 2 to 31 vertices; false, with nothing written, on anything else.
    static bool parseGraph6(const QByteArray &line, Rows *out);
    // The file's text (up to its first NUL): the count, the identifier when withIdentifier,
    // one "name TAB x TAB y" line per vertex and the TAB-ended adjacency matrix, whose upper
    // triangle decides the edges. False, with nothing written, when any of it is missing or
    // no number; why then names the line and what it should hold.
    static bool parseFile(const QByteArray &bytes, bool withIdentifier, File *out, QString *why = nullptr);
};

#endif
