#include "graph/Graph.h"
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
    std::cerr << "ORV running" << std::endl;

    Node::initColors();
    QMainWindow window;
    Graph *graph = new Graph("graph", true);
    graph->place_circle(300);
    graph->update_display();
    // The drawing is laid out around the origin; keep the origin in the middle of the window.
    graph->setSceneRect(-300, -250, 600, 500);
    graph->setFocus();
    window.setCentralWidget(graph);
    window.resize(800, 600);
    window.setWindowTitle("Orvalith");
    window.show();
    app.setQuitOnLastWindowClosed(true);
    const int rc = app.exec();
    std::cerr << "ORV 3.0.0 terminated." << std::endl;
    return rc;
}
