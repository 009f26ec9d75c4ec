#ifndef EXPLORERBOARD_H
#define EXPLORERBOARD_H

#include "calculus/BuildCalculus.h"
#include "calculus/Calculus.h"
#include "graph/Graph.h"
#include "problem/Problem.h"

#include <QByteArray>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

// The interactive graph and the displayed board as the shell makes them, with one reported
// item per key: "KEY" a graph value, "KEY:node" a node value, "KEY:vector" a vector. A new
// invariant goes first in the board's list, so the keys are added last to first and report
// in the order given. "LMAX" and "LMIN", the largest and smallest adjacency eigenvalue, are
// built as a researcher builds them, MAX or MIN of EIGENVALUES of ADJACENCY: operators follow
// every invariant on the board, so these keys report after the others.
struct ExplorerBoard {
    Graph graph{"graph", true};
    Problem problem{&graph, "problem", true};

    explicit ExplorerBoard(const QStringList &keys = {"SIZE"})
    {
        const QStringList spectral{"LMAX", "LMIN"};
        for (int k = keys.size() - 1; k >= 0; --k)
            if (!spectral.contains(keys[k]))
                add(keys[k]);
        Calculus *eigenvalues = nullptr;
        for (const QString &key : keys) {
            if (!spectral.contains(key))
                continue;
            if (!eigenvalues)
                eigenvalues = addOperator("EIGENVALUES", add("ADJACENCY", false));
            Calculus *extreme = addOperator(key == "LMAX" ? "MAX" : "MIN", eigenvalues);
            extreme->setGivenName(key);
            extreme->setInReport(true);
            extreme->setGraphInReport(true);
        }
    }

    Calculus *addOperator(const QString &key, Calculus *argument)
    {
        Calculus *c = BuildCalculus().makeCalculus(key, true);
        problem.addOperatorItem(c);
        problem.link1(argument, c);
        return c;
    }

    Calculus *add(const QString &entry, bool inReport = true)
    {
        const QString key = entry.section(':', 0, 0);
        const QString kind = entry.section(':', 1, 1);
        Calculus *c = BuildCalculus().makeCalculus(key, true);
        if (!c)
            return nullptr;
        const int category = BuildCalculus().type(key);
        if (category == 4)
            problem.addConstraintItem(c);
        else if (category == 2)
            problem.addFamilyItem(c);
        else
            problem.addInvariantItem(c);
        c->setInReport(inReport);
        c->setNodInReport(kind == "node");
        c->setVecInReport(kind == "vector");
        c->setGraphInReport(kind.isEmpty());
        return c;
    }
};

// Writes a file of the given bytes into the folder and returns its path.
inline QString writeTempFile(QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return path;
}

#endif
