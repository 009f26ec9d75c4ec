#ifndef FIXTUREREADER_H
#define FIXTUREREADER_H

#include "graph/Graph.h"

#include <QHash>
#include <QString>
#include <QVector>

// Reads the expected-value files written by tests/fixtures/gen_invariants.py: one graph per
// line, its graph text first, then tab-separated KEY=v[,v...] fields. Lines starting with '#'
// are comments. The directory comes from the ORV_FIXTURES environment variable.
class FixtureReader
{
public:
    struct Entry {
        QString text;
        int n = 0;
        Graph::Row rows[Graph::MaxNodes] = {};
        QHash<QString, QVector<double>> values;

        bool has(const QString &key) const { return values.contains(key); }
        double scalar(const QString &key) const { return values.value(key).value(0); }
        QVector<double> vector(const QString &key) const { return values.value(key); }
        // Entry (i, j) of an n x n value stored row by row.
        double matrix(const QString &key, int i, int j) const { return values.value(key).value(i * n + j); }
        bool connected() const { return scalar(QStringLiteral("connected")) != 0.0; }
    };

    static QString directory();
    // All entries of a file of the fixture directory; empty (with a message) when unreadable.
    static QVector<Entry> read(const QString &fileName);
    // The data column "file" with one row per expected-value file, for data-driven tests.
    static void addFileRows();
    // Graph text to symmetric rows; false on a malformed text.
    static bool parseGraphText(const QString &text, int &n, Graph::Row rows[Graph::MaxNodes]);
};

#endif
