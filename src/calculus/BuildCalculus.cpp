#include "calculus/BuildCalculus.h"

#include "calculus/Calculus.h"
#include "calculus/Z.h"
#include "calculus/invConstant.h"
#include "invariants/invADJACENCY.h"
#include "invariants/invCLAWS.h"
#include "invariants/invCOMNEIGH.h"
#include "invariants/invDEGMAX.h"
#include "invariants/invDEGMIN.h"
#include "invariants/invDEGREES.h"
#include "invariants/invENERGY.h"
#include "invariants/invIDENTITY.h"
#include "invariants/invK4.h"
#include "invariants/invKCHERRIES.h"
#include "invariants/invKIRCHHOFF.h"
#include "invariants/invLAPLACIAN.h"
#include "invariants/invMODULARITY.h"
#include "invariants/invNLAPLACIAN.h"
#include "invariants/invNUMERO.h"
#include "invariants/invONEMAT.h"
#include "invariants/invONEVEC.h"
#include "invariants/invORDER.h"
#include "invariants/invPENDING.h"
#include "invariants/invPLATT.h"
#include "invariants/invRANDIC.h"
#include "invariants/invSIZE.h"
#include "invariants/invSLLAPLACIAN.h"
#include "invariants/invTRIANGLES.h"
#include "invariants/invZAGREBM1.h"
#include "invariants/invZAGREBM2.h"
// Distances and distance indices, girth and highlights.
#include "invariants/invAVDIST.h"
#include "invariants/invBALABAN.h"
#include "invariants/invCLOSENESS.h"
#include "invariants/invCUTCENTRALITY.h"
#include "invariants/invDIAMETER.h"
#include "invariants/invDISTANCE.h"
#include "invariants/invDISTCLOSESTLEAF.h"
#include "invariants/invECCENTRICITY.h"
#include "invariants/invGIRTH.h"
#include "invariants/invHARARY.h"
#include "invariants/invHARMONIC.h"
#include "invariants/invIINDEX.h"
#include "invariants/invINDIAMETER.h"
#include "invariants/invINGIRTH.h"
#include "invariants/invINPCC.h"
#include "invariants/invRADIUS.h"
#include "invariants/invSUMDISTP.h"
#include "invariants/invSZEGED.h"
#include "invariants/invTRANSMISSION.h"
#include "invariants/invWIENER.h"
// Betweenness and centralities, connectivity, colouring, stable sets, cliques, domination.
#include "invariants/invBETWEENNESS.h"
#include "invariants/invCENTRALITY.h"
#include "invariants/invCHROMATIC.h"
#include "invariants/invCHROMATICVAL.h"
#include "invariants/invCLIQMAX.h"
#include "invariants/invDBETWEENNESS.h"
#include "invariants/invDBETWEENNESS2.h"
#include "invariants/invDCENTRALITY.h"
#include "invariants/invDCENTRALITY2.h"
#include "invariants/invDOMINATION.h"
#include "invariants/invEINCLIQMAX.h"
#include "invariants/invINCLIQMAX.h"
#include "invariants/invINDOMINATION.h"
#include "invariants/invINSTABLEMAX.h"
#include "invariants/invNBETWEENNESS.h"
#include "invariants/invNCONN.h"
#include "invariants/invSTABLEMAX.h"
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
        // Matrices, degrees and counts, spectra.
        t.insert("ADJACENCY", &make<invADJACENCY>);
        t.insert("IDENTITY", &make<invIDENTITY>);
        t.insert("ONEMAT", &make<invONEMAT>);
        t.insert("ONEVEC", &make<invONEVEC>);
        t.insert("LAPLACIAN", &make<invLAPLACIAN>);
        t.insert("SLLAPLACIAN", &make<invSLLAPLACIAN>);
        t.insert("NLAPLACIAN", &make<invNLAPLACIAN>);
        t.insert("MODULARITY", &make<invMODULARITY>);
        t.insert("COMNEIGH", &make<invCOMNEIGH>);
        t.insert("ORDER", &make<invORDER>);
        t.insert("SIZE", &make<invSIZE>);
        t.insert("DEGREES", &make<invDEGREES>);
        t.insert("DEGMAX", &make<invDEGMAX>);
        t.insert("DEGMIN", &make<invDEGMIN>);
        t.insert("PENDING", &make<invPENDING>);
        t.insert("NUMERO", &make<invNUMERO>);
        t.insert("KCHERRIES", &make<invKCHERRIES>);
        t.insert("PLATT", &make<invPLATT>);
        t.insert("RANDIC", &make<invRANDIC>);
        t.insert("ZAGREBM1", &make<invZAGREBM1>);
        t.insert("ZAGREBM2", &make<invZAGREBM2>);
        t.insert("CLAWS", &make<invCLAWS>);
        t.insert("TRIANGLES", &make<invTRIANGLES>);
        t.insert("K4", &make<invK4>);
        t.insert("KIRCHHOFF", &make<invKIRCHHOFF>);
        t.insert("ENERGY", &make<invENERGY>);
        // Distances and distance indices, girth and highlights.
        t.insert("DISTANCES", &make<invDISTANCE>);
        t.insert("ECCENTRICITY", &make<invECCENTRICITY>);
        t.insert("DIAMETER", &make<invDIAMETER>);
        t.insert("RADIUS", &make<invRADIUS>);
        t.insert("WIENER", &make<invWIENER>);
        t.insert("HARARY", &make<invHARARY>);
        t.insert("TRANSMISSION", &make<invTRANSMISSION>);
        t.insert("AVDIST", &make<invAVDIST>);
        t.insert("DISTCLOSESTLEAF", &make<invDISTCLOSESTLEAF>);
        t.insert("SUMDISTP", &make<invSUMDISTP>);
        t.insert("BALABAN", &make<invBALABAN>);
        t.insert("SZEGED", &make<invSZEGED>);
        t.insert("HARMONIC", &make<invHARMONIC>);
        t.insert("CLOSENESS", &make<invCLOSENESS>);
        t.insert("CUTCENTRALITY", &make<invCUTCENTRALITY>);
        t.insert("IINDEX", &make<invIINDEX>);
        t.insert("GIRTH", &make<invGIRTH>);
        t.insert("INGIRTH", &make<invINGIRTH>);
        t.insert("INPCC", &make<invINPCC>);
        t.insert("INDIAMETER", &make<invINDIAMETER>);
        // Betweenness and centralities, connectivity, colouring, stable sets, cliques, domination.
        t.insert("BETWEENNESS", &make<invBETWEENNESS>);
        t.insert("DBETW", &make<invDBETWEENNESS>);
        t.insert("DBETW2", &make<invDBETWEENNESS2>);
        t.insert("NBETWEENNESS", &make<invNBETWEENNESS>);
        t.insert("CENTRALITY", &make<invCENTRALITY>);
        t.insert("DCENTRALITY", &make<invDCENTRALITY>);
        t.insert("DCENTRALITY2", &make<invDCENTRALITY2>);
        t.insert("NCONN", &make<invNCONN>);
        t.insert("CHROMATIC", &make<invCHROMATIC>);
        t.insert("CHROMATICVAL", &make<invCHROMATICVAL>);
        t.insert("STABLEMAX", &make<invSTABLEMAX>);
        t.insert("CLIQMAX", &make<invCLIQMAX>);
        t.insert("INSTABLEMAX", &make<invINSTABLEMAX>);
        t.insert("INCLIQMAX", &make<invINCLIQMAX>);
        t.insert("EINCLIQMAX", &make<invEINCLIQMAX>);
        t.insert("DOMINATION", &make<invDOMINATION>);
        t.insert("INDOMINATION", &make<invINDOMINATION>);
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
