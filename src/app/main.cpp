#include "app/ImageResources.h"
#include "graph/Graph.h"
#include "graph/MDS.h"
#include "graph/Node.h"

#include <QApplication>
#include <QMainWindow>
#include <QVector>
#include <iostream>

int main(int argc, char *argv[])
{
    qRegisterMetaType<QVector<int>>("QVector<int>");
    QCoreApplication::setOrganizationName("QUARN");
    QCoreApplication::setOrganizationDomain("orvalith.org");
    QCoreApplication::setApplicationName("Orvalith-III");
    QApplication app(argc, argv);
    ImageResources::init();
    std::cerr << "ORV running" << std::endl;

    Node::initColors();
    QMainWindow window;
    Graph *graph = new Graph("graph", true);
    graph->place_circle(300);
    graph->update_display();
    // The drawing is laid out around the origin; keep the origin in the middle of the window.
    graph->setSceneRect(-300, -250, 600, 500);
    graph->setFocus();
    // Key M lays the graph out: nothing below 3 vertices, the circle below 2 edges, else
    // multidimensional scaling in the plane.
    QObject::connect(graph, &Graph::signal_place_graph, graph, [graph] {
        if (graph->getNbNodes() < 3)
            return;
        if (graph->getNbEdges() < 2)
            graph->place_circle(300);
        else
            MDS(graph, 300, 2);
        graph->update_display();
    });
    window.setCentralWidget(graph);
    window.resize(800, 600);
    window.setWindowTitle("Orvalith");
    window.show();
    app.setQuitOnLastWindowClosed(true);
    const int rc = app.exec();
    std::cerr << "ORV 3.0.0 terminated." << std::endl;
    return rc;
}
