#include "graph/Graph.h"

#include "graph/Edge.h"
#include "graph/Node.h"

#include "dialogs/DialogProvider.h"
#include "files/PdfFile.h"
#include "files/TextFile.h"
#include "graph/GraphText.h"
#include "calculus/orv_rand.h"

#include <QFile>
#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QMutexLocker>
#include <QPainter>
#include <QPrinter>
#include <QStringList>
#include <QTimerEvent>
#include <QWheelEvent>
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <iostream>

using namespace adjacency;

namespace {
// One step of the arrow keys and of the animation: a 64th of a half turn.
constexpr double RotationStep = 3.14159265 / 64;

// Span of a coordinate range used for rescaling; a degenerate range is taken as 10 wide.
inline double scaleSpan(double lo, double hi) { return hi - lo < 0.1 ? 10.0 : hi - lo; }

// A computed value as a colour index: NaN gives 0 and the rest is clamped into an int, so
// the conversion is always defined.
inline int colorValue(double v)
{
    if (std::isnan(v))
        return 0;
    if (v >= double(INT_MAX))
        return INT_MAX;
    if (v <= double(INT_MIN))
        return INT_MIN;
    return static_cast<int>(v);
}

inline QString shortNumber(double v) { return QString::number(v, 'g', 6); }
} // namespace

Graph::Graph(QString name_, bool interactive_) : QGraphicsView(static_cast<QWidget *>(nullptr)), name(name_), interactive(interactive_)
{
    if (interactive) {
        scene = new QGraphicsScene(this);
        rubberBand = new QGraphicsRectItem();
        rubberBand->hide();
        rubberBand->setBrush(QBrush(Qt::yellow, Qt::SolidPattern));
        rubberBand->setPen(QPen(Qt::red));
        rubberBand->setZValue(1000.0);
        rubberBand->setOpacity(0.5);
        scene->addItem(rubberBand);
        setScene(scene);
        setContextMenuPolicy(Qt::CustomContextMenu);
        setCacheMode(QGraphicsView::CacheBackground);
        setRenderHint(QPainter::Antialiasing);
        setBackgroundBrush(QBrush(Qt::white, Qt::SolidPattern));
        setMouseTracking(true);
    }

    {
        QMutexLocker whole(&wholeMutex);
        std::lock_guard<std::mutex> lockAdj(adjMutex);
        // Both matrices start as the complete graph on 32 vertices.
        for (int i = 0; i < MaxNodes; ++i) {
            adj[i] = ~Row(0) & ~bit(i);
            bestAdj[i] = adj[i];
        }
        edges.resize(MaxNodes);
        for (int i = 0; i < MaxNodes; ++i)
            edges[i].fill(nullptr, MaxNodes);
        nodes.reserve(MaxNodes);
        for (int i = 0; i < MaxNodes; ++i) {
            const double x = (qrand() % 2000) / 10.0;
            const double y = (qrand() % 2000) / 10.0;
            Node *node = new Node(x, y, 10.0, 10.0, QString("Node %1").arg(i + 1), interactive);
            nodes.append(node);
            if (scene)
                scene->addItem(node);
            for (int j = 0; j < i; ++j) {
                Edge *e = new Edge(nodes[i], nodes[j]);
                edges[i][j] = e;
                edges[j][i] = e;
                if (scene)
                    scene->addItem(e);
                e->resetVisible((bestAdj[i] >> j) & 1u);
                nodes[i]->addENeighbor(e);
                nodes[j]->addENeighbor(e);
            }
        }
    }

    identifier.store(qrand());
    bestIdentifier.store(int(unsigned(identifier.load()) - 1u));

    randomGraph(10);
    best_backup();
    update_display();
    setViolated(false);
}

Graph::~Graph()
{
    clear();
    // Items in the scene are removed first so the scene does not delete them a second time.
    for (int i = 0; i < MaxNodes; ++i)
        for (int j = 0; j < i; ++j) {
            if (scene)
                scene->removeItem(edges[i][j]);
            delete edges[i][j];
        }
    for (Node *node : nodes) {
        if (scene)
            scene->removeItem(node);
        delete node;
    }
    if (scene && rubberBand) {
        scene->removeItem(rubberBand);
        delete rubberBand;
    }
}

Graph *Graph::clone()
{
    Graph *g = new Graph("Clone", false);
    g->copy(this);
    return g;
}

void Graph::copy(Graph *other)
{
    // The other graph is read once under its own lock, so copying a graph onto itself
    // cannot deadlock and never holds two adjacency locks at once.
    Row rows[MaxNodes];
    const int count = other->snapshot(rows);
    {
        std::lock_guard<std::mutex> locker(adjMutex);
        n = count;
        const Row inside = lowMask(count);
        for (int i = 0; i < count; ++i)
            adj[i] = (adj[i] & ~inside) | rows[i];
    }
    bumpId();
}

bool Graph::edge(int i, int j)
{
    std::lock_guard<std::mutex> locker(adjMutex);
    if (i < 0 || j < 0 || i >= n || j >= n || i == j)
        return false;
    return ((adj[i] >> j) & 1u) || ((adj[j] >> i) & 1u);
}

int Graph::getNbEdges()
{
    std::lock_guard<std::mutex> locker(adjMutex);
    if (n < 2)
        return 0;
    int count = 0;
    const Row inside = lowMask(n);
    for (int i = 0; i < n; ++i) {
        // Entries (i, j) with i < j only.
        const Row above = inside & ~lowMask(i + 1);
        count += popcount(adj[i] & above);
    }
    return count;
}

int Graph::symmetricRows(const Row src[MaxNodes], int count, Row out[MaxNodes])
{
    // A pair is an edge when either of its two entries is set: the rows or their transpose.
    adjacency::transpose(src, count, out);
    const Row inside = lowMask(count);
    for (int i = 0; i < count; ++i)
        out[i] = (out[i] | src[i]) & inside & ~bit(i);
    return count;
}

int Graph::snapshot(Row rows[MaxNodes])
{
    std::lock_guard<std::mutex> locker(adjMutex);
    const int count = n;
    if (!asymmetric) {
        // Every edit but a single-entry toggle writes both entries of a pair.
        const Row inside = lowMask(count);
        for (int i = 0; i < MaxNodes; ++i)
            rows[i] = i < count ? adj[i] & inside & ~bit(i) : 0;
        return count;
    }
    // Every item of one evaluation reads the same rows: the symmetric rows are kept with the
    // raw rows they came from and made again only when those differ.
    if (count != symKeyCount || !std::equal(adj, adj + count, symKey)) {
        symmetricRows(adj, count, symRows);
        std::copy(adj, adj + count, symKey);
        symKeyCount = count;
    }
    std::copy(symRows, symRows + MaxNodes, rows);
    return count;
}

int Graph::bestSnapshot(Row rows[MaxNodes])
{
    QMutexLocker locker(&wholeMutex);
    return symmetricRows(bestAdj, bestN, rows);
}

bool Graph::addEdge(int i, int j)
{
    std::lock_guard<std::mutex> locker(adjMutex);
    bumpId();
    if (i < 0 || j < 0 || i >= n || j >= n || i == j)
        return false;
    adj[i] |= bit(j);
    adj[j] |= bit(i);
    return true;
}

bool Graph::remEdge(int i, int j)
{
    if (i < 0 || j < 0 || i >= MaxNodes || j >= MaxNodes)
        return false;
    std::lock_guard<std::mutex> locker(adjMutex);
    bumpId();
    const bool was = ((adj[i] >> j) & 1u) || ((adj[j] >> i) & 1u);
    if (!was)
        return false;
    adj[i] &= ~bit(j);
    adj[j] &= ~bit(i);
    return true;
}

void Graph::setRows(Row which, const Row rows[MaxNodes], int steps)
{
    std::lock_guard<std::mutex> locker(adjMutex);
    bumpId(steps);
    const Row inside = lowMask(n);
    for (Row w = which & inside; w; w &= w - 1) {
        const int v = lowest(w);
        adj[v] = (adj[v] & ~inside) | (rows[v] & inside & ~bit(v));
    }
}

void Graph::toggleEdge(int i, int j)
{
    if (i < 0 || j < 0 || i >= MaxNodes || j >= MaxNodes)
        return;
    std::lock_guard<std::mutex> locker(adjMutex);
    adj[i] ^= bit(j);
    asymmetric = true;
}

void Graph::invert()
{
    // Every entry of the n x n block, diagonal included, as a run of single toggles would.
    std::lock_guard<std::mutex> locker(adjMutex);
    const Row inside = lowMask(n);
    for (int i = 0; i < n; ++i)
        adj[i] ^= inside;
}

void Graph::setVertexCount(int count)
{
    n = count < 0 ? 0 : (count > MaxNodes ? MaxNodes : count);
    // A search reloads graphs of one order millions of times: the flags are already right.
    if (existsFor == n)
        return;
    for (int i = 0; i < MaxNodes; ++i)
        nodes[i]->setExists(i < n);
    existsFor = n;
}

bool Graph::addNode()
{
    if (n >= MaxNodes)
        return false;
    const QPointF p = mapToScene(lastMousePos);
    nodes[n]->setPosition(p.x(), p.y(), 0);
    {
        // A vertex comes without edges, whatever an earlier larger graph left in its entries.
        std::lock_guard<std::mutex> locker(adjMutex);
        adj[n] = 0;
        for (int i = 0; i < MaxNodes; ++i)
            adj[i] &= ~bit(n);
    }
    setVertexCount(n + 1);
    bumpId();
    update_display();
    return true;
}

void Graph::addNodesUpTo(int count)
{
    if (interactive) {
        while (n < count && addNode()) {
        }
        return;
    }
    // Nothing shows this graph: the vertices get what addNode gives them (the same place,
    // no edges, one identifier step each) without the repaint after each one. A vertex
    // already at that place keeps its position untouched, which spares a loader that reads
    // graph after graph every geometry update.
    const int target = std::min(count, int(MaxNodes));
    if (n >= target)
        return;
    const QPointF p = mapToScene(lastMousePos);
    for (int k = n; k < target; ++k) {
        Node *node = nodes[k];
        const QPointF at = node->pos();
        if (node->getCoordX() != p.x() || node->getCoordY() != p.y() || node->getCoordZ() != 0.0 ||
            at.x() != p.x() || at.y() != p.y() || node->zValue() != 0.0)
            node->setPosition(p.x(), p.y(), 0);
    }
    {
        std::lock_guard<std::mutex> locker(adjMutex);
        const Row added = lowMask(target) & ~lowMask(n);
        for (int k = n; k < target; ++k)
            adj[k] = 0;
        for (int i = 0; i < MaxNodes; ++i)
            adj[i] &= ~added;
    }
    const int added = target - n;
    setVertexCount(target);
    bumpId(added);
}

bool Graph::remNode()
{
    if (n <= 0)
        return false;
    setVertexCount(n - 1);
    for (int i = 0; i < n; ++i)
        remEdge(i, n);
    bumpId();
    update_display();
    return true;
}

bool Graph::remNode(int v)
{
    if (v < 0 || v >= n)
        return false;
    int m;
    {
        std::lock_guard<std::mutex> locker(adjMutex);
        m = n - 1;
        setVertexCount(m);
        if (v != m && m > 0) {
            for (int k = 0; k < m; ++k) {
                if (k == v)
                    continue;
                if ((adj[m] >> k) & 1u)
                    adj[v] |= bit(k);
                else
                    adj[v] &= ~bit(k);
            }
            for (int k = 0; k < m; ++k) {
                if (k == v)
                    continue;
                if ((adj[k] >> m) & 1u)
                    adj[k] |= bit(v);
                else
                    adj[k] &= ~bit(v);
            }
        }
    }
    for (int k = 0; k < m; ++k)
        remEdge(m, k);
    existsFor = -1;
    nodes[m]->setExists(false);
    bumpId();
    update_display();
    return true;
}

void Graph::clear()
{
    {
        std::lock_guard<std::mutex> locker(adjMutex);
        for (int i = 0; i < MaxNodes; ++i)
            adj[i] = 0;
        asymmetric = false;
    }
    // One identifier step per pair, as clearing pair by pair gives.
    bumpId(MaxNodes * (MaxNodes - 1) / 2);
    for (Node *node : nodes)
        node->setExists(false);
    existsFor = -1;
    n = 0;
}

void Graph::randomGraph(int target)
{
    clear();
    while (n < target && addNode()) {
    }
    while (n > target && remNode()) {
    }
    for (int i = 0; i + 1 < n; ++i)
        for (int j = i + 1; j < n; ++j) {
            if (qrand() & 1)
                addEdge(i, j);
            else
                remEdge(i, j);
        }
}

void Graph::relabel()
{
    std::lock_guard<std::mutex> locker(adjMutex);
    if (n < 2)
        return;
    for (int i = 0; i < n; ++i) {
        int r = qrand() % (n - 1);
        if (r == i)
            r = n - 1;
        // Swap rows i and r over columns 0..n-1, then columns i and r over rows 0..n-1.
        const Row inside = lowMask(n);
        const Row ri = adj[i] & inside, rr = adj[r] & inside;
        adj[i] = (adj[i] & ~inside) | rr;
        adj[r] = (adj[r] & ~inside) | ri;
        for (int k = 0; k < n; ++k) {
            const Row bi = (adj[k] >> i) & 1u, br = (adj[k] >> r) & 1u;
            adj[k] = (adj[k] & ~bit(i) & ~bit(r)) | (br << i) | (bi << r);
        }
    }
}

void Graph::slot_relabel()
{
    relabel();
    bumpId();
    emit signal_interactive_graph_changed();
}

void Graph::best_backup()
{
    QMutexLocker whole(&wholeMutex);
    std::lock_guard<std::mutex> lockAdj(adjMutex);
    std::memcpy(bestAdj, adj, sizeof(adj));
    bestAsymmetric = asymmetric;
    bestN = n;
    existsFor = -1;
    for (int i = 0; i < MaxNodes; ++i) {
        nodes[i]->setExists(i < bestN);
        nodes[i]->setVisibleFlag(i < bestN);
    }
    bestIdentifier.store(identifier.load());
}

void Graph::best_restore()
{
    QMutexLocker whole(&wholeMutex);
    std::lock_guard<std::mutex> lockAdj(adjMutex);
    identifier.store(bestIdentifier.load());
    std::memcpy(adj, bestAdj, sizeof(adj));
    asymmetric = bestAsymmetric;
    n = bestN;
    existsFor = -1;
    for (int i = 0; i < MaxNodes; ++i)
        nodes[i]->setExists(i < bestN);
}

void Graph::changeBest()
{
    bumpId();
    best_backup();
    emit signal_best_graph_changed();
}

bool Graph::bestEdge(int i, int j)
{
    QMutexLocker whole(&wholeMutex);
    if (i < 0 || j < 0 || i >= bestN || j >= bestN || i == j)
        return false;
    return ((bestAdj[i] >> j) & 1u) || ((bestAdj[j] >> i) & 1u);
}

// ---- Graph text and graph6 ----

QString Graph::graphData()
{
    QMutexLocker whole(&wholeMutex);
    QString text = QString::number(bestN) + ' ';
    text.reserve(text.size() + bestN * (bestN - 1) / 2);
    for (int i = 1; i < bestN; ++i)
        for (int j = 0; j < i; ++j)
            text += ((bestAdj[i] >> j) & 1u) ? '1' : '0';
    return text;
}

QString Graph::currentGraphData()
{
    Row rows[MaxNodes];
    const int count = snapshot(rows);
    return graphText(rows, count);
}

QString Graph::graphText(const Row rows[MaxNodes], int count)
{
    // Written in place: an optimiser makes one text per candidate graph.
    const QString head = QString::number(count) + ' ';
    QString text(head.size() + (count > 1 ? count * (count - 1) / 2 : 0), QLatin1Char('0'));
    QChar *out = text.data();
    for (QChar c : head)
        *out++ = c;
    for (int i = 1; i < count; ++i)
        for (int j = 0; j < i; ++j)
            *out++ = QLatin1Char(((rows[i] >> j) & 1u) ? '1' : '0');
    return text;
}

void Graph::writePairs(const Row rows[MaxNodes], int count)
{
    std::lock_guard<std::mutex> locker(adjMutex);
    const Row inside = lowMask(count);
    for (int i = 0; i < count; ++i) {
        const Row pairs = inside & ~bit(i);
        adj[i] = (adj[i] & ~pairs) | (rows[i] & pairs);
    }
}

void Graph::offerGraph(const QString &text)
{
    // The text it replaces is released here, after the lock, by the inline destructor: its
    // data may be shared with strings of other threads.
    QString replaced = text;
    std::lock_guard<std::mutex> locker(offerMutex);
    offeredText.swap(replaced);
    hasOffer = true;
}

bool Graph::takeOfferedGraph()
{
    QString text;
    {
        std::lock_guard<std::mutex> locker(offerMutex);
        if (!hasOffer)
            return false;
        text.swap(offeredText);
        hasOffer = false;
    }
    loadCurrentGraph(text);
    return true;
}

void Graph::readGraphText(const QString &text, bool reset)
{
    const GraphText::Rows g = GraphText::parsePairs(text);
    const int count = g.count;
    setVertexCount(count);
    if (reset) {
        clear();
        best_backup();
        addNodesUpTo(count);
        best_backup();
    }

    // Every pair of the new count is written; the identifier moves on once per pair.
    writePairs(g.rows, count);
    const int nbPairs = count * (count - 1) / 2;
    // A graph without pairs still becomes a new graph for the items' caches.
    bumpId(nbPairs > 0 ? nbPairs : 1);
}

void Graph::loadorv(QString text, bool reset)
{
    readGraphText(text, reset);
    best_backup();
    if (reset) {
        slot_unselect_all();
        emit signal_best_graph_changed();
    }
}

void Graph::loadCurrentGraph(QString text)
{
    readGraphText(text, false);
}

bool Graph::decodeG6(const QByteArray &line, bool reset)
{
    // The whole line is read before the graph is touched: a refused line changes nothing.
    GraphText::Rows g;
    if (!GraphText::parseGraph6(line, &g))
        return false;
    const int count = g.count;
    if (reset) {
        // The reset sets the count itself.
        clear();
        addNodesUpTo(count);
        best_backup();
    } else {
        setVertexCount(count);
    }
    writePairs(g.rows, count);
    bumpId(count * (count - 1) / 2);
    return true;
}

bool Graph::loadg6(QString line, bool reset)
{
    // A line of up to 31 vertices fits the stack buffer: a list load reads it without an
    // allocation.
    char stack[128];
    QByteArray held;
    char *out = stack;
    if (line.size() > int(sizeof stack)) {
        held.resize(line.size());
        out = held.data();
    }
    const char *start = out;
    for (QChar c : qAsConst(line))
        *out++ = c.unicode() > 0xFF ? char(0) : char(c.unicode());
    return decodeG6(QByteArray::fromRawData(start, line.size()), reset);
}

bool Graph::loadg6(std::istream &in)
{
    QByteArray bytes;
    char c;
    while (in.get(c)) {
        if (c == '\n' || c == '\r')
            break;
        bytes.append(c);
    }
    return decodeG6(bytes, true);
}

// ---- Display ----

void Graph::update_display()
{
    QMutexLocker whole(&wholeMutex);
    std::lock_guard<std::mutex> lockAdj(adjMutex);
    existsFor = -1;
    for (int i = 0; i < MaxNodes; ++i) {
        nodes[i]->setVisibleFlag(i < bestN);
        nodes[i]->setExists(i < bestN);
        nodes[i]->updateVisible();
        for (int j = 0; j < i; ++j)
            edges[i][j]->resetVisible((bestAdj[i] >> j) & 1u);
    }
}

void Graph::setViolated(bool v)
{
    if (v == violated)
        return;
    violated = v;
    setBackgroundBrush(QBrush(v ? Qt::gray : Qt::white, Qt::SolidPattern));
    if (viewport())
        viewport()->update();
}

void Graph::optimizationStarts()
{
    emit signal_console("Graph Start timer " + QString::number(displayTimer), true, 0, QColor(Qt::gray));
    if (displayTimer != 0)
        return;
    displayTimer = startTimer(displayInterval, Qt::CoarseTimer);
    emit signal_console("Timer " + QString::number(displayTimer) + " started.", true, 0, QColor(Qt::gray));
}

void Graph::optimizationStops()
{
    emit signal_console("Graph Kill timer " + QString::number(displayTimer), true, 0, QColor(Qt::gray));
    if (displayTimer != 0)
        killTimer(displayTimer);
    displayTimer = 0;
}

void Graph::toggleAnim()
{
    if (animationTimer == 0) {
        animationTimer = startTimer(animationInterval, Qt::CoarseTimer);
    } else {
        killTimer(animationTimer);
        animationTimer = 0;
    }
}

void Graph::timerEvent(QTimerEvent *event)
{
    const int id = event->timerId();
    if (id == 0 || (id != animationTimer && id != displayTimer)) {
        QGraphicsView::timerEvent(event);
        return;
    }
    if (id == animationTimer)
        rotate(0, RotationStep, 0);
    update_display();
}

void Graph::center()
{
    if (bestN < 2)
        return;
    double mx = 0, my = 0, mz = 0;
    for (int i = 0; i < bestN; ++i) {
        mx += nodes[i]->x();
        my += nodes[i]->y();
        mz += nodes[i]->getCoordZ();
    }
    mx /= bestN;
    my /= bestN;
    mz /= bestN;
    for (int i = 0; i < bestN; ++i)
        nodes[i]->setPosition(nodes[i]->x() - mx, nodes[i]->y() - my, nodes[i]->getCoordZ() - mz);
}

void Graph::rotate(double ax, double ay, double az)
{
    center();
    const double cx = std::cos(ax), sx = std::sin(ax);
    const double cy = std::cos(ay), sy = std::sin(ay);
    const double cz = std::cos(az), sz = std::sin(az);
    for (int i = 0; i < bestN; ++i) {
        const double x = nodes[i]->x(), y = nodes[i]->y(), z = nodes[i]->getCoordZ();
        const double y1 = y * cx - z * sx;
        const double z1 = y * sx + z * cx;
        const double x2 = x * cy + z1 * sy;
        const double z2 = z1 * cy - x * sy;
        const double x3 = x2 * cz - y1 * sz;
        const double y3 = x2 * sz + y1 * cz;
        nodes[i]->setPosition(x3, y3, z2);
    }
}

void Graph::wheelEvent(QWheelEvent *event)
{
    scaleView(std::pow(2.0, -event->delta() / 240.0));
}

void Graph::scaleView(double f)
{
    QTransform t = transform();
    t.scale(f, f);
    const double width = t.mapRect(QRectF(0, 0, 1, 1)).width();
    if (!(width >= 0.07 && width <= 100))
        return;
    scale(f, f);
}

void Graph::place_circle(double d)
{
    for (int i = 0; i < n; ++i) {
        const double t = 2 * i * 3.14159265 / n;
        nodes[i]->setPosition(std::cos(t) * d / 2, std::sin(t) * d / 2);
    }
}

void Graph::slot_randomPosition()
{
    for (int k = 0; k < MaxNodes; ++k) {
        const double q = qrand();
        const double r = (q * 30.0 / 2147483647.0) * 5.0;
        const double t = k * 6.2831853 / 32;
        nodes[k]->setPos(r * std::sin(t), r * std::cos(t));
    }
}

void Graph::slot_scalePosition()
{
    const double h = scalePos / 2.0;
    double minX = 1e12, minY = 1e12, maxX = -1e12, maxY = -1e12;
    for (Node *node : nodes) {
        minX = std::min(minX, node->x());
        maxX = std::max(maxX, node->x());
        minY = std::min(minY, node->y());
        maxY = std::max(maxY, node->y());
    }
    const double spanX = scaleSpan(minX, maxX), spanY = scaleSpan(minY, maxY);
    for (Node *node : nodes)
        node->setPos((node->x() - minX) * 2 * h / spanX - h, (node->y() - minY) * 2 * h / spanY - h);
}

void Graph::scaleCoords(double w, double h)
{
    if (bestN <= 0)
        return;
    double minX = 1e12, minY = 1e12, maxX = -1e12, maxY = -1e12;
    for (int i = 0; i < bestN; ++i) {
        minX = std::min(minX, nodes[i]->getCoordX());
        maxX = std::max(maxX, nodes[i]->getCoordX());
        minY = std::min(minY, nodes[i]->getCoordY());
        maxY = std::max(maxY, nodes[i]->getCoordY());
    }
    const double spanX = scaleSpan(minX, maxX), spanY = scaleSpan(minY, maxY);
    for (int i = 0; i < bestN; ++i)
        nodes[i]->setPosition((nodes[i]->getCoordX() - minX) * w / spanX - w / 2,
                              (nodes[i]->getCoordY() - minY) * h / spanY - h / 2);
}

void Graph::setPos(int i, QPointF p)
{
    if (i >= 0 && i < n)
        nodes[i]->setPosition(p.x(), p.y());
}

void Graph::setPos(int i, double x, double y, double z)
{
    if (i >= 0 && i < n)
        nodes[i]->setPosition(x, y, z);
}

void Graph::setLabels(QVector<double> v)
{
    if (v.isEmpty()) {
        resetLabels();
        return;
    }
    for (int i = 0; i < v.size() && i < MaxNodes; ++i)
        nodes[i]->setLabel(shortNumber(v[i]));
}

void Graph::setColors(QVector<double> v)
{
    if (v.isEmpty()) {
        resetColors();
        return;
    }
    for (int i = 0; i < v.size() && i < MaxNodes; ++i)
        nodes[i]->setColor(colorValue(v[i]));
}

void Graph::resetLabels()
{
    for (Node *node : nodes)
        node->setLabel(QString());
}

void Graph::resetColors()
{
    for (Node *node : nodes)
        node->setColor(0);
}

void Graph::setELabels(QVector<QVector<double>> m, bool on)
{
    for (int i = 0; i < bestN; ++i)
        for (int j = 0; j < i; ++j) {
            if (!edge(i, j))
                continue;
            if (!on)
                edges[i][j]->setLabel(QString());
            else if (i < m.size() && j < m[i].size())
                edges[i][j]->setLabel(shortNumber(m[i][j]));
        }
}

void Graph::setEHilight(QVector<QVector<double>> m, bool on)
{
    for (int i = 0; i < bestN; ++i)
        for (int j = 0; j < i; ++j) {
            if (!edge(i, j))
                continue;
            const bool inside = i < m.size() && j < m[i].size();
            edges[i][j]->setHilighted(on && inside && m[i][j] > 0.999999);
        }
}

void Graph::hilight(int k)
{
    for (int i = 0; i < MaxNodes; ++i) {
        if (i == k)
            nodes[i]->hilight();
        else
            nodes[i]->unhilight();
    }
    emit signal_hilight_node(k);
}

void Graph::slot_set_node_radius(double r)
{
    for (Node *node : nodes)
        node->setRadius(r);
}

void Graph::slot_update()
{
    bumpId();
    emit signal_interactive_graph_changed();
}

void Graph::display()
{
    QMutexLocker whole(&wholeMutex);
    std::lock_guard<std::mutex> lockAdj(adjMutex);
    std::cerr << "ID = " << getID() << std::endl;
    const Row *matrices[2] = {bestAdj, adj};
    const char *titles[2] = {"--best graph--", "--cur graph--"};
    for (int k = 0; k < 2; ++k) {
        std::cerr << titles[k] << std::endl;
        for (int i = 0; i < n; ++i) {
            std::string line;
            for (int j = 0; j < n; ++j)
                line += ((matrices[k][i] >> j) & 1u) ? "1 " : "0 ";
            std::cerr << line << std::endl;
        }
    }
    std::cerr << "-------" << std::endl;
}

// ---- Selection ----

void Graph::selectionEnding()
{
    bumpId();
    emit signal_interactive_graph_changed();
}

void Graph::slot_select_all()
{
    for (Node *node : nodes) {
        node->setSelected(true);
        node->update();
    }
    selectionEnding();
}

void Graph::slot_unselect_all()
{
    for (Node *node : nodes)
        if (node->isNodeSelected()) {
            node->setSelected(false);
            node->update();
        }
    selectionEnding();
}

void Graph::slot_invert_selection()
{
    for (Node *node : nodes) {
        node->toggleSelected();
        node->update();
    }
    selectionEnding();
}

// ---- Editing ----

void Graph::modelEnding()
{
    additionEnding();
    update_display();
}

void Graph::additionEnding()
{
    bumpId();
    best_backup();
    emit signal_best_graph_changed();
}

void Graph::addVertex(int mode)
{
    const QPointF p = mapToScene(lastMousePos);
    if (n > MaxNodes - 1)
        return;
    const int v = n;
    setVertexCount(n + 1);
    nodes[v]->setPosition(p.x(), p.y(), 0);
    nodes[v]->setSelected(mode == 0);
    // The new vertex is joined to exactly the vertices selected before it came.
    for (int u = 0; u < n; ++u) {
        if (u == v)
            continue;
        if (nodes[u]->isNodeSelected())
            addEdge(u, v);
        else
            remEdge(u, v);
    }
    if (mode == 2) {
        for (Node *node : nodes)
            node->setSelected(false);
        nodes[v]->setSelected(true);
    }
    for (Node *node : nodes)
        node->update();
    additionEnding();
}

void Graph::addK() { addVertex(0); }
void Graph::addBip() { addVertex(1); }
void Graph::addTail() { addVertex(2); }

void Graph::slot_adde()
{
    for (int i = 0; i < bestN; ++i)
        for (int j = i + 1; j < bestN; ++j)
            if (nodes[i]->isNodeSelected() && nodes[j]->isNodeSelected())
                addEdge(i, j);
    modelEnding();
}

void Graph::slot_reme()
{
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j)
            if (nodes[i]->isNodeSelected() && nodes[j]->isNodeSelected())
                remEdge(i, j);
    modelEnding();
}

void Graph::slot_complement()
{
    for (int i = 0; i < bestN; ++i)
        for (int j = i + 1; j < bestN; ++j)
            if (nodes[i]->isNodeSelected() && nodes[j]->isNodeSelected()) {
                if (edge(i, j))
                    remEdge(i, j);
                else
                    addEdge(i, j);
            }
    modelEnding();
}

void Graph::slot_addv()
{
    addNode();
    modelEnding();
}

void Graph::slot_remv()
{
    best_restore();
    {
        std::lock_guard<std::mutex> locker(adjMutex);
        int last = n - 1;
        // From the top down, so the vertex moved into a freed place is never a selected one.
        for (int k = n - 1; k >= 0; --k) {
            if (!nodes[k]->isNodeSelected())
                continue;
            adj[k] = 0;
            for (int r = 0; r < MaxNodes; ++r)
                adj[r] &= ~bit(k);
            if (k < last) {
                adj[k] = adj[last];
                for (int r = 0; r < MaxNodes; ++r)
                    adj[r] = (adj[r] & ~bit(k)) | (((adj[r] >> last) & 1u) << k);
                std::swap(nodes[k], nodes[last]);
            }
            --n;
            last = n - 1;
        }
        const Row inside = lowMask(n);
        for (int i = 0; i < MaxNodes; ++i)
            adj[i] = i < n ? (adj[i] & inside) : 0;
        // Vertex items travelled with their vertices: every edge item is bound again to the
        // items now at its two positions, and each item lists the edges it now ends.
        for (Node *node : nodes)
            node->clearENeighbors();
        for (int i = 0; i < MaxNodes; ++i)
            for (int j = 0; j < i; ++j) {
                Edge *e = edges[i][j];
                e->setOrig(nodes[i]);
                e->setDest(nodes[j]);
                nodes[i]->addENeighbor(e);
                nodes[j]->addENeighbor(e);
                e->resetVisible((adj[i] >> j) & 1u);
            }
    }
    modelEnding();
}

// ---- Mouse and keyboard ----

int Graph::pickNode(const QPointF &scenePoint) const
{
    if (!scene)
        return -1;
    // Topmost first; hidden items are not reported.
    const QList<QGraphicsItem *> under =
        scene->items(scenePoint, Qt::IntersectsItemShape, Qt::DescendingOrder, viewportTransform());
    for (QGraphicsItem *item : under) {
        const int i = nodeIndex(item);
        if (i >= 0)
            return i;
    }
    return -1;
}

int Graph::nodeIndex(const QGraphicsItem *item) const
{
    for (int i = 0; i < MaxNodes; ++i)
        if (nodes[i] == item)
            return i;
    return -1;
}

void Graph::mousePressEvent(QMouseEvent *event)
{
    if (!scene)
        return;
    selecting = true;
    rubberOrigin = mapToScene(event->pos());
    for (Node *node : nodes)
        if (node->isNodeSelected())
            node->setMousePressPos(node->pos());
    const int i = pickNode(rubberOrigin);
    if (i >= 0) {
        viewport()->setCursor(Qt::ClosedHandCursor);
        Node::setNodeUnderMouse(nodes[i]);
        lastClickedNode = i;
        selecting = false;
        nodes[i]->update();
    } else {
        rubberBand->setRect(QRectF(rubberOrigin, QSizeF(0, 0)));
        rubberBand->show();
    }
}

void Graph::mouseMoveEvent(QMouseEvent *event)
{
    lastMousePos = event->pos();
    if (!scene)
        return;
    const QPointF p = mapToScene(lastMousePos);
    if (selecting)
        rubberBand->setRect(QRectF(rubberOrigin, p).normalized());
    const bool overVertex = pickNode(p) >= 0;
    Node *grabbed = nodes.contains(Node::nodeUnderMouse()) ? Node::nodeUnderMouse() : nullptr;
    if (!grabbed) {
        viewport()->setCursor(overVertex ? Qt::OpenHandCursor : Qt::ArrowCursor);
    } else {
        viewport()->setCursor(Qt::ClosedHandCursor);
        if (!grabbed->isNodeSelected()) {
            grabbed->setPosition(p.x(), p.y(), 0);
        } else {
            // The grabbed centre follows the cursor; the other selected vertices keep their offsets.
            const QPointF offset = p - grabbed->getMousePressPos();
            for (Node *node : nodes)
                if (node->isNodeSelected())
                    node->setPosition(node->getMousePressPos() + offset);
        }
        dragged = true;
    }
    update_display();
}

void Graph::mouseReleaseEvent(QMouseEvent *)
{
    if (!scene)
        return;
    Node *grabbed = nodes.contains(Node::nodeUnderMouse()) ? Node::nodeUnderMouse() : nullptr;
    if (!selecting && grabbed && !dragged) {
        grabbed->toggleSelected();
        grabbed->update();
    }
    dragged = false;
    if (selecting) {
        // The band only adds to the selection.
        const QList<QGraphicsItem *> inside = scene->items(rubberBand->rect(), Qt::IntersectsItemShape);
        for (QGraphicsItem *item : inside) {
            const int i = nodeIndex(item);
            if (i >= 0) {
                nodes[i]->setSelected(true);
                nodes[i]->update();
            }
        }
    }
    selecting = false;
    rubberBand->hide();
    Node::setNodeUnderMouse(nullptr);
    viewport()->setCursor(Qt::OpenHandCursor);
    update_display();
}

void Graph::mouseDoubleClickEvent(QMouseEvent *)
{
    if (editMode >= 0 && editMode <= 2)
        addVertex(editMode);
}

void Graph::keyPressEvent(QKeyEvent *event)
{
    best_restore();
    const int key = event->key();
    // The modifiers come with the event, so a Control released outside the view cannot stay held.
    const Qt::KeyboardModifiers mods = event->modifiers();
    controlHeld = key == Qt::Key_Control || (mods & Qt::ControlModifier);
    altHeld = key == Qt::Key_Alt || (mods & Qt::AltModifier);
    if (controlHeld)
        keyWithControl(key);
    else
        keyWithoutControl(key);
    selectionEnding();
}

void Graph::keyWithoutControl(int key)
{
    switch (key) {
    case Qt::Key_Right:
        altHeld ? rotate(0, 0, RotationStep) : rotate(0, RotationStep, 0);
        break;
    case Qt::Key_Left:
        altHeld ? rotate(0, 0, -RotationStep) : rotate(0, -RotationStep, 0);
        break;
    case Qt::Key_Up:
        rotate(RotationStep, 0, 0);
        break;
    case Qt::Key_Down:
        rotate(-RotationStep, 0, 0);
        break;
    case Qt::Key_Minus:
        scaleView(1 / 1.1);
        break;
    case Qt::Key_Plus:
        scaleView(1.1);
        break;
    case Qt::Key_R:
        emit signal_start_vns();
        break;
    case Qt::Key_H:
        emit signal_stop_vns();
        break;
    case Qt::Key_Space:
        emit signal_load_next();
        break;
    case Qt::Key_Backspace:
        slot_reme();
        break;
    case Qt::Key_T:
        addTail();
        break;
    case Qt::Key_B:
        addBip();
        break;
    case Qt::Key_K:
        addK();
        break;
    case Qt::Key_M:
        emit signal_place_graph();
        break;
    default:
        break;
    }
}

void Graph::keyWithControl(int key)
{
    switch (key) {
    case Qt::Key_P:
        slot_print();
        break;
    case Qt::Key_X:
        slot_remv();
        break;
    case Qt::Key_U:
        slot_unselect_all();
        break;
    case Qt::Key_E:
        slot_adde();
        break;
    case Qt::Key_V:
        addNode();
        modelEnding();
        break;
    case Qt::Key_C:
        slot_complement();
        break;
    case Qt::Key_A:
        slot_select_all();
        break;
    case Qt::Key_I:
        slot_invert_selection();
        break;
    case Qt::Key_R:
        slot_update();
        break;
    default:
        break;
    }
}

void Graph::keyReleaseEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Control)
        controlHeld = false;
    else if (event->key() == Qt::Key_Alt)
        altHeld = false;
}

// ---- Graph files, autosave and printing ----

QString Graph::autosavePath() const
{
    return workingDirectory.isEmpty() ? QString(".orvgr") : workingDirectory + "/.orvgr";
}

QString Graph::vertexLines() const
{
    QString text;
    for (int i = 0; i < bestN; ++i)
        text += nodes[i]->nodeName() + '\t' + shortNumber(nodes[i]->x()) + '\t' + shortNumber(nodes[i]->y()) + '\n';
    return text;
}

QString Graph::fileText(bool withIdentifier) const
{
    Row rows[MaxNodes];
    symmetricRows(bestAdj, bestN, rows);
    QString text = QString::number(bestN) + '\n';
    if (withIdentifier)
        text += QString::number(getID()) + '\n';
    text += vertexLines();
    for (int i = 0; i < bestN; ++i)
        for (int j = 0; j < bestN; ++j)
            text += ((rows[i] >> j) & 1u) ? "1\t" : "0\t";
    return text;
}

QString Graph::exportText() const
{
    Row rows[MaxNodes];
    symmetricRows(bestAdj, bestN, rows);
    int m = 0;
    for (int i = 0; i < bestN; ++i)
        m += popcount(rows[i]);
    QString text = QString::number(bestN) + '\n' + QString::number(m / 2) + '\n' + vertexLines();
    for (int i = 0; i < bestN; ++i)
        for (int j = 0; j < bestN; ++j)
            if ((rows[i] >> j) & 1u)
                text += nodes[i]->nodeName() + '\t' + nodes[j]->nodeName() + "\t1\t0\n";
    return text;
}

void Graph::consoleError(const QString &text)
{
    emit signal_console(text, false, 0, QColor(Qt::red));
    std::cerr << text.toLocal8Bit().constData() << std::endl;
}

bool Graph::writeText(const QString &path, const std::function<QString()> &build, QString *why)
{
    // The text comes from one best copy, taken under the whole-graph lock.
    QString text;
    {
        QMutexLocker whole(&wholeMutex);
        text = build();
    }
    return TextFile::write(path, text.toLatin1(), why);
}

bool Graph::writeFile(const QString &path, const std::function<QString()> &build, QString *why)
{
    QString reason;
    if (writeText(path, build, &reason))
        return true;
    consoleError("Failed to write graph file " + path + ": " + reason);
    if (why)
        *why = reason;
    return false;
}

bool Graph::save(QString fileName, QString *why)
{
    return writeFile(fileName, [this] { return fileText(false); }, why);
}

bool Graph::autosave()
{
    QString why;
    if (writeText(autosavePath(), [this] { return fileText(true); }, &why)) {
        lastAutosaveFailure.clear();
        return true;
    }
    // The autosave comes back every minute: a lasting failure is said once, until an
    // autosave succeeds again.
    if (lastAutosaveFailure.isEmpty())
        consoleError("Autosave of the graph failed: " + autosavePath() + " (" + why + ")");
    lastAutosaveFailure = autosavePath() + ": " + why;
    return false;
}

bool Graph::export_graph(QString fileName, QString *why)
{
    return writeFile(fileName, [this] { return exportText(); }, why);
}

bool Graph::readFile(const QString &path, bool withIdentifier, QString *why)
{
    QByteArray bytes;
    QString reason;
    bool refused = false;
    if (!TextFile::read(path, &bytes, &reason, &refused)) {
        if (refused) {
            consoleError("Refused graph file " + path + ": " + reason);
        } else if (!withIdentifier) {
            // The box is the caller's, which names the file and gives the reason.
            consoleError("Cannot read graph file " + path + ": " + reason);
        }
        if (why)
            *why = reason;
        return false;
    }
    // The whole file is checked before the graph is touched.
    GraphText::File file;
    if (!GraphText::parseFile(bytes, withIdentifier, &file, &reason)) {
        std::cerr << "ERROR IN FILE FORMAT" << std::endl;
        emit signal_console("Refused graph file " + path + ": " + reason, false, 0, QColor(Qt::red));
        if (why)
            *why = reason;
        return false;
    }
    const int count = file.graph.count;

    clear();
    best_backup();
    if (withIdentifier) {
        identifier.store(file.storedId);
    } else {
        emit signal_console("Graph:" + QString::number(count), false, 1, QColor(Qt::gray));
        identifier.store(orv_rand(1000000));
    }
    for (int i = 0; i < count; ++i)
        addNode();
    {
        QMutexLocker whole(&wholeMutex);
        for (int i = 0; i < count; ++i) {
            nodes[i]->setNodeName(file.names[i]);
            nodes[i]->setPosition(file.positions[i].x(), file.positions[i].y(), 0);
            nodes[i]->setSelected(false);
        }
        for (int i = 0; i < count; ++i)
            for (int j = i + 1; j < count; ++j) {
                if (has(file.graph.rows[i], j))
                    addEdge(i, j);
                else
                    remEdge(i, j);
            }
        bumpId();
    }
    bumpId();
    best_backup();
    emit signal_best_graph_changed();
    return true;
}

bool Graph::open(QString fileName, QString *why)
{
    return readFile(fileName, false, why);
}

bool Graph::autoload(QString *why)
{
    return readFile(autosavePath(), true, why);
}

bool Graph::printToFile(QString fileName, QString *why)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setOutputFileName(fileName);
    QString reason;
    if (PdfFile::render(&printer, [this](QPainter *painter) { renderForPrint(painter); }, &reason))
        return true;
    consoleError("Failed to write PDF file " + fileName + ": " + reason);
    if (why)
        *why = reason;
    return false;
}

void Graph::slot_print()
{
    QPrinter printer(QPrinter::HighResolution);
    if (!DialogProvider::instance()->print(&printer, nullptr))
        return;
    QString why;
    if (!PdfFile::render(&printer, [this](QPainter *painter) { renderForPrint(painter); }, &why))
        DialogProvider::instance()->warning(this, "Warning", "Failed to print graph.\n" + why);
}

void Graph::renderForPrint(QPainter *painter)
{
    // The vertices' pixmap cache serves the screen; on a printer it would be redrawn at the
    // printer's resolution and embedded as one image per vertex, many times slower and larger
    // than the vector drawing, which looks the same.
    QVector<QGraphicsItem::CacheMode> modes;
    for (Node *node : nodes) {
        modes.append(node->cacheMode());
        node->setCacheMode(QGraphicsItem::NoCache);
    }
    render(painter);
    for (int i = 0; i < nodes.size(); ++i)
        nodes[i]->setCacheMode(modes[i]);
}

void Graph::slot_open()
{
    const QString fileName =
        DialogProvider::instance()->getOpenFileName(this, "Choose graph to load", workingDirectory, "*.gorv3");
    if (fileName.isEmpty())
        return;
    QString why;
    if (!open(fileName, &why))
        DialogProvider::instance()->warning(this, "Warning", "Failed to load graph.\n" + fileName + "\n" + why);
    update_display();
}

void Graph::slot_save()
{
    const QString fileName = DialogProvider::instance()->getSaveFileName(this, "Save graph as", workingDirectory, "*.gorv3");
    if (fileName.isEmpty())
        return;
    QString why;
    if (!save(fileName, &why))
        DialogProvider::instance()->warning(this, "Warning", "Failed to save graph.\n" + fileName + "\n" + why);
}

void Graph::slot_export_graph()
{
    const QString fileName =
        DialogProvider::instance()->getSaveFileName(this, "Export graph as", workingDirectory, "*.cg");
    if (fileName.isEmpty())
        return;
    QString why;
    if (!export_graph(fileName, &why))
        DialogProvider::instance()->warning(this, "Warning", "Failed to export graph.\n" + fileName + "\n" + why);
}
