#include "conjectures/SimpleDisplay.h"

#include <QGridLayout>
#include <QLabel>
#include <QPalette>
#include <QPushButton>

SimpleDisplay::SimpleDisplay(QString formula_, QVector<int> graphs_, int touching_, double sumErr_)
    : graphs(std::move(graphs_)), formula(std::move(formula_)), touching(touching_), sumErr(sumErr_)
{
    auto *grid = new QGridLayout(this);

    graphLabel = new QLabel(labelText(), this);
    QPalette red = graphLabel->palette();
    const QBrush brush(Qt::red, Qt::SolidPattern);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        red.setBrush(group, QPalette::WindowText, brush);
    graphLabel->setPalette(red);
    graphLabel->setMaximumHeight(30);
    grid->addWidget(graphLabel, 0, 0);

    formulaButton = new QPushButton(formula, this);
    formulaButton->setFlat(true);
    formulaButton->setMaximumHeight(30);
    grid->addWidget(formulaButton, 0, 1);
    connect(formulaButton, &QPushButton::clicked, this, &SimpleDisplay::slot_clicked);

    auto *stats = new QLabel(QString::number(sumErr, 'g', 6) + "\t" + QString::number(touching), this);
    stats->setMinimumWidth(200);
    stats->setMaximumWidth(200);
    stats->setMaximumHeight(30);
    grid->addWidget(stats, 0, 2);
}

SimpleDisplay::~SimpleDisplay()
{
    disconnect(formulaButton, &QPushButton::clicked, this, &SimpleDisplay::slot_clicked);
}

QString SimpleDisplay::labelText() const
{
    return graphs.isEmpty() ? QString("-") : QString::number(graphs[current] + 1);
}

void SimpleDisplay::slot_clicked()
{
    // No graph lies on the relation: nothing to open.
    if (graphs.isEmpty())
        return;
    current = current + 1 < graphs.size() ? current + 1 : 0;
    graphLabel->setText(labelText());
    emit signal_load_graph(graphs[current]);
}
