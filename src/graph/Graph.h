#ifndef GRAPH_H
#define GRAPH_H

#include "graph/Adjacency.h"

#include <QColor>
#include <QGraphicsView>
#include <QMutex>
#include <QPoint>
#include <QPointF>
#include <QString>
#include <QVector>
#include <atomic>
#include <cstdint>
#include <functional>
#include <istream>
#include <memory>
#include <mutex>

class Node;
class Edge;
class QGraphicsScene;
class QGraphicsRectItem;

// The simple undirected graph of at most 32 vertices that every computation reads, and
// at the same time the interactive view that shows and edits it.
//
// The adjacency is kept as 32 row bitmasks (bit j of row i is entry (i, j)); a pair is an
// edge when either of its two entries is set.
//
// Threads: the four search workers and the GUI thread share a graph. adjMutex guards the rows
// and is held only for one edit or one snapshot; wholeMutex guards the best copy and any
// sequence of edits that must look atomic (a complemented computation, a copy, a file). Take
// wholeMutex first, then adjMutex, never the other way round. Items read the graph through
// snapshot() and compute on their copy without a lock; the widgets (vertex and edge items,
// timers) are touched from the GUI thread only.
class Graph : public QGraphicsView
{
    Q_OBJECT

public:
    static constexpr int MaxNodes = adjacency::MaxNodes;
    using Row = adjacency::Row;

    Graph(QString name, bool interactive);
    ~Graph() override;

    Graph *clone();
    void copy(Graph *other);

    // Reading the current graph.
    int getNbNodes() const { return n; }
    int getID() const { return identifier.load(std::memory_order_relaxed); }
    bool edge(int i, int j);
    int getNbEdges();
    // One consistent picture of the current graph, taken under the adjacency lock: symmetric
    // rows without diagonal, restricted to the vertex count, which is returned.
    int snapshot(Row rows[MaxNodes]);
    // The rows a snapshot gives of the raw rows src: a pair is an edge when either of its
    // entries is set. Returns count.
    static int symmetricRows(const Row src[MaxNodes], int count, Row out[MaxNodes]);

    // Changing the current graph.
    bool addEdge(int i, int j);
    bool remEdge(int i, int j);
    // Rows v of the set `which` take their pairs with the first n vertices from rows[v],
    // under one lock; the identifier moves on by `steps`, the number of single edge edits
    // this stands for. For a caller that keeps the graph's rows itself, symmetric, and changes
    // several pairs among few vertices at once: rows must agree with the graph on every pair
    // with one end outside `which`, so that both entries of each pair stay alike.
    void setRows(Row which, const Row rows[MaxNodes], int steps);
    void toggleEdge(int i, int j);
    void invert();
    bool addNode();
    bool remNode();
    bool remNode(int v);
    void clear();
    void randomGraph(int target);
    void relabel();

    // The best copy.
    void best_backup();
    void best_restore();
    void changeBest();
    bool bestEdge(int i, int j);
    int getBestNbNodes() const { return bestN; }
    int getBestID() const { return bestIdentifier.load(std::memory_order_relaxed); }
    int bestSnapshot(Row rows[MaxNodes]);

    // A graph found by another thread waits here, the latest offer winning, until the GUI
    // thread takes it into the current graph; the worker never touches the view itself.
    void offerGraph(const QString &text);
    bool takeOfferedGraph();

    void lock() { wholeMutex.lock(); }
    void unlock() { wholeMutex.unlock(); }
    // The whole-graph mutex, for a QMutexLocker.
    QMutex *wholeLock() { return &wholeMutex; }

    // Graph text and graph6.
    QString graphData();
    QString currentGraphData();
    // The graph text of symmetric adjacency rows over count vertices.
    static QString graphText(const Row rows[MaxNodes], int count);
    void loadorv(QString text, bool reset);
    void loadCurrentGraph(QString text);
    bool loadg6(QString line, bool reset);
    bool loadg6(std::istream &in);

    // Display.
    void update_display();
    void setViolated(bool v);
    bool isViolated() const { return violated; }
    void optimizationStarts();
    void optimizationStops();
    void toggleAnim();
    void rotate(double ax, double ay, double az);
    void center();
    void scaleView(double f);
    void place_circle(double d);
    void scaleCoords(double w, double h);
    void setPos(int i, QPointF p);
    void setPos(int i, double x, double y, double z);
    void setLabels(QVector<double> v);
    void setColors(QVector<double> v);
    void resetLabels();
    void resetColors();
    void setELabels(QVector<QVector<double>> m, bool on);
    void setEHilight(QVector<QVector<double>> m, bool on);
    void hilight(int k);
    void display();
    bool displayTimerRuns() const { return displayTimer != 0; }
    bool animationRuns() const { return animationTimer != 0; }

    // Editing: one vertex added at the last mouse position, joined to the selected vertices.
    void addK();
    void addBip();
    void addTail();
    int getEditMode() const { return editMode; }

    // Graph files, autosave and printing. Writers return false, with a console and a
    // standard-error line, when the file could not be written; the old file then survives.
    // Readers check the whole file before the graph changes. Each gives the reason of a
    // failure in why when asked.
    bool save(QString fileName, QString *why = nullptr);
    bool export_graph(QString fileName, QString *why = nullptr);
    bool open(QString fileName, QString *why = nullptr);
    bool autosave();
    bool autoload(QString *why = nullptr);
    // Why the last autosave failed (its file and the system's reason); empty once one succeeded.
    QString autosaveFailure() const { return lastAutosaveFailure; }
    // A new folder is a new start for the autosave: its failures in the old one are history.
    void setWD(QString folder)
    {
        workingDirectory = folder;
        lastAutosaveFailure.clear();
    }
    QString getWD() const { return workingDirectory; }
    QString autosavePath() const;
    // Draws the view into a PDF file, which replaces the old one only once it is whole; false,
    // with a console line and the reason in why, when it could not be written.
    bool printToFile(QString fileName, QString *why = nullptr);

    QString getName() const { return name; }
    bool isInteractive() const { return interactive; }
    Node *getNode(int i) const { return nodes[i]; }
    Edge *getEdgeItem(int i, int j) const { return edges[i][j]; }
    QGraphicsScene *getScene() const { return scene; }
    QPoint getLastMousePos() const { return lastMousePos; }
    int getLastClickedNode() const { return lastClickedNode; }

signals:
    void signal_start_vns();
    void signal_stop_vns();
    void signal_best_graph_changed();
    void signal_console(QString, bool, int, QColor);
    void signal_hilight_node(int);
    void signal_place_graph();
    void signal_load_next();
    void signal_interactive_graph_changed();

public slots:
    void slot_setScalePos(int s) { scalePos = s; }
    void slot_randomPosition();
    void slot_scalePosition();
    void slot_set_node_radius(double r);
    void slot_relabel();
    void slot_set_add_k() { editMode = 0; }
    void slot_set_add_bip() { editMode = 1; }
    void slot_set_add_tail() { editMode = 2; }
    void slot_invert_selection();
    void slot_select_all();
    void slot_unselect_all();
    void slot_complement();
    void slot_adde();
    void slot_reme();
    void slot_addv();
    void slot_remv();
    void slot_open();
    void slot_save();
    void slot_export_graph();
    void slot_print();
    void slot_update();

protected:
    void timerEvent(QTimerEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

private:
    // Adds vertices until there are count, as repeated addNode() calls would; a graph that
    // shows nothing skips the repaint of each step.
    void addNodesUpTo(int count);
    void bumpId(int k = 1) { identifier.fetch_add(k, std::memory_order_relaxed); }
    void setVertexCount(int count);
    void selectionEnding();
    void modelEnding();
    void additionEnding();
    void addVertex(int mode);
    // Index of the topmost shown vertex item at a scene point, or -1.
    int pickNode(const QPointF &scenePoint) const;
    int nodeIndex(const QGraphicsItem *item) const;
    void keyWithoutControl(int key);
    void keyWithControl(int key);
    // File texts, built from the best copy; the caller holds the whole-graph mutex.
    QString vertexLines() const;
    QString fileText(bool withIdentifier) const;
    QString exportText() const;
    // writeText says nothing on failure but the reason; writeFile reports it.
    bool writeText(const QString &path, const std::function<QString()> &build, QString *why);
    bool writeFile(const QString &path, const std::function<QString()> &build, QString *why);
    bool readFile(const QString &path, bool withIdentifier, QString *why);
    // Renders the whole view on a printer's painter.
    void renderForPrint(QPainter *painter);
    void consoleError(const QString &text);
    // Shared by both graph-text readers: sets the count and writes every pair.
    void readGraphText(const QString &text, bool reset);
    // Writes every pair among the first count vertices from the rows, under the adjacency lock.
    void writePairs(const Row rows[MaxNodes], int count);
    bool decodeG6(const QByteArray &line, bool reset);

    QGraphicsScene *scene = nullptr;
    QVector<Node *> nodes;
    QVector<QVector<Edge *>> edges;
    Row adj[MaxNodes];
    Row bestAdj[MaxNodes];
    QString name;
    int editMode = 0;
    bool altHeld = false;
    bool controlHeld = false;
    int scalePos = 400;
    std::atomic<int> identifier{0};
    std::atomic<int> bestIdentifier{0};
    int displayTimer = 0;
    int displayInterval = 200;
    int animationTimer = 0;
    int animationInterval = 500;
    bool interactive;
    bool violated = false;
    QMutex wholeMutex;
    // A standard mutex, not a QMutex: ThreadSanitizer sees its ordering, while QMutex's
    // contended path runs inside the uninstrumented Qt library.
    std::mutex adjMutex;
    // Whether an entry may be set without its mirror (only a single-entry toggle does that),
    // for the current rows and their best copy; under adjMutex. While not, a snapshot is the
    // rows themselves.
    bool asymmetric = false;
    bool bestAsymmetric = false;
    // The last symmetric snapshot and the raw rows it was made from, under adjMutex.
    int symKeyCount = -1;
    Row symKey[MaxNodes] = {};
    Row symRows[MaxNodes] = {};
    // Atomic: the count changes in the GUI thread (a hand-over taken into the shown graph)
    // while the dispatching thread copies the graph for a worker's job.
    std::atomic<int> n{0};
    int bestN = 0;
    // The order the vertices' existence flags were last set for by setVertexCount; -1 once
    // anything else sets them.
    int existsFor = -1;
    QPoint lastMousePos{0, 0};
    QString workingDirectory;
    bool selecting = false;
    QPointF rubberOrigin{0, 0};
    QGraphicsRectItem *rubberBand = nullptr;
    bool dragged = false;
    int lastClickedNode = 0;
    std::mutex offerMutex;
    QString offeredText;
    bool hasOffer = false;
    // A failing autosave is reported once, until an autosave succeeds again.
    QString lastAutosaveFailure;
};

#endif
