#include "graph/Graph.h"

#include "graph/Edge.h"
#include "graph/Node.h"

#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QMutexLocker>
#include <QStringList>
#include <cmath>
#include <cstring>

namespace {
inline Graph::Row bit(int j) { return Graph::Row(1) << j; }
inline Graph::Row lowMask(int count) { return count >= 32 ? ~Graph::Row(0) : (bit(count) - 1); }
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
        QMutexLocker lockAdj(&adjMutex);
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
        QMutexLocker locker(&adjMutex);
        n = count;
        const Row inside = lowMask(count);
        for (int i = 0; i < count; ++i)
            adj[i] = (adj[i] & ~inside) | rows[i];
    }
    bumpId();
}

bool Graph::edge(int i, int j)
{
    QMutexLocker locker(&adjMutex);
    if (i < 0 || j < 0 || i >= n || j >= n || i == j)
        return false;
    return ((adj[i] >> j) & 1u) || ((adj[j] >> i) & 1u);
}

int Graph::getNbEdges()
{
    QMutexLocker locker(&adjMutex);
    if (n < 2)
        return 0;
    int count = 0;
    const Row inside = lowMask(n);
    for (int i = 0; i < n; ++i) {
        // Entries (i, j) with i < j only.
        const Row above = inside & ~lowMask(i + 1);
        count += __builtin_popcount(adj[i] & above);
    }
    return count;
}

int Graph::symmetricRows(const Row src[MaxNodes], int count, Row out[MaxNodes])
{
    const Row inside = lowMask(count);
    for (int i = 0; i < MaxNodes; ++i)
        out[i] = 0;
    for (int i = 0; i < count; ++i) {
        Row r = src[i] & inside & ~bit(i);
        out[i] |= r;
        while (r) {
            const int j = __builtin_ctz(r);
            r &= r - 1;
            out[j] |= bit(i);
        }
    }
    return count;
}

int Graph::snapshot(Row rows[MaxNodes])
{
    QMutexLocker locker(&adjMutex);
    return symmetricRows(adj, n, rows);
}

int Graph::bestSnapshot(Row rows[MaxNodes])
{
    QMutexLocker locker(&wholeMutex);
    return symmetricRows(bestAdj, bestN, rows);
}

bool Graph::addEdge(int i, int j)
{
    QMutexLocker locker(&adjMutex);
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
    QMutexLocker locker(&adjMutex);
    bumpId();
    const bool was = ((adj[i] >> j) & 1u) || ((adj[j] >> i) & 1u);
    if (!was)
        return false;
    adj[i] &= ~bit(j);
    adj[j] &= ~bit(i);
    return true;
}

void Graph::toggleEdge(int i, int j)
{
    if (i < 0 || j < 0 || i >= MaxNodes || j >= MaxNodes)
        return;
    QMutexLocker locker(&adjMutex);
    adj[i] ^= bit(j);
}

void Graph::invert()
{
    // Every entry of the n x n block, diagonal included, as a run of single toggles would.
    QMutexLocker locker(&adjMutex);
    const Row inside = lowMask(n);
    for (int i = 0; i < n; ++i)
        adj[i] ^= inside;
}

void Graph::setVertexCount(int count)
{
    n = count < 0 ? 0 : (count > MaxNodes ? MaxNodes : count);
    for (int i = 0; i < MaxNodes; ++i)
        nodes[i]->setExists(i < n);
}

bool Graph::addNode()
{
    if (n >= MaxNodes)
        return false;
    const QPointF p = mapToScene(lastMousePos);
    nodes[n]->setPosition(p.x(), p.y(), 0);
    {
        // A vertex comes without edges, whatever an earlier larger graph left in its entries.
        QMutexLocker locker(&adjMutex);
        adj[n] = 0;
        for (int i = 0; i < MaxNodes; ++i)
            adj[i] &= ~bit(n);
    }
    setVertexCount(n + 1);
    bumpId();
    update_display();
    return true;
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
        QMutexLocker locker(&adjMutex);
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
    nodes[m]->setExists(false);
    bumpId();
    update_display();
    return true;
}

void Graph::clear()
{
    {
        QMutexLocker locker(&adjMutex);
        for (int i = 0; i < MaxNodes; ++i)
            adj[i] = 0;
    }
    // One identifier step per pair, as clearing pair by pair gives.
    bumpId(MaxNodes * (MaxNodes - 1) / 2);
    for (Node *node : nodes)
        node->setExists(false);
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
    QMutexLocker locker(&adjMutex);
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
    QMutexLocker lockAdj(&adjMutex);
    std::memcpy(bestAdj, adj, sizeof(adj));
    bestN = n;
    for (int i = 0; i < MaxNodes; ++i) {
        nodes[i]->setExists(i < bestN);
        nodes[i]->setVisibleFlag(i < bestN);
    }
    bestIdentifier.store(identifier.load());
}

void Graph::best_restore()
{
    QMutexLocker whole(&wholeMutex);
    QMutexLocker lockAdj(&adjMutex);
    identifier.store(bestIdentifier.load());
    std::memcpy(adj, bestAdj, sizeof(adj));
    n = bestN;
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
    QString text = QString::number(count) + ' ';
    text.reserve(text.size() + count * (count - 1) / 2);
    for (int i = 1; i < count; ++i)
        for (int j = 0; j < i; ++j)
            text += ((rows[i] >> j) & 1u) ? '1' : '0';
    return text;
}

void Graph::readGraphText(const QString &text, bool reset)
{
    const QStringList fields = text.split(' ', Qt::KeepEmptyParts, Qt::CaseSensitive);
    int count = fields.value(0).toInt(nullptr, 10);
    count = count < 0 ? 0 : (count > MaxNodes ? MaxNodes : count);
    const QString pairs = fields.size() > 1 ? fields[1] : QString();

    setVertexCount(count);
    if (reset) {
        clear();
        best_backup();
        while (n < count && addNode()) {
        }
        best_backup();
    }

    // Every pair of the new count is written; the identifier moves on once per pair.
    {
        QMutexLocker locker(&adjMutex);
        int k = 0;
        for (int i = 1; i < count; ++i)
            for (int j = 0; j < i; ++j, ++k) {
                if (k < pairs.size() && pairs[k] == QLatin1Char('1')) {
                    adj[i] |= bit(j);
                    adj[j] |= bit(i);
                } else {
                    adj[i] &= ~bit(j);
                    adj[j] &= ~bit(i);
                }
            }
    }
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
    // Validate the whole line before touching the graph: a refused line changes nothing.
    if (line.isEmpty())
        return false;
    const int count = static_cast<signed char>(line[0]) - 63;
    if (count < 2 || count > 31)
        return false;
    const int nbPairs = count * (count - 1) / 2;
    const int needed = (nbPairs + 5) / 6;
    if (line.size() - 1 < needed)
        return false;
    for (int c = 1; c <= needed; ++c) {
        const unsigned char ch = static_cast<unsigned char>(line[c]);
        if (ch < 63 || ch > 126)
            return false;
    }

    setVertexCount(count);
    if (reset) {
        clear();
        while (n < count && addNode()) {
        }
        best_backup();
    }
    {
        QMutexLocker locker(&adjMutex);
        int b = 6;
        int byte = 0;
        int pos = 1;
        for (int j = 1; j < count; ++j)
            for (int i = 0; i < j; ++i) {
                if (b == 6) {
                    byte = static_cast<unsigned char>(line[pos++]) - 63;
                    b = 0;
                }
                if ((byte >> (5 - b)) & 1) {
                    adj[i] |= bit(j);
                    adj[j] |= bit(i);
                } else {
                    adj[i] &= ~bit(j);
                    adj[j] &= ~bit(i);
                }
                ++b;
            }
    }
    bumpId(nbPairs);
    return true;
}

bool Graph::loadg6(QString line, bool reset)
{
    QByteArray bytes;
    bytes.reserve(line.size());
    for (QChar c : line)
        bytes.append(c.unicode() > 0xFF ? char(0) : char(c.unicode()));
    return decodeG6(bytes, reset);
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
    QMutexLocker lockAdj(&adjMutex);
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

void Graph::place_circle(double d)
{
    for (int i = 0; i < n; ++i) {
        const double t = 2 * i * 3.14159265 / n;
        nodes[i]->setPosition(std::cos(t) * d / 2, std::sin(t) * d / 2);
    }
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
