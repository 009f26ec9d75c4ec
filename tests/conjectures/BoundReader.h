#ifndef BOUNDREADER_H
#define BOUNDREADER_H

#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <QTemporaryDir>
#include <QTextStream>
#include <QVector>
#include <cmath>

// A listed bound read back from its text ("a X+b Y+c <= d Z+e", or ">="): per column the
// coefficient of the side that must be the smaller minus the other side, and the constant.
struct ReadBound {
    bool ok = false;
    QVector<double> coefs;
    double constant = 0;
    QSet<QString> columns;
};

inline ReadBound readBound(const QString &text, const QStringList &names)
{
    ReadBound b;
    b.coefs.fill(0.0, names.size());
    const bool upper = text.contains(" <= ");
    const QStringList sides = text.split(upper ? " <= " : " >= ");
    if (sides.size() != 2 || text.contains(upper ? " >= " : " <= "))
        return b;
    static const QRegularExpression term("([0-9]+(?:\\.[0-9]*)?(?:e[+-]?[0-9]+)?)(?: ([^ +]+))?(?:\\+|$)");
    for (int s = 0; s < 2; ++s) {
        // The smaller side counts positively.
        const double sign = (s == 0) == upper ? 1.0 : -1.0;
        int at = 0;
        const QString side = sides[s];
        while (at < side.size()) {
            const auto m = term.match(side, at, QRegularExpression::NormalMatch,
                                      QRegularExpression::AnchoredMatchOption);
            if (!m.hasMatch() || m.capturedLength() == 0)
                return b;
            const double coef = m.captured(1).toDouble();
            if (m.captured(2).isEmpty()) {
                b.constant += sign * coef;
            } else {
                const int c = names.indexOf(m.captured(2));
                if (c < 0)
                    return b;
                b.coefs[c] += sign * coef;
                b.columns << m.captured(2);
            }
            at += m.capturedLength();
        }
        if (side.isEmpty())
            return b;
    }
    b.ok = true;
    return b;
}

// How far the row lies beyond the bound's hyperplane: (smaller side - larger side) over the
// length of the column coefficients; at most 1e-6 (the search's tolerance) where it holds.
inline double excess(const ReadBound &b, const QVector<double> &row)
{
    double s = b.constant, norm = 0;
    for (int c = 0; c < b.coefs.size(); ++c) {
        s += b.coefs[c] * row[c];
        norm += b.coefs[c] * b.coefs[c];
    }
    return s / std::sqrt(norm);
}

// A listed entry as the display shows it.
struct ListedEntry {
    QString text;
    int touching = 0;
    QVector<int> graphs;
};

// Runs check_bounds.py (exact rational arithmetic, Python's fractions) on table rows with their
// graph numbers and on listed entries. Returns its last line and the faults; ok tells whether
// every text holds on every row, touches exactly its graphs, and no two entries are one relation.
inline QString checkExactly(const QString &checker, const QStringList &names, const QVector<QVector<double>> &rows,
                            const QVector<int> &graphNos, const QVector<ListedEntry> &entries, bool &ok)
{
    ok = false;
    QTemporaryDir dir;
    QFile dump(dir.filePath("listed.txt"));
    if (!dump.open(QIODevice::WriteOnly | QIODevice::Text))
        return "cannot write " + dump.fileName();
    QTextStream out(&dump);
    out << "graph\t" << names.join('\t') << '\n';
    for (int r = 0; r < rows.size(); ++r) {
        out << graphNos[r];
        for (double v : rows[r])
            out << '\t' << QString::number(v, 'g', 17);  // reads back as the same double
        out << '\n';
    }
    for (const ListedEntry &e : entries) {
        QStringList graphs;
        for (int g : e.graphs)
            graphs << QString::number(g);
        out << "=\t" << e.text << '\t' << e.touching << '\t' << graphs.join(',') << '\n';
    }
    out.flush();
    dump.close();
    QProcess run;
    run.start("/usr/bin/python3", {checker, dump.fileName()});
    if (!run.waitForFinished(300000))
        return "check_bounds.py did not finish";
    ok = run.exitStatus() == QProcess::NormalExit && run.exitCode() == 0;
    return QString::fromUtf8(run.readAllStandardOutput() + run.readAllStandardError()).trimmed();
}

#endif
