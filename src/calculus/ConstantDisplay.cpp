#include "calculus/ConstantDisplay.h"

#include "graph/Graph.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextEdit>
#include <QVBoxLayout>
#include <iostream>

ConstantDisplay::ConstantDisplay(QString name, QString description_)
{
    title = name;
    description = description_;
    setWindowTitle(tr("Constant definition"));
    setModal(false);

    auto *tabs = new QTabWidget(this);
    auto *mainLayout = new QVBoxLayout(this);
    mainLayout->addWidget(tabs);

    // The report and name widgets hold the item's flags and given name but are placed on
    // no page.
    buildSettingsWidgets(tr("Invert"), tr("Node value"));
    for (QWidget *w : std::initializer_list<QWidget *>{cbInvert, leName, cbReport, cbGraph, cbNode, cbVector})
        w->hide();

    auto *resultsPage = new QWidget;
    resultsGrid = new QGridLayout(resultsPage);
    auto *done = new QPushButton(tr("Done"));
    tableWidget = new QTableWidget(0, 0);
    resultsGrid->addWidget(lbTitle, 0, 0);
    resultsGrid->addWidget(lbGivenName, 0, 1);
    resultsGrid->addWidget(done, 0, 2, 1, 2);
    resultsGrid->addWidget(tableWidget, 1, 0, 2, 4);
    struct Button
    {
        const char *text;
        void (ConstantDisplay::*slot)();
        int row, column;
    };
    const Button buttons[] = {{"add row", &ConstantDisplay::slot_add_row, 3, 0},
                              {"del row", &ConstantDisplay::slot_del_row, 3, 2},
                              {"add col", &ConstantDisplay::slot_add_col, 4, 0},
                              {"del col", &ConstantDisplay::slot_del_col, 4, 2},
                              {"Clone", &ConstantDisplay::slot_clone, 5, 0},
                              {"Apply", &ConstantDisplay::slot_apply, 5, 2}};
    for (const Button &b : buttons) {
        auto *button = new QPushButton(tr(b.text));
        resultsGrid->addWidget(button, b.row, b.column, 1, 2);
        connect(button, &QPushButton::clicked, this, b.slot);
    }
    tabs->addTab(resultsPage, tr("Results"));

    auto *text = new QTextEdit;
    text->setReadOnly(true);
    text->setPlainText(description);
    tabs->addTab(text, tr("Description"));

    connect(done, &QPushButton::clicked, this, &QDialog::hide);
    connect(tableWidget, &QTableWidget::cellChanged, this, &ConstantDisplay::cellEdited);

    filling = true;
    setNbRows(1);
    setNbColumns(1);
    setCell(0, 0, "0");
    filling = false;
    hide();
}

void ConstantDisplay::setCell(int i, int j, const QString &text)
{
    auto *cell = new QTableWidgetItem(text);
    cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    tableWidget->setItem(i, j, cell);
}

void ConstantDisplay::cellEdited(int i, int j)
{
    if (filling || i >= nbRows || j >= nbCols)
        return;
    QTableWidgetItem *cell = tableWidget->item(i, j);
    // A text that is no number counts as 0.
    matrix[i][j] = cell ? cell->text().toDouble() : 0.0;
    handOver();
}

void ConstantDisplay::handOver()
{
    if (definitionHandler)
        definitionHandler(nbRows, nbCols, matrix);
}

bool ConstantDisplay::clone()
{
    return cloneFlag.exchange(false);
}

void ConstantDisplay::setValues(const QVector<QVector<double>> &, int, int)
{
    // The computed value never overwrites what the user typed.
}

QVector<QVector<double>> &ConstantDisplay::getM()
{
    return matrix;
}

void ConstantDisplay::loadData(int rows, int cols, QVector<double> values)
{
    if (rows < 0 || cols < 0 || rows > 32 || cols > 32 || values.size() != rows * cols) {
        std::cerr << "ERR r=" << rows << " c=" << cols << " v.size()" << values.size() << std::endl;
        return;
    }
    filling = true;
    tableWidget->clearContents();
    setNbRows(rows);
    setNbColumns(cols);
    for (int i = 0; i < rows; ++i)
        for (int j = 0; j < cols; ++j) {
            const double v = values[i * cols + j];
            matrix[i][j] = v;
            setCell(i, j, QString::number(v, 'g', 6));
        }
    filling = false;
}

void ConstantDisplay::slot_add_row()
{
    if (nbRows >= 32)
        return;
    filling = true;
    setNbRows(nbRows + 1);
    for (int j = 0; j < nbCols; ++j) {
        matrix[nbRows - 1][j] = 0.0;
        setCell(nbRows - 1, j, "0");
    }
    filling = false;
    handOver();
}

void ConstantDisplay::slot_add_col()
{
    if (nbCols >= 32)
        return;
    filling = true;
    setNbColumns(nbCols + 1);
    for (int i = 0; i < nbRows; ++i) {
        matrix[i][nbCols - 1] = 0.0;
        setCell(i, nbCols - 1, "0");
    }
    filling = false;
    handOver();
}

void ConstantDisplay::slot_del_row()
{
    if (nbRows <= 1)
        return;
    setNbRows(nbRows - 1);
    handOver();
}

void ConstantDisplay::slot_del_col()
{
    if (nbCols <= 1)
        return;
    setNbColumns(nbCols - 1);
    handOver();
}

void ConstantDisplay::slot_clone()
{
    cloneFlag.store(true);
    if (graph)
        graph->changeBest();
}

void ConstantDisplay::slot_apply()
{
    handOver();
    if (graph)
        graph->changeBest();
}
