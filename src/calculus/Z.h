#ifndef Z_H
#define Z_H

#include "calculus/Calculus.h"

#include <QPolygon>

// The objective: one column-vector argument that the optimiser minimises, maximises or
// both. Beside its value it keeps the column times its optimisation factor, which the
// optimiser sets for each job so that it always minimises.
class Z : public Calculus
{
public:
    explicit Z(bool displayed);
    ~Z() override;

    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;
    bool setLink1(Link *l) override;
    bool setLink2(Link *) override { return false; }
    bool setLink3(Link *) override { return false; }
    bool setLink4(Link *) override { return false; }
    QString formula() override;
    bool setLinkTo(Link *) override { return false; }
    QVector<QVector<double>> &getZ() override { return zValues; }
    bool setArg1(Calculus *c) override { return setArgAndRefresh(1, c); }
    bool setArg2(Calculus *) override { return false; }
    bool setArg3(Calculus *) override { return false; }
    bool setArg4(Calculus *) override { return false; }
    void setParam(int) override {}
    int getParam() override { return -1; }
    void setMin(bool b) override;
    void setMax(bool b) override;
    // Takes effect on the scaled column at once: a record read before the next computation
    // already carries the new sign.
    void setOptFactor(double f) override;
    int getObj() override;
    QString specificInformationToSave() override;
    void recompute() override;

    double getOptFactor() const { return optFactor; }
    bool getMin() const { return min; }
    bool getMax() const { return max; }

private:
    // The factor of a single sense (1 to minimise, -1 to maximise); with both senses the
    // one the optimiser set.
    double senseFactor() const { return !min ? -1.0 : !max ? 1.0 : optFactor.load(); }
    // Takes the sense of the dialog's boxes; true when it changed.
    bool readDialogSense();
    // A box ticked or unticked by the user is the item's sense at once: the run, the saved
    // text and the arrow all read the item.
    void takeDialogSense();

    // Atomic: the board's objective may be computed by the graph-list loader while the GUI
    // thread reads its sense.
    std::atomic<bool> min{true};
    std::atomic<bool> max{false};
    QPolygon arrowMin;
    QPolygon arrowMax;
    QPolygon arrowMaxMin;
    QVector<QVector<double>> zValues;
    std::atomic<double> optFactor{1.0};
};

#endif
