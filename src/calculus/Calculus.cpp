#include "calculus/Calculus.h"

#include "calculus/CalculusDisplay.h"
#include "calculus/Link.h"
#include "graph/Graph.h"

#include <QMetaObject>
#include <QMutexLocker>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QThread>
#include <iostream>

QVector<Calculus *> Calculus::vector_calculus;
Calculus *Calculus::calculus_under_mouse = nullptr;
QMutex Calculus::c_mutex;

Calculus::Calculus() : QGraphicsItem(nullptr)
{
    QMutexLocker locker(&valueLock);
    value = QVector<QVector<double>>(MaxSize, QVector<double>(MaxSize, 0.0));
}

Calculus::~Calculus()
{
    // Each link's destructor removes it from this item, so walk a copy.
    const QList<Link *> outgoing = linksTo;
    for (Link *l : outgoing)
        delete l;
    for (int k = 0; k < 4; ++k)
        if (links[k])
            delete links[k];
    delete dialog;
    dialog = nullptr;
    // The registry is not read, but it must not keep a pointer to a dead item.
    QMutexLocker locker(&c_mutex);
    vector_calculus.removeAll(this);
}

// ---- Graphics item ----

QRectF Calculus::boundingRect() const
{
    const int hw = width / 2;
    const int hh = height / 2;
    return QRectF(-hw - 12, -hh - 52, width + 15, height + 55);
}

QPainterPath Calculus::shape() const
{
    QPainterPath path;
    path.addRect(-(width / 2), -(height / 2), width, height);
    return path;
}

void Calculus::mousePressEvent(QGraphicsSceneMouseEvent *event)
{
    toggleSelect();
    QGraphicsItem::mousePressEvent(event);
}

void Calculus::mouseReleaseEvent(QGraphicsSceneMouseEvent *event)
{
    QGraphicsItem::mouseReleaseEvent(event);
}

QVariant Calculus::itemChange(GraphicsItemChange change, const QVariant &v)
{
    if (change == ItemPositionHasChanged) {
        for (int k = 0; k < 4; ++k)
            if (links[k])
                links[k]->adjust();
        const QList<Link *> outgoing = linksTo;
        for (Link *l : outgoing)
            l->adjust();
    }
    return QGraphicsItem::itemChange(change, v);
}

// ---- Defaults of the item operations ----

QVector<QVector<double>> &Calculus::getZ()
{
    return value;
}

void Calculus::setMin(bool)
{
}

void Calculus::setMax(bool)
{
}

void Calculus::setOptFactor(double)
{
}

int Calculus::getObj()
{
    return 0;
}

QString Calculus::specificInformationToSave()
{
    return QString();
}

// ---- Computation ----

bool Calculus::compute(bool force)
{
    if (!force && !isCrucial())
        return true;
    if (!graph) {
        error.store(true, std::memory_order_relaxed);
        return false;
    }
    applyChanges();
    // The cache check allocates nothing and takes no lock: it runs for every item of every
    // candidate graph of an optimisation.
    const int id = graph->getID();
    if (computedOnce.load(std::memory_order_acquire) && id == lastGraphId.load(std::memory_order_relaxed))
        return false;

    const bool invert = flagInvert.load(std::memory_order_relaxed);
    const bool invertShared = invert && !complementSnapshot;
    // The whole-graph lock keeps the half-inverted graph from every other whole-graph operation
    // (copies of the best graph, files) until it is restored; it is taken before the value
    // lock, in the order every other holder of both takes them.
    QMutexLocker whole(invertShared ? graph->wholeLock() : nullptr);
    // The value lock serialises the computations of this item (several threads compute the
    // same items) and keeps readers from a value half written: both last as long as recompute,
    // so one lock covers them.
    QMutexLocker valueLocker(&valueLock);
    // Another thread may have computed this identifier while this one waited.
    if (computedOnce.load(std::memory_order_acquire) && id == lastGraphId.load(std::memory_order_relaxed))
        return false;
    error.store(false, std::memory_order_relaxed);
    bool argError = false;
    for (Calculus *a : args)
        if (a && a->getError())
            argError = true;

    if (argError) {
        error.store(true, std::memory_order_relaxed);
        nbRows = 0;
        nbCols = 0;
    } else if (invertShared) {
        graph->invert();
        recompute();
        graph->invert();
    } else if (invert) {
        complementing = true;
        recompute();
        complementing = false;
    } else {
        recompute();
    }
    // Recorded only now, so a thread that finds the identifier up to date also finds the
    // value that belongs to it.
    lastGraphId.store(id, std::memory_order_relaxed);
    computedOnce.store(true, std::memory_order_release);
    return true;
}

int Calculus::adjacencySnapshot(std::uint32_t rows[MaxSize])
{
    const int n = graph->snapshot(rows);
    if (complementing)
        adjacency::complement(rows, n);
    return n;
}

void Calculus::update_crucial()
{
    if (!isCrucial())
        return;
    for (Calculus *a : args)
        if (a)
            a->set_crucial(true);
}

void Calculus::applyChanges()
{
    if (!dialog)
        return;
    flagInReport.store(dialog->inReport(), std::memory_order_relaxed);
    flagNode.store(dialog->nodInReport(), std::memory_order_relaxed);
    flagVector.store(dialog->vecInReport(), std::memory_order_relaxed);
    flagGraph.store(dialog->graphInReport(), std::memory_order_relaxed);
    flagInvert.store(dialog->invertGraph(), std::memory_order_relaxed);
}

QString Calculus::getStatus()
{
    QMutexLocker locker(&valueLock);
    return status;
}

void Calculus::setGraph(Graph *g)
{
    graph = g;
    if (dialog)
        dialog->setGraph(g);
}

void Calculus::bestBackup()
{
    compute(true);
    // The dialog is a widget: its refresh runs in the GUI thread (at once when that is this
    // thread), and is dropped when the dialog (and so the item) is gone before it runs.
    if (dialog)
        QMetaObject::invokeMethod(dialog, [this] { refreshDialog(); }, Qt::AutoConnection);
    shownError = getError();
}

void Calculus::refreshDialog()
{
    QMutexLocker locker(&valueLock);
    dialog->setValues(value, nbRows, nbCols);
    setToolTip(status);
}

// ---- Value ----

double Calculus::getValue(int i)
{
    if (i < 1 || i > MaxSize)
        return 1e12;
    QMutexLocker locker(&valueLock);
    // An entry beyond the current value (an item in error, a short vector) is missing, never
    // a number left from an earlier graph.
    if (nbCols < 2)
        return i <= nbRows ? value[i - 1][0] : 1e12;
    return i <= nbCols ? value[0][i - 1] : 1e12;
}

QVector<double> Calculus::getFirstRow()
{
    QMutexLocker locker(&valueLock);
    const int c = qBound(0, int(nbCols), MaxSize);
    QVector<double> row(c);
    for (int j = 0; j < c; ++j)
        row[j] = value[0][j];
    return row;
}

QVector<double> Calculus::getFirstCol()
{
    QMutexLocker locker(&valueLock);
    const int r = qBound(0, int(nbRows), MaxSize);
    QVector<double> col(r);
    for (int i = 0; i < r; ++i)
        col[i] = value[i][0];
    return col;
}

QString Calculus::getSRows()
{
    QMutexLocker locker(&valueLock);
    return sRows;
}

QString Calculus::getSCols()
{
    QMutexLocker locker(&valueLock);
    return sCols;
}

// ---- Arguments and links ----

bool Calculus::isLinked(int k) const
{
    return k >= 1 && k <= 4 && links[k - 1] != nullptr;
}

bool Calculus::removeLink(Link *link)
{
    if (linksTo.removeAll(link) > 0)
        return true;
    for (int k = 0; k < 4; ++k)
        if (links[k] == link) {
            links[k] = nullptr;
            args[k] = nullptr;
            return true;
        }
    return false;
}

bool Calculus::acceptLink(int k, Link *l)
{
    Link *old = links[k - 1];
    if (old && old != l)
        old->forgetTarget(this);
    links[k - 1] = l;
    l->setArgNo(k);
    return true;
}

bool Calculus::registerLinkTo(Link *l)
{
    linksTo.append(l);
    selected = false;
    return true;
}

bool Calculus::setArgAndRefresh(int k, Calculus *c)
{
    args[k - 1] = c;
    if (graph)
        graph->changeBest();
    compute(true);
    update();
    bestBackup();
    if (links[k - 1])
        links[k - 1]->setArg(c);
    return true;
}

// ---- Report flags ----

bool Calculus::inReport() const
{
    return dialog ? dialog->inReport() : flagInReport.load(std::memory_order_relaxed);
}

bool Calculus::nodInReport() const
{
    return dialog ? dialog->nodInReport() : flagNode.load(std::memory_order_relaxed);
}

bool Calculus::vecInReport() const
{
    return dialog ? dialog->vecInReport() : flagVector.load(std::memory_order_relaxed);
}

bool Calculus::graphInReport() const
{
    return dialog ? dialog->graphInReport() : flagGraph.load(std::memory_order_relaxed);
}

bool Calculus::invertGraph() const
{
    return dialog ? dialog->invertGraph() : flagInvert.load(std::memory_order_relaxed);
}

void Calculus::setInReport(bool b)
{
    flagInReport.store(b);
    if (dialog)
        dialog->setInReport(b);
}

void Calculus::setNodInReport(bool b)
{
    flagNode.store(b);
    if (dialog)
        dialog->setNodInReport(b);
}

void Calculus::setVecInReport(bool b)
{
    flagVector.store(b);
    if (dialog)
        dialog->setVecInReport(b);
}

void Calculus::setGraphInReport(bool b)
{
    flagGraph.store(b);
    if (dialog)
        dialog->setGraphInReport(b);
}

void Calculus::setInvertGraph(bool b)
{
    flagInvert.store(b);
    if (dialog)
        dialog->setInvertGraph(b);
}

// ---- Identity ----

QString Calculus::cleanGivenName(QString text)
{
    for (QChar c : {QChar('\t'), QChar('\n'), QChar('\r'), QChar(0)})
        text.replace(c, QLatin1Char(' '));
    // "[NEW]" holds no angle bracket, so no new separator can form around it.
    text.replace(QStringLiteral("<NEW>"), QStringLiteral("[NEW]"));
    return text;
}

void Calculus::setGivenName(QString text)
{
    text = cleanGivenName(text);
    if (dialog)
        dialog->setGivenName(text);
    givenName = text;
}

void Calculus::updateGivenName()
{
    if (!dialog)
        return;
    // Written only when it changed: during a run a worker copies the board's text, names
    // included, while the shown board refreshes, and the name cannot change then.
    const QString name = cleanGivenName(dialog->givenName());
    if (name != givenName)
        givenName = name;
}

QString Calculus::getCaractToSave()
{
    applyChanges();
    auto flag = [](bool b) { return b ? QStringLiteral("1\t") : QStringLiteral("0\t"); };
    QString record = name + '\t' + cleanGivenName(givenName) + '\t';
    record += flag(inReport()) + flag(nodInReport()) + flag(vecInReport()) + flag(invertGraph());
    record += QString::number(pos().x(), 'g', 6) + '\t' + QString::number(pos().y(), 'g', 6) + '\t';
    for (int k = 0; k < 4; ++k) {
        record += args[k] ? QString::number(args[k]->getNumber()) : QStringLiteral("NULL");
        if (k < 3)
            record += '\t';
    }
    record += specificInformationToSave();
    record += '\n';
    return record;
}

QString Calculus::problemDocument()
{
    QString text = getID() + ": " + name;
    if (!givenName.isEmpty())
        text += " (" + givenName + ")";
    text += "\nRows: " + getSRows() + "\nColumns: " + getSCols() + "\n";
    for (int k = 0; k < 4; ++k)
        if (args[k])
            text += QString("arg%1 = ").arg(k + 1) + args[k]->getID() + "\n";
    return text;
}

QString Calculus::textDocumentation() const
{
    return (givenName.isEmpty() ? name : givenName) + " : " + description + "\n";
}

QString Calculus::getID()
{
    idText = typeWord + "-" + QString::number(zValue(), 'g', 6);
    return idText;
}

void Calculus::initCategory(const QString &type)
{
    typeWord = type;
    posX = qrand() % 200;
    posY = qrand() % 200;
    width = 120;
    height = 60;
}

void Calculus::setupDisplay(CalculusDisplay *d)
{
    dialog = d;
    dialog->setEnabled(true);
    dialog->hide();
    dialog->setGraph(graph);
    setFlags(ItemIsMovable | ItemIsSelectable | ItemSendsGeometryChanges);
    setCacheMode(DeviceCoordinateCache);
    setZValue(1.0);
    setToolTip(name);
    setPos(posX, posY);
    setVisible(true);
    dialog->setTitle(name);
}

// ---- On the white board ----

void Calculus::toggleSelect()
{
    if (selected)
        selected = false;
    else if (selectable)
        selected = true;
    else
        return;
    update();
}

void Calculus::setSelectable(bool b)
{
    selectable = b;
    if (!b)
        selected = false;
}

void Calculus::toggleDisplay()
{
    if (!dialog)
        return;
    dialog->setTitle(name);
    dialog->setVisible(dialog->isHidden());
}

void Calculus::update_display()
{
    if (!dialog)
        return;
    update();
    updateGivenName();
}

void Calculus::display()
{
    std::cerr << "----------------" << std::endl;
    std::cerr << "NAME = " << name.toStdString() << std::endl;
    for (int k = 0; k < 4; ++k)
        if (links[k]) {
            std::cerr << "LINK" << (k + 1) << ":";
            links[k]->display();
        }
    if (!linksTo.isEmpty()) {
        std::cerr << "LINKS TO:" << std::endl;
        for (Link *l : linksTo)
            l->display();
    }
    std::cerr << "----------------" << std::endl;
}

bool Calculus::stateColours(QColor &outer, QColor &inner) const
{
    if (selected) {
        outer = QColor(Qt::blue).lighter(120);
        inner = QColor(Qt::darkBlue).lighter(120);
        return true;
    }
    if (shownError) {
        outer = QColor(Qt::red).lighter(120);
        inner = QColor(Qt::darkRed).lighter(120);
        return true;
    }
    return false;
}

void Calculus::paintBox(QPainter *painter, const BoxStyle &style) const
{
    const int hw = width / 2;
    const int hh = height / 2;
    QRadialGradient gradient(style.centre, style.radius, style.focal);
    gradient.setColorAt(1.0, style.outer);
    gradient.setColorAt(0.0, style.inner);
    painter->setBrush(gradient);
    painter->setPen(QPen(Qt::black));
    switch (style.outline) {
    case BoxStyle::Rectangle:
        painter->drawRect(-hw, -hh, width, height);
        break;
    case BoxStyle::Ellipse:
        painter->drawEllipse(-hw, -hh, width, height);
        break;
    case BoxStyle::Octagon: {
        const QPointF points[8] = {{qreal(-hw), -10}, {qreal(-hw), 10}, {-10, qreal(hh)}, {10, qreal(hh)},
                                   {qreal(hw), 10},   {qreal(hw), -10}, {10, qreal(-hh)}, {-10, qreal(-hh)}};
        painter->drawConvexPolygon(points, 8);
        break;
    }
    }
    painter->setPen(QPen(Qt::black));
    painter->drawText(style.keyRect, name);
    painter->drawText(style.valueRect, style.valueText);

    if (style.nameTag && !givenName.isEmpty()) {
        QRadialGradient tag(QPointF(3, 3), 100, QPointF(2, 2));
        tag.setColorAt(1.0, style.tagOuter);
        tag.setColorAt(0.0, style.tagInner);
        painter->setBrush(tag);
        painter->setPen(QPen(Qt::black));
        painter->drawRect(QRectF(-50, -35, 100, 20));
        painter->setPen(QPen(Qt::red));
        painter->drawText(QRectF(-45, -35, 90, 20), givenName);
    }
    if (style.reportMark && inReport()) {
        painter->setPen(QPen(Qt::red));
        painter->drawText(QRectF(30, 0, 25, 25), "*");
    }
    if (style.complementMark && dialog && dialog->invertGraph()) {
        painter->setBrush(QBrush(Qt::white));
        painter->setPen(QPen(Qt::red));
        painter->drawEllipse(style.complementCircle);
        painter->drawText(style.complementLetter, "i");
    }
}

// ---- Info items ----

void Calculus::setupInfo(const QString &infoName, bool isDisplayed)
{
    initCategory("INFO");
    displayed = isDisplayed;
    name = infoName;
    if (displayed)
        setupDisplay(new CalculusDisplay(name, "Some edge related information for graphical representation purpose."));
}

bool Calculus::acceptInfoLink(Link *l)
{
    acceptLink(1, l);
    selected = false;
    return true;
}

QString Calculus::infoFormula()
{
    if (!args[0])
        return name;
    return name + " = " + args[0]->formula();
}

bool Calculus::setInfoArg(Calculus *c)
{
    args[0] = c;
    compute(true);
    update();
    bestBackup();
    if (links[0])
        links[0]->setArg(c);
    // The new identifier makes the whole board recompute, and the board then hands the
    // info items' values to the graph view.
    if (graph)
        graph->changeBest();
    return true;
}

void Calculus::paintInfo(QPainter *painter)
{
    QRadialGradient gradient(QPointF(3, 3), 100, QPointF(3, 3));
    if (selected) {
        gradient.setColorAt(1.0, QColor(Qt::blue).lighter(120));
        gradient.setColorAt(0.0, QColor(Qt::darkBlue).lighter(120));
    } else {
        gradient.setColorAt(1.0, QColor(Qt::blue));
        gradient.setColorAt(0.0, QColor(Qt::cyan));
    }
    painter->setBrush(gradient);
    painter->setPen(QPen(Qt::black));
    const int hw = width / 2;
    const int hh = height / 2;
    const QPointF diamond[4] = {{qreal(-hw), 0}, {0, qreal(hh)}, {qreal(hw), 0}, {0, qreal(-hh)}};
    painter->drawConvexPolygon(diamond, 4);
    painter->drawText(QRectF(-40, -10, 100, 20), name);
}

// ---- Registry ----

void Calculus::clearVectorCalculus()
{
    QMutexLocker locker(&c_mutex);
    vector_calculus.clear();
}

void Calculus::addVectorCalculus(Calculus *c)
{
    QMutexLocker locker(&c_mutex);
    vector_calculus.append(c);
}

int Calculus::vectorCalculusSize()
{
    QMutexLocker locker(&c_mutex);
    return vector_calculus.size();
}
