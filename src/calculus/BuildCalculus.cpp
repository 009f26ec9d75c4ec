#include "calculus/BuildCalculus.h"

#include "calculus/Calculus.h"
#include "calculus/Z.h"
#include "calculus/invConstant.h"
#include "invariants/InvariantCatalogue.h"

#include <QHash>
#include <memory>
#include <iostream>

namespace {
using Maker = Calculus *(*)(bool);

template <class T>
Calculus *make(bool displayed)
{
    return new T(displayed);
}

// Key to constructor. A library registers its classes here as it lands; a key without an
// entry is answered like an unknown key.
const QHash<QString, Maker> &makers()
{
    static const QHash<QString, Maker> table = [] {
        QHash<QString, Maker> t;
        for (const InvariantCatalogue::Entry &e : InvariantCatalogue::entries())
            t.insert(e.key, e.make);
        t.insert("CONSTANT", [](bool d) -> Calculus * { return new invConstant(d); });
        // The sense that ends switched on is set first, so both are never off at once.
        t.insert("Z", [](bool d) -> Calculus * { return new Z(d); });
        t.insert("OBJECTIVE", [](bool d) -> Calculus * { return new Z(d); });
        t.insert("MINIMIZE", [](bool d) -> Calculus * {
            Z *z = new Z(d);
            z->setMin(true);
            z->setMax(false);
            return z;
        });
        t.insert("MAXIMIZE", [](bool d) -> Calculus * {
            Z *z = new Z(d);
            z->setMax(true);
            z->setMin(false);
            return z;
        });
        t.insert("MAXMIN", [](bool d) -> Calculus * {
            Z *z = new Z(d);
            z->setMax(true);
            z->setMin(true);
            return z;
        });
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
    invariantsVal = InvariantCatalogue::keys(InvariantCatalogue::Values);
    invariantsVec = InvariantCatalogue::keys(InvariantCatalogue::Vectors);
    invariantsMat = InvariantCatalogue::keys(InvariantCatalogue::Matrices);
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

Calculus *BuildCalculus::makeCalculus(QString name, bool displayed) const
{
    const Maker make = makers().value(name, nullptr);
    if (make)
        return make(displayed);
    std::cerr << name.toUtf8().constData() << " unknown!!" << std::endl;
    return nullptr;
}

invConstant *BuildCalculus::makeConstant(bool displayed) const
{
    return new invConstant(displayed);
}

namespace {
const QString undefinedObject = QStringLiteral("Undefined object.");
}

QString BuildCalculus::textDefinition(QString name) const
{
    std::unique_ptr<Calculus> item(makeCalculus(name, false));
    return item ? item->textDocumentation() : undefinedObject;
}

QString BuildCalculus::toolTip(QString name) const
{
    std::unique_ptr<Calculus> item(makeCalculus(name, false));
    return item ? item->getName() + ": " + item->textDocumentation() : undefinedObject;
}

QString BuildCalculus::latexDefinition(QString name) const
{
    std::unique_ptr<Calculus> item(makeCalculus(name, false));
    return item ? item->latexDocumentation() + "\\n\\n" : undefinedObject;
}

QString BuildCalculus::Documentation(QString category) const
{
    QStringList names;
    if (category == "InvariantsVal")
        names = invariantsVal;
    else if (category == "InvariantsVec")
        names = invariantsVec;
    else if (category == "InvariantsMat")
        names = invariantsMat;
    else if (category == "InvariantsFam")
        names = invariantsFam;
    else if (category == "Operators")
        names = operators;
    else if (category == "Constraints")
        names = constraints;
    else if (category == "All")
        names = all;
    if (names.isEmpty())
        names = QStringList{category};
    QString text;
    for (const QString &name : names)
        text += textDefinition(name);
    return text;
}
