#ifndef BUILDCALCULUS_H
#define BUILDCALCULUS_H

#include <QString>
#include <QStringList>

class Calculus;

// The vocabulary of the white board: the item keys in their fixed lists, the category of a
// key, and the creation of an item from its key.
class BuildCalculus
{
public:
    BuildCalculus();
    ~BuildCalculus();

    int type(QString name) const;
    Calculus *makeCalculus(QString name, bool displayed) const;
    Calculus *makeConstant(bool displayed) const;

    QStringList operators;
    QStringList invariantsVal;
    QStringList invariantsVec;
    QStringList invariantsMat;
    QStringList invariantsFam;
    QStringList all;
    QStringList constraints;
};

#endif
