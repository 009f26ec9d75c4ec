#ifndef FILTERWIDGET_H
#define FILTERWIDGET_H

#include <QStringList>
#include <QVector>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QPushButton;

// The filter panel of the results explorer: up to ten conditions (column, "<=", "==" or
// ">=", threshold) that a row of values must meet to enter the value table, and a switch
// that rejects every row. Comparisons allow 1e-6. GUI thread only.
class FilterWidget : public QWidget
{
    Q_OBJECT

public:
    static constexpr int NbConditions = 10;

    FilterWidget();

    void setVariables(QStringList names);
    QStringList getVariables() const { return variables; }
    bool isValid(const QVector<double> &values) const;

    // The widgets of condition row i, and the switch, for the window and for tests.
    QCheckBox *useBox(int i) const { return useBoxes.value(i); }
    QComboBox *columnList(int i) const { return columns.value(i); }
    QComboBox *operatorList(int i) const { return operators.value(i); }
    QDoubleSpinBox *valueBox(int i) const { return values.value(i); }
    QCheckBox *rejectAllBox() const { return rejectAll; }

signals:
    void signal_update();
    void signal_clear();

public slots:
    void slot_update();
    void slot_clear();

private:
    QVector<QComboBox *> columns;
    QVector<QComboBox *> operators;
    QVector<QDoubleSpinBox *> values;
    QVector<QCheckBox *> useBoxes;
    QCheckBox *rejectAll;
    QPushButton *updateButton;
    QPushButton *clearButton;
    int nbConditions = NbConditions;
    int nbVariables = 0;
    QStringList variables;
};

#endif
