#include "calculus/BuildCalculus.h"

#include "calculus/Calculus.h"
#include "calculus/Z.h"
#include "calculus/invConstant.h"
#include "invariants/InvariantCatalogue.h"
// Graph families.
#include "constraints/famCATERPILLAR.h"
#include "constraints/famCOMET.h"
#include "constraints/famLOBSTER.h"
#include "constraints/famPATH.h"
#include "constraints/famSPIDER.h"
#include "constraints/famSTAR.h"
#include "constraints/famTREE.h"
// Constraints: the comparisons and connectivity.
#include "constraints/ConstraintEQ.h"
#include "constraints/ConstraintGE.h"
#include "constraints/ConstraintGT.h"
#include "constraints/ConstraintLE.h"
#include "constraints/ConstraintLT.h"
#include "constraints/constraintConnected.h"
// Operators: reductions, counts, square root, row and column reductions.
#include "operators/operMAX.h"
#include "operators/operMIN.h"
#include "operators/operSUM.h"
#include "operators/operVAR.h"
#include "operators/operNBEQ.h"
#include "operators/operSUMGE.h"
#include "operators/operNBVALUES.h"
#include "operators/operSQRT.h"
#include "operators/operMAXCOL.h"
#include "operators/operMAXROW.h"
#include "operators/operSUMCOL.h"
#include "operators/operSUMROW.h"
// Operators: element-wise functions, sum and quotient, similarities, edge correlation, columns
// and diagonal, centring, palindromic distance, conditional choice.
#include "operators/operABS.h"
#include "operators/operCEIL.h"
#include "operators/operEXP.h"
#include "operators/operFLOOR.h"
#include "operators/operADD.h"
#include "operators/operDIV.h"
#include "operators/operANGLE.h"
#include "operators/operCORR.h"
#include "operators/operEUCLIDIANDIST.h"
#include "operators/operECORR.h"
#include "operators/operADDCOLS.h"
#include "operators/operCOL.h"
#include "operators/operDIAG.h"
#include "operators/operCENTER.h"
#include "operators/operDPALINDROMIC.h"
#include "operators/operIFGE.h"
// Operators: eigenvalues and eigenvectors, determinant and inertia, Cholesky, Laplacian of a matrix.
#include "operators/operEIG.h"
#include "operators/operEIGVEC.h"
#include "operators/operDETERMINANT.h"
#include "operators/operINERTIA.h"
#include "operators/operCHOLESKY.h"
#include "operators/operLAPLACIANOF.h"
// Operators: term-by-term combinations, product and transpose, selection, sorting, vector
// comparisons, graph-weighted operators.
#include "operators/operSUBSTRACT.h"
#include "operators/operMULTTERMS.h"
#include "operators/operMMAX.h"
#include "operators/operMMIN.h"
#include "operators/operMULT.h"
#include "operators/operTRANSPOSE.h"
#include "operators/operVALUEAT.h"
#include "operators/operROW.h"
#include "operators/operFIRST.h"
#include "operators/operSECOND.h"
#include "operators/operLAST.h"
#include "operators/operSORT.h"
#include "operators/operMANHATTANDIST.h"
#include "operators/operSUMPRODUCT.h"
#include "operators/operMOMENT.h"
#include "operators/operNORMALIZEMAT.h"

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
        // Graph families.
        t.insert("TREE", &make<famTREE>);
        t.insert("PATH", &make<famPATH>);
        t.insert("STAR", &make<famSTAR>);
        t.insert("SPIDER", &make<famSPIDER>);
        t.insert("CATERPILLAR", &make<famCATERPILLAR>);
        t.insert("LOBSTER", &make<famLOBSTER>);
        t.insert("COMET", &make<famCOMET>);
        // Constraints: the comparisons and connectivity.
        t.insert("==", &make<ConstraintEQ>);
        t.insert(">=", &make<ConstraintGE>);
        t.insert(">", &make<ConstraintGT>);
        t.insert("<=", &make<ConstraintLE>);
        t.insert("<", &make<ConstraintLT>);
        t.insert("CONNECTED", &make<constraintConnected>);
        // Operators: reductions, counts, square root, row and column reductions.
        t.insert("MAX", &make<operMAX>);
        t.insert("MIN", &make<operMIN>);
        t.insert("SUM", &make<operSUM>);
        t.insert("VAR", &make<operVAR>);
        t.insert("NBEQ", &make<operNBEQ>);
        t.insert("SUMGE", &make<operSUMGE>);
        t.insert("NBVALUES", &make<operNBVALUES>);
        t.insert("SQRT", &make<operSQRT>);
        t.insert("MAXCOL", &make<operMAXCOL>);
        t.insert("MAXROW", &make<operMAXROW>);
        t.insert("SUMCOL", &make<operSUMCOL>);
        t.insert("SUMROW", &make<operSUMROW>);
        // Operators: element-wise functions, sum and quotient, similarities, edge correlation,
        // columns and diagonal, centring, palindromic distance, conditional choice.
        t.insert("ABS", &make<operABS>);
        t.insert("CEIL", &make<operCEIL>);
        t.insert("EXP", &make<operEXP>);
        t.insert("FLOOR", &make<operFLOOR>);
        t.insert("+", &make<operADD>);
        t.insert("/", &make<operDIV>);
        t.insert("ANGLE", &make<operANGLE>);
        t.insert("CORR", &make<operCORR>);
        t.insert("EUCLIDIANDIST", &make<operEUCLIDIANDIST>);
        t.insert("ECORR", &make<operECORR>);
        t.insert("ADDCOLS", &make<operADDCOLS>);
        t.insert("COLUMN", &make<operCOL>);
        t.insert("DIAG", &make<operDIAG>);
        t.insert("CENTER", &make<operCENTER>);
        t.insert("DPALINDROMIC", &make<operDPALINDROMIC>);
        t.insert("IFGE", &make<operIFGE>);
        // Operators: eigenvalues and eigenvectors, determinant and inertia, Cholesky, Laplacian of a matrix.
        t.insert("EIGENVALUES", &make<operEIG>);
        t.insert("EIGENVECTORS", &make<operEIGVEC>);
        t.insert("DETERMINANT", &make<operDETERMINANT>);
        t.insert("INERTIA", &make<operINERTIA>);
        t.insert("CHOLESKY", &make<operCHOLESKY>);
        t.insert("LAPLACIANOF", &make<operLAPLACIANOF>);
        // Operators: term-by-term combinations, product and transpose, selection, sorting, vector
        // comparisons, graph-weighted operators.
        t.insert("-", &make<operSUBSTRACT>);
        t.insert(".*", &make<operMULTTERMS>);
        t.insert("MMAX", &make<operMMAX>);
        t.insert("MMIN", &make<operMMIN>);
        t.insert("*", &make<operMULT>);
        t.insert("TRANSPOSE", &make<operTRANSPOSE>);
        t.insert("VALUE AT", &make<operVALUEAT>);
        t.insert("ROW", &make<operROW>);
        t.insert("FIRST", &make<operFIRST>);
        t.insert("SECOND", &make<operSECOND>);
        t.insert("LAST", &make<operLAST>);
        t.insert("SORT", &make<operSORT>);
        t.insert("MANHATTANDIST", &make<operMANHATTANDIST>);
        t.insert("SUMPRODUCT", &make<operSUMPRODUCT>);
        t.insert("MOMENT", &make<operMOMENT>);
        t.insert("NORMALIZEMAT", &make<operNORMALIZEMAT>);
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

bool BuildCalculus::knows(const QString &name) const
{
    return makers().value(name, nullptr) != nullptr;
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
