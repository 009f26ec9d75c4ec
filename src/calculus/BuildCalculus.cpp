#include "calculus/BuildCalculus.h"

#include "calculus/Z.h"
#include "calculus/invConstant.h"

#include <QHash>
#include <iostream>

namespace {
using Maker = Calculus *(*)(bool);

// Every objective is named "Z"; the key only chooses its sense.
template <bool Min, bool Max>
Calculus *makeObjective(bool displayed)
{
    Z *z = new Z(displayed);
    z->setMin(true);
    z->setMax(Max);
    z->setMin(Min);
    return z;
}

Calculus *makeConstantItem(bool displayed)
{
    return new invConstant(displayed);
}

// Key to constructor. A library registers its classes here as it lands; a key without an
// entry is answered like an unknown key.
const QHash<QString, Maker> &makers()
{
    static const QHash<QString, Maker> table = [] {
        QHash<QString, Maker> t;
        t.insert("Z", &makeObjective<true, false>);
        t.insert("OBJECTIVE", &makeObjective<true, false>);
        t.insert("MINIMIZE", &makeObjective<true, false>);
        t.insert("MAXIMIZE", &makeObjective<false, true>);
        t.insert("MAXMIN", &makeObjective<true, true>);
        t.insert("CONSTANT", &makeConstantItem);
        return t;
    }();
    return table;
}

const QStringList objectiveKeys = {"Z", "OBJECTIVE", "MINIMIZE", "MAXIMIZE", "MAXMIN"};
} // namespace

BuildCalculus::BuildCalculus()
{
    operators = QStringList{"CONSTANT", "+", "-", "*", ".*", "/", "ADDCOLS", "ANGLE", "ABS", "CENTER",
                            "CEIL", "CHOLESKY", "COLUMN", "CORR", "DETERMINANT", "DIAG", "DPALINDROMIC",
                            "ECORR", "EIGENVALUES", "EIGENVECTORS", "EUCLIDIANDIST", "EXP", "FIRST",
                            "FLOOR", "IFGE", "INERTIA", "LAPLACIANOF", "LAST", "MANHATTANDIST", "MAX",
                            "MAXCOL", "MAXROW", "MIN", "MMAX", "MMIN", "MOMENT", "NBEQ", "NBVALUES",
                            "NORMALIZEMAT", "ROW", "SECOND", "SORT", "SQRT", "SUM", "SUMCOL", "SUMGE",
                            "SUMPRODUCT", "SUMROW", "TRANSPOSE", "VALUE AT", "VAR"};
    invariantsVal = QStringList{"AVDIST", "BALABAN", "CLAWS", "CLIQMAX", "CHROMATIC", "DEGMAX", "DEGMIN",
                                "DIAMETER", "DOMINATION", "ENERGY", "GIRTH", "HARARY", "K4", "KIRCHHOFF",
                                "NCONN", "ORDER", "PENDING", "PLATT", "RADIUS", "RANDIC", "SIZE",
                                "STABLEMAX", "SZEGED", "TRIANGLES", "WIENER", "ZAGREBM1", "ZAGREBM2"};
    invariantsVec = QStringList{"CENTRALITY", "CLOSENESS", "CUTCENTRALITY", "CHROMATICVAL", "DCENTRALITY",
                                "DCENTRALITY2", "DEGREES", "DISTCLOSESTLEAF", "ECCENTRICITY", "HARMONIC",
                                "IINDEX", "INCLIQMAX", "INDOMINATION", "INSTABLEMAX", "KCHERRIES",
                                "NUMERO", "ONEVEC", "SUMDISTP", "TRANSMISSION"};
    invariantsMat = QStringList{"ADJACENCY", "BETWEENNESS", "COMNEIGH", "DBETW", "DBETW2", "DISTANCES",
                                "EINCLIQMAX", "IDENTITY", "INGIRTH", "INPCC", "INDIAMETER", "LAPLACIAN",
                                "MODULARITY", "NLAPLACIAN", "ONEMAT", "SLLAPLACIAN"};
    invariantsFam = QStringList{"CATERPILLAR", "COMET", "LOBSTER", "PATH", "SPIDER", "STAR", "TREE"};
    constraints = QStringList{"<", "<=", "==", ">=", ">", "CONNECTED"};
    all = invariantsVal + invariantsVec + invariantsMat + invariantsFam + operators + constraints
        + objectiveKeys;
}

BuildCalculus::~BuildCalculus() = default;

int BuildCalculus::type(QString name) const
{
    if (objectiveKeys.contains(name))
        return 5;
    if (invariantsVal.contains(name) || invariantsVec.contains(name) || invariantsMat.contains(name))
        return 1;
    if (invariantsFam.contains(name))
        return 2;
    if (operators.contains(name))
        return 3;
    if (constraints.contains(name))
        return 4;
    return 0;
}

Calculus *BuildCalculus::makeConstant(bool displayed) const
{
    return makeConstantItem(displayed);
}

Calculus *BuildCalculus::makeCalculus(QString name, bool displayed) const
{
    const Maker make = makers().value(name, nullptr);
    if (make)
        return make(displayed);
    std::cerr << name.toUtf8().constData() << " unknown!!" << std::endl;
    return nullptr;
}
