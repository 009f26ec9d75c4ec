#ifndef BUILDCALCULUS_H
#define BUILDCALCULUS_H

#include <QString>
#include <QStringList>

class Calculus;
class invConstant;

// The vocabulary of the white board: the item keys in their fixed lists, the category of a
// key, and the creation of an item from its key.
class BuildCalculus
{
public:
    BuildCalculus();
    ~BuildCalculus();

    int type(QString name) const;
    // Whether makeCalculus makes an item of that key; says nothing either way.
    bool knows(const QString &name) const;
    Calculus *makeCalculus(QString name, bool displayed) const;
    invConstant *makeConstant(bool displayed) const;

    // Documentation texts, read from temporary undisplayed items.
    QString Documentation(QString category) const;
    QString toolTip(QString name) const;
    QString latexDefinition(QString name) const;
    QString textDefinition(QString name) const;

    QStringList operators;
    QStringList invariantsVal;
    QStringList invariantsVec;
    QStringList invariantsMat;
    QStringList invariantsFam;
    QStringList all;
    QStringList constraints;
};

#endif
