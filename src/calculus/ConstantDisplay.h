#ifndef CONSTANTDISPLAY_H
#define CONSTANTDISPLAY_H

#include "calculus/CalculusDisplay.h"

#include <functional>

// The property window of a constant: an editable table of up to 32 x 32 numbers, buttons to
// grow and shrink it, "Clone" (copy the argument at the next computation) and "Apply".
//
// The dialog holds the numbers as doubles: a typed cell is read once, when it is edited,
// and values loaded into the table keep their full precision whatever their cell shows.
// Each change of the table is handed to the constant item at once, so the item computes
// from its own copy and never reads a widget.
class ConstantDisplay : public CalculusDisplay
{
    Q_OBJECT

public:
    using DefinitionHandler = std::function<void(int rows, int cols, const QVector<QVector<double>> &m)>;

    ConstantDisplay(QString name, QString description);

    bool clone() override;
    void setValues(const QVector<QVector<double>> &m, int rows, int cols) override;
    QVector<QVector<double>> &getM() override;
    // Refuses (with a line on the standard error stream) a size beyond 32 or a number of
    // values other than rows x cols, and then changes nothing.
    void loadData(int rows, int cols, QVector<double> values) override;

    void setDefinitionHandler(DefinitionHandler h) { definitionHandler = std::move(h); }

private slots:
    void slot_add_row();
    void slot_add_col();
    void slot_del_row();
    void slot_del_col();
    void slot_clone();
    void slot_apply() override;

private:
    void setCell(int i, int j, const QString &text);
    void cellEdited(int i, int j);
    void handOver();

    std::atomic<bool> cloneFlag{false};
    // Set while the dialog itself writes cells, so that only the user's edits are read.
    bool filling = false;
    DefinitionHandler definitionHandler;
};

#endif
