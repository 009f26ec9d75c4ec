#ifndef EXPLORERSIDES_H
#define EXPLORERSIDES_H

#include "ExplorerBoard.h"
#include "conjectures/ConjectureSettings.h"
#include "explorer/Analyst.h"
#include "explorer/AnalystWidget.h"
#include "explorer/DataLoader.h"
#include "explorer/ExplorerWindow.h"
#include "explorer/FilterWidget.h"
#include "explorer/PlotWidget.h"

// Both explorer sides around one board, graph and loader, placed in the explorer window as
// the shell does it. The window owns the placed widgets once built.
struct ExplorerSides {
    ExplorerBoard board;
    DataLoader loader{&board.problem, &board.graph, nullptr};
    ConjectureSettings gSettings, vSettings;
    FilterWidget *gFilter = new FilterWidget;
    FilterWidget *vFilter = new FilterWidget;
    Analyst *gTable = new Analyst;
    Analyst *vTable = new Analyst;
    AnalystWidget *g = new AnalystWidget(&board.problem, &board.graph, gTable, &loader, gFilter, &gSettings, false);
    AnalystWidget *v = new AnalystWidget(&board.problem, &board.graph, vTable, &loader, vFilter, &vSettings, true);
    PlotWidget *gPlot = new PlotWidget;
    PlotWidget *vPlot = new PlotWidget;
    ExplorerWindow window{gTable, g, gFilter, gPlot, vTable, v, vFilter, vPlot, &loader};

    explicit ExplorerSides(const QStringList &keys) : board(keys) {}
    ~ExplorerSides() { loader.wait(); }

    // What the shell's "Explorer" button does with one graph text.
    void add(const QString &text)
    {
        g->addGraph(text);
        v->addGraph(text);
    }
};

#endif
