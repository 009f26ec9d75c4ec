#include "conjectures/ConjecturesDisplay.h"

#include "conjectures/Conjecture.h"
#include "conjectures/SimpleDisplay.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

ConjecturesDisplay::ConjecturesDisplay() : QWidget(nullptr)
{
    grid = new QGridLayout(this);
    grid->setVerticalSpacing(0);
    grid->addWidget(new QLabel("Relations", this), 0, 0);
    setMinimumWidth(400);
}

ConjecturesDisplay::~ConjecturesDisplay()
{
    clear();
}

void ConjecturesDisplay::addConjecture(Conjecture *c)
{
    auto *row = new SimpleDisplay(c->getFormula(), c->getSupport(), c->getTouching(), c->getSumErr());
    row->setMaximumHeight(40);
    connect(row, &SimpleDisplay::signal_load_graph, this, &ConjecturesDisplay::slot_load_graph);
    rows.append(row);
}

void ConjecturesDisplay::dropFrame()
{
    // The rows are the frame's children while laid out: take them out first, they are ours.
    for (SimpleDisplay *row : rows)
        row->setParent(nullptr);
    delete frame;
    frame = nullptr;
    delete scrollArea;
    scrollArea = nullptr;
}

void ConjecturesDisplay::rebuild()
{
    dropFrame();
    scrollArea = new QScrollArea(this);
    frame = new QFrame(scrollArea);
    auto *box = new QVBoxLayout(frame);
    for (SimpleDisplay *row : rows)
        box->addWidget(row, 1);
    scrollArea->setWidget(frame);
    scrollArea->setWidgetResizable(true);
    grid->addWidget(scrollArea, 1, 0, 1, 2);
}

void ConjecturesDisplay::clear()
{
    for (SimpleDisplay *row : rows) {
        disconnect(row, &SimpleDisplay::signal_load_graph, this, &ConjecturesDisplay::slot_load_graph);
        delete row;
    }
    rows.clear();
    dropFrame();
}

void ConjecturesDisplay::slot_load_graph(int graphNo)
{
    emit signal_load_graph(graphNo);
}

QString ConjecturesDisplay::getConjectures() const
{
    QString text;
    for (const SimpleDisplay *row : rows)
        text += row->getFormula() + "\n";
    return text;
}
