#include "explorer/FilterWidget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QPushButton>
#include <cmath>
#include <iostream>

namespace {
constexpr double Tolerance = 1e-6;
// What a row lacks in a column stands for a missing value.
constexpr double Missing = 1e12;
} // namespace

FilterWidget::FilterWidget() : QWidget(nullptr)
{
    QGridLayout *grid = new QGridLayout(this);
    rejectAll = new QCheckBox("Reject all", this);
    updateButton = new QPushButton("Update", this);
    clearButton = new QPushButton("Clear", this);
    grid->addWidget(rejectAll, 0, 0);
    grid->addWidget(updateButton, 0, 1);
    grid->addWidget(clearButton, 0, 2);
    for (int i = 0; i < nbConditions; ++i) {
        QCheckBox *use = new QCheckBox("use", this);
        QComboBox *column = new QComboBox(this);
        QComboBox *op = new QComboBox(this);
        op->addItems({"<=", "==", ">="});
        QDoubleSpinBox *value = new QDoubleSpinBox(this);
        value->setRange(-1000, 1000);
        column->setEnabled(false);
        op->setEnabled(false);
        value->setEnabled(false);
        connect(use, &QCheckBox::clicked, column, &QWidget::setEnabled);
        connect(use, &QCheckBox::clicked, op, &QWidget::setEnabled);
        connect(use, &QCheckBox::clicked, value, &QWidget::setEnabled);
        grid->addWidget(use, i + 1, 0);
        grid->addWidget(column, i + 1, 1);
        grid->addWidget(op, i + 1, 2);
        grid->addWidget(value, i + 1, 3);
        useBoxes << use;
        columns << column;
        operators << op;
        values << value;
    }
    connect(updateButton, &QPushButton::clicked, this, &FilterWidget::slot_update);
    connect(clearButton, &QPushButton::clicked, this, &FilterWidget::slot_clear);
}

void FilterWidget::setVariables(QStringList names)
{
    // The same names keep the user's conditions across a rebuild.
    if (names == variables)
        return;
    for (int i = 0; i < nbConditions; ++i) {
        columns[i]->clear();
        columns[i]->addItems(names);
        useBoxes[i]->setChecked(false);
        columns[i]->setEnabled(false);
        operators[i]->setEnabled(false);
        values[i]->setEnabled(false);
    }
    nbVariables = names.size();
    variables = names;
}

bool FilterWidget::isValid(const QVector<double> &row) const
{
    if (rejectAll->isChecked())
        return false;
    // A row is never rejected for its length alone: rows of graphs with fewer vertices than
    // the columns count are padded by their maker, and a column a row lacks reads as missing.
    for (int i = 0; i < nbConditions; ++i) {
        if (!useBoxes[i]->isChecked())
            continue;
        const int c = columns[i]->currentIndex();
        if (c < 0)
            continue;
        const double x = c < row.size() ? row[c] : Missing;
        const double s = values[i]->value();
        // NaN is never a satisfied condition.
        if (std::isnan(x))
            return false;
        switch (operators[i]->currentIndex()) {
        case 0:
            if (x >= s + Tolerance)
                return false;
            break;
        case 1:
            if (std::fabs(x - s) > Tolerance)
                return false;
            break;
        case 2:
            if (x <= s - Tolerance)
                return false;
            break;
        default:
            std::cerr << "Error in FilterWidget::isValid()" << std::endl;
            break;
        }
    }
    return true;
}

void FilterWidget::slot_update()
{
    emit signal_update();
}

void FilterWidget::slot_clear()
{
    emit signal_clear();
}
