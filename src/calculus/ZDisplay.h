#ifndef ZDISPLAY_H
#define ZDISPLAY_H

#include "calculus/CalculusDisplay.h"

// The property window of an objective: the item window with two boxes for the sense,
// "Minimization" and "Maximization". Each box is enabled exactly when the other is ticked,
// so at least one stays ticked.
class ZDisplay : public CalculusDisplay
{
    Q_OBJECT

public:
    ZDisplay(QString name, QString description);

    void setObjMin(bool on) override;
    bool getObjMin() override { return mMin.load(std::memory_order_relaxed); }
    void setObjMax(bool on) override;
    bool getObjMax() override { return mMax.load(std::memory_order_relaxed); }

    QCheckBox *minBox() const { return cbMin; }
    QCheckBox *maxBox() const { return cbMax; }

public slots:
    void slot_min_clicked(bool on);
    void slot_max_clicked(bool on);

private:
    QCheckBox *cbMin = nullptr;
    QCheckBox *cbMax = nullptr;
    // Read by the objective's computation in any thread.
    std::atomic<bool> mMin{true};
    std::atomic<bool> mMax{false};
};

#endif
