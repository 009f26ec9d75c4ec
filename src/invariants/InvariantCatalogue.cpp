#include "invariants/InvariantCatalogue.h"

#include "invariants/invADJACENCY.h"
#include "invariants/invAVDIST.h"
#include "invariants/invBALABAN.h"
#include "invariants/invBETWEENNESS.h"
#include "invariants/invCENTRALITY.h"
#include "invariants/invCHROMATIC.h"
#include "invariants/invCHROMATICVAL.h"
#include "invariants/invCLAWS.h"
#include "invariants/invCLIQMAX.h"
#include "invariants/invCLOSENESS.h"
#include "invariants/invCOMNEIGH.h"
#include "invariants/invCUTCENTRALITY.h"
#include "invariants/invDBETWEENNESS.h"
#include "invariants/invDBETWEENNESS2.h"
#include "invariants/invDCENTRALITY.h"
#include "invariants/invDCENTRALITY2.h"
#include "invariants/invDEGMAX.h"
#include "invariants/invDEGMIN.h"
#include "invariants/invDEGREES.h"
#include "invariants/invDIAMETER.h"
#include "invariants/invDISTANCE.h"
#include "invariants/invDISTCLOSESTLEAF.h"
#include "invariants/invDOMINATION.h"
#include "invariants/invECCENTRICITY.h"
#include "invariants/invEINCLIQMAX.h"
#include "invariants/invENERGY.h"
#include "invariants/invGIRTH.h"
#include "invariants/invHARARY.h"
#include "invariants/invHARMONIC.h"
#include "invariants/invIDENTITY.h"
#include "invariants/invIINDEX.h"
#include "invariants/invINCLIQMAX.h"
#include "invariants/invINDIAMETER.h"
#include "invariants/invINDOMINATION.h"
#include "invariants/invINGIRTH.h"
#include "invariants/invINPCC.h"
#include "invariants/invINSTABLEMAX.h"
#include "invariants/invK4.h"
#include "invariants/invKCHERRIES.h"
#include "invariants/invKIRCHHOFF.h"
#include "invariants/invLAPLACIAN.h"
#include "invariants/invMODULARITY.h"
#include "invariants/invNBETWEENNESS.h"
#include "invariants/invNCONN.h"
#include "invariants/invNLAPLACIAN.h"
#include "invariants/invNUMERO.h"
#include "invariants/invONEMAT.h"
#include "invariants/invONEVEC.h"
#include "invariants/invORDER.h"
#include "invariants/invPENDING.h"
#include "invariants/invPLATT.h"
#include "invariants/invRADIUS.h"
#include "invariants/invRANDIC.h"
#include "invariants/invSIZE.h"
#include "invariants/invSLLAPLACIAN.h"
#include "invariants/invSTABLEMAX.h"
#include "invariants/invSUMDISTP.h"
#include "invariants/invSZEGED.h"
#include "invariants/invTRANSMISSION.h"
#include "invariants/invTRIANGLES.h"
#include "invariants/invWIENER.h"
#include "invariants/invZAGREBM1.h"
#include "invariants/invZAGREBM2.h"

namespace {
template <class T>
Calculus *make(bool displayed)
{
    return new T(displayed);
}
} // namespace

#define ORV_INVARIANT(key, cls, list) InvariantCatalogue::Entry{key, #cls, InvariantCatalogue::list, &make<cls>}

const std::vector<InvariantCatalogue::Entry> &InvariantCatalogue::entries()
{
    // Within a list, the order is the order the list shows.
    static const std::vector<Entry> table = {
        ORV_INVARIANT("AVDIST", invAVDIST, Values),
        ORV_INVARIANT("BALABAN", invBALABAN, Values),
        ORV_INVARIANT("CLAWS", invCLAWS, Values),
        ORV_INVARIANT("CLIQMAX", invCLIQMAX, Values),
        ORV_INVARIANT("CHROMATIC", invCHROMATIC, Values),
        ORV_INVARIANT("DEGMAX", invDEGMAX, Values),
        ORV_INVARIANT("DEGMIN", invDEGMIN, Values),
        ORV_INVARIANT("DIAMETER", invDIAMETER, Values),
        ORV_INVARIANT("DOMINATION", invDOMINATION, Values),
        ORV_INVARIANT("ENERGY", invENERGY, Values),
        ORV_INVARIANT("GIRTH", invGIRTH, Values),
        ORV_INVARIANT("HARARY", invHARARY, Values),
        ORV_INVARIANT("K4", invK4, Values),
        ORV_INVARIANT("KIRCHHOFF", invKIRCHHOFF, Values),
        ORV_INVARIANT("NCONN", invNCONN, Values),
        ORV_INVARIANT("ORDER", invORDER, Values),
        ORV_INVARIANT("PENDING", invPENDING, Values),
        ORV_INVARIANT("PLATT", invPLATT, Values),
        ORV_INVARIANT("RADIUS", invRADIUS, Values),
        ORV_INVARIANT("RANDIC", invRANDIC, Values),
        ORV_INVARIANT("SIZE", invSIZE, Values),
        ORV_INVARIANT("STABLEMAX", invSTABLEMAX, Values),
        ORV_INVARIANT("SZEGED", invSZEGED, Values),
        ORV_INVARIANT("TRIANGLES", invTRIANGLES, Values),
        ORV_INVARIANT("WIENER", invWIENER, Values),
        ORV_INVARIANT("ZAGREBM1", invZAGREBM1, Values),
        ORV_INVARIANT("ZAGREBM2", invZAGREBM2, Values),
        ORV_INVARIANT("CENTRALITY", invCENTRALITY, Vectors),
        ORV_INVARIANT("CLOSENESS", invCLOSENESS, Vectors),
        ORV_INVARIANT("CUTCENTRALITY", invCUTCENTRALITY, Vectors),
        ORV_INVARIANT("CHROMATICVAL", invCHROMATICVAL, Vectors),
        ORV_INVARIANT("DCENTRALITY", invDCENTRALITY, Vectors),
        ORV_INVARIANT("DCENTRALITY2", invDCENTRALITY2, Vectors),
        ORV_INVARIANT("DEGREES", invDEGREES, Vectors),
        ORV_INVARIANT("DISTCLOSESTLEAF", invDISTCLOSESTLEAF, Vectors),
        ORV_INVARIANT("ECCENTRICITY", invECCENTRICITY, Vectors),
        ORV_INVARIANT("HARMONIC", invHARMONIC, Vectors),
        ORV_INVARIANT("IINDEX", invIINDEX, Vectors),
        ORV_INVARIANT("INCLIQMAX", invINCLIQMAX, Vectors),
        ORV_INVARIANT("INDOMINATION", invINDOMINATION, Vectors),
        ORV_INVARIANT("INSTABLEMAX", invINSTABLEMAX, Vectors),
        ORV_INVARIANT("KCHERRIES", invKCHERRIES, Vectors),
        ORV_INVARIANT("NUMERO", invNUMERO, Vectors),
        ORV_INVARIANT("ONEVEC", invONEVEC, Vectors),
        ORV_INVARIANT("SUMDISTP", invSUMDISTP, Vectors),
        ORV_INVARIANT("TRANSMISSION", invTRANSMISSION, Vectors),
        ORV_INVARIANT("ADJACENCY", invADJACENCY, Matrices),
        ORV_INVARIANT("BETWEENNESS", invBETWEENNESS, Matrices),
        ORV_INVARIANT("COMNEIGH", invCOMNEIGH, Matrices),
        ORV_INVARIANT("DBETW", invDBETWEENNESS, Matrices),
        ORV_INVARIANT("DBETW2", invDBETWEENNESS2, Matrices),
        ORV_INVARIANT("DISTANCES", invDISTANCE, Matrices),
        ORV_INVARIANT("EINCLIQMAX", invEINCLIQMAX, Matrices),
        ORV_INVARIANT("IDENTITY", invIDENTITY, Matrices),
        ORV_INVARIANT("INGIRTH", invINGIRTH, Matrices),
        ORV_INVARIANT("INPCC", invINPCC, Matrices),
        ORV_INVARIANT("INDIAMETER", invINDIAMETER, Matrices),
        ORV_INVARIANT("LAPLACIAN", invLAPLACIAN, Matrices),
        ORV_INVARIANT("MODULARITY", invMODULARITY, Matrices),
        ORV_INVARIANT("NLAPLACIAN", invNLAPLACIAN, Matrices),
        ORV_INVARIANT("ONEMAT", invONEMAT, Matrices),
        ORV_INVARIANT("SLLAPLACIAN", invSLLAPLACIAN, Matrices),
        ORV_INVARIANT("NBETWEENNESS", invNBETWEENNESS, Unlisted),
    };
    return table;
}

#undef ORV_INVARIANT

QStringList InvariantCatalogue::keys(List list)
{
    QStringList out;
    for (const Entry &e : entries())
        if (e.list == list)
            out << e.key;
    return out;
}
