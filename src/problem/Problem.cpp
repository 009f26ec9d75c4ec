#include "problem/Problem.h"

#include "dialogs/DialogProvider.h"
#include "files/PdfFile.h"
#include "files/TextFile.h"
#include "calculus/BuildCalculus.h"
#include "calculus/Calculus.h"
#include "calculus/CalculusDisplay.h"
#include "calculus/Eval.h"
#include "calculus/Link.h"
#include "calculus/infoEDGE.h"
#include "calculus/infoNODE.h"
#include "calculus/invConstant.h"
#include "graph/Graph.h"

#include <QBrush>
#include <QFileInfo>
#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QKeyEvent>
#include <QMetaObject>
#include <QMouseEvent>
#include <QMutexLocker>
#include <QPainter>
#include <QPen>
#include <QPrinter>
#include <QThread>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <iostream>

namespace {
constexpr double Infinite = 1e12;


bool setLinkK(Calculus *target, int k, Link *l)
{
    switch (k) {
    case 1: return target->setLink1(l);
    case 2: return target->setLink2(l);
    case 3: return target->setLink3(l);
    case 4: return target->setLink4(l);
    default: return false;
    }
}

void setArgK(Calculus *target, int k, Calculus *source)
{
    switch (k) {
    case 1: target->setArg1(source); break;
    case 2: target->setArg2(source); break;
    case 3: target->setArg3(source); break;
    case 4: target->setArg4(source); break;
    default: break;
    }
}

// The whole value of an item as rows, for the graph's edge labels and highlights.
QVector<QVector<double>> valueMatrix(Calculus *c, int &rows, int &cols)
{
    QMutexLocker locker(&c->getValueLock());
    rows = c->getNbRows();
    cols = c->getNbCols();
    QVector<QVector<double>> m(rows, QVector<double>(cols));
    for (int i = 0; i < rows; ++i)
        for (int j = 0; j < cols; ++j)
            m[i][j] = c->entry(i, j);
    return m;
}
} // namespace

// What a recorded best graph shows on the graph view.
struct Problem::GraphDisplay
{
    bool violated = false;
    QVector<double> colors;
    QVector<double> labels;
    QVector<QVector<double>> eLabels;
    bool showELabels = false;
    QVector<QVector<double>> eHilights;
    bool showEHilights = false;
};

// ---- Construction ----

Problem::Problem(Graph *graph_, QString name_, bool displayed_)
    : QGraphicsView(static_cast<QWidget *>(nullptr)), graph(graph_), name(name_), displayed(displayed_)
{
    if (displayed) {
        scene = new QGraphicsScene(this);
        setScene(scene);
        setContextMenuPolicy(Qt::CustomContextMenu);
        setCacheMode(QGraphicsView::CacheBackground);
        setViewportUpdateMode(QGraphicsView::BoundingRectViewportUpdate);
        setRenderHint(QPainter::Antialiasing);
        setBackgroundBrush(QBrush(Qt::white, Qt::SolidPattern));
        rubberBand = new QGraphicsRectItem();
        rubberBand->hide();
        rubberBand->setBrush(QBrush(Qt::yellow, Qt::SolidPattern));
        rubberBand->setPen(QPen(Qt::red));
        rubberBand->setZValue(1000);
        rubberBand->setOpacity(0.5);
        scene->addItem(rubberBand);
    }
    colors = new infoNODE("Colors", displayed);
    labels = new infoNODE("Labels", displayed);
    eLabels = new infoEDGE("E_Labels", displayed);
    eHilights = new infoEDGE("E_Hilights", displayed);
    const double zs[4] = {930, 931, 932, 932};
    const QVector<Calculus *> info = {colors, labels, eLabels, eHilights};
    for (int i = 0; i < info.size(); ++i) {
        info[i]->setGraph(graph);
        if (displayed) {
            scene->addItem(info[i]);
            info[i]->setZ(zs[i]);
            info[i]->setVisible(true);
        }
    }
}

Problem::~Problem()
{
    for (QVector<Calculus *> *list : {&calc, &families, &constraints, &objectives}) {
        const QVector<Calculus *> items = *list;
        list->clear();
        for (Calculus *c : items)
            destroyItem(c);
    }
    for (Calculus *c : infoItems())
        destroyItem(c);
}

void Problem::setGraph(Graph *g)
{
    graph = g;
    forEachItem([g](Calculus *c) { c->setGraph(g); });
}

void Problem::forEachItem(const std::function<void(Calculus *)> &f) const
{
    for (const QVector<Calculus *> *list : {&calc, &families, &constraints, &objectives})
        for (Calculus *c : *list)
            f(c);
    for (Calculus *c : infoItems())
        f(c);
}

void Problem::update_display()
{
    if (!displayed)
        return;
    forEachItem([](Calculus *c) { c->update_display(); });
}

void Problem::destroyItem(Calculus *c)
{
    if (CalculusDisplay *d = c->getCalculusDisplay())
        disconnect(d, &CalculusDisplay::signal_refresh, this, &Problem::slot_refresh);
    // The item under the mouse must never name a destroyed item.
    if (Calculus::calculusUnderMouse() == c)
        Calculus::setCalculusUnderMouse(nullptr);
    delete c;
}

void Problem::clear()
{
    for (QVector<Calculus *> *list : {&calc, &families, &objectives, &constraints}) {
        while (!list->isEmpty())
            destroyItem(list->takeLast());
    }
    if (graph) {
        graph->resetColors();
        graph->resetLabels();
    }
}

// ---- Insertion ----

void Problem::placeItem(Calculus *c, double z, bool selected)
{
    c->setGraph(graph);
    c->compute(true);
    c->bestBackup();
    if (!displayed)
        return;
    scene->addItem(c);
    c->setZ(z);
    c->setVisible(true);
    c->setSelectable(true);
    c->select(selected);
    if (CalculusDisplay *d = c->getCalculusDisplay())
        connect(d, &CalculusDisplay::signal_refresh, this, &Problem::slot_refresh, Qt::UniqueConnection);
}

void Problem::addInvariantItem(Calculus *c)
{
    calc.prepend(c);
    placeItem(c, calc.size(), true);
}

void Problem::addInvariantItemLoadMode(Calculus *c)
{
    calc.append(c);
    placeItem(c, calc.size(), true);
}

void Problem::addOperatorItem(Calculus *c)
{
    int at = calc.size();
    if (altDown) {
        // The selected operator nearest the front takes the new one's place.
        for (int i = calc.size() - 1; i >= 0; --i)
            if (calc[i]->getType() == "Operator" && calc[i]->isSelectedMark())
                at = i;
    }
    calc.insert(at, c);
    placeItem(c, 0, false);
    if (displayed)
        for (int i = 0; i < calc.size(); ++i)
            calc[i]->setZ(i + 1);
}

void Problem::addFamilyItem(Calculus *c)
{
    families.append(c);
    placeItem(c, 200 + families.size(), true);
}

void Problem::addConstraintItem(Calculus *c)
{
    constraints.append(c);
    placeItem(c, 500 + constraints.size(), true);
}

void Problem::addZItem(Calculus *c)
{
    objectives.append(c);
    placeItem(c, 500 + objectives.size(), true);
}

// ---- Linking ----

void Problem::link(int k, Calculus *source, Calculus *target)
{
    if (target->isLinked(k)) {
        Link *l = target->getLink(k);
        if (l->from() == source) {
            delete l;
        } else {
            l->changeOrig(source);
            setArgK(target, k, source);
        }
    } else {
        Link *l = new Link(source, target, displayed);
        if (!setLinkK(target, k, l) || !source->setLinkTo(l)) {
            delete l;
            return;
        }
        if (displayed)
            scene->addItem(l);
        setArgK(target, k, source);
    }
    if (k == 1)
        compute(true);
}

void Problem::link1(Calculus *source, Calculus *target)
{
    link(1, source, target);
}

void Problem::link2(Calculus *source, Calculus *target)
{
    link(2, source, target);
}

void Problem::link3(Calculus *source, Calculus *target)
{
    link(3, source, target);
}

void Problem::link4(Calculus *source, Calculus *target)
{
    link(4, source, target);
}

void Problem::linkSelection(int k)
{
    auto offer = [this, k](Calculus *s, Calculus *t) {
        if (t->isSelectedMark())
            link(k, s, t);
    };
    for (int i = 0; i < calc.size(); ++i) {
        Calculus *s = calc[i];
        if (!s->isSelectedMark())
            continue;
        for (int j = i + 1; j < calc.size(); ++j) {
            if (k == 4 && !s->isSelectedMark())
                break;
            offer(s, calc[j]);
        }
        if (k == 1) {
            for (int j = 0; j < objectives.size(); ++j)
                offer(s, objectives[j]);
            for (int j = 0; j < constraints.size(); ++j)
                offer(s, constraints[j]);
            for (Calculus *t : {colors, eLabels, eHilights, labels})
                offer(s, t);
        } else if (k == 2) {
            for (int j = 0; j < constraints.size(); ++j)
                offer(s, constraints[j]);
        }
    }
    if (k == 1 && graph) {
        const int n = graph->getNbNodes();
        if (colors->isSelectedMark())
            graph->setColors(colors->getFirstCol());
        for (Calculus *info : {eLabels, eHilights}) {
            if (!info->isSelectedMark())
                continue;
            int rows = 0, cols = 0;
            const QVector<QVector<double>> m = valueMatrix(info, rows, cols);
            const bool square = rows == n && cols == n;
            if (info == eLabels)
                graph->setELabels(m, square);
            else
                graph->setEHilight(m, square);
        }
        if (labels->isSelectedMark())
            graph->setLabels(labels->getFirstCol());
    }
    if (graph) {
        graph->changeBest();
        graph->update_display();
    }
    update_display();
}

void Problem::slot_link1()
{
    linkSelection(1);
}

void Problem::slot_link2()
{
    linkSelection(2);
}

void Problem::slot_link3()
{
    linkSelection(3);
}

void Problem::slot_link4()
{
    linkSelection(4);
}

// ---- Refreshing ----

void Problem::slot_refresh()
{
    // A best graph that an optimiser thread handed over enters the graph here, in the GUI
    // thread, before the graph and the board record it.
    if (graph) {
        graph->takeOfferedGraph();
        graph->best_backup();
    }
    best_backup();
    if (graph)
        graph->update_display();
    update_display();
}

void Problem::slot_best_backup()
{
    best_backup();
}

// ---- Computing and evaluating ----

void Problem::compute(bool force)
{
    if (force) {
        for (Calculus *c : objectives)
            c->set_crucial(true);
        for (Calculus *c : {colors, labels, eLabels, eHilights})
            c->set_crucial(true);
        for (Calculus *c : constraints)
            c->set_crucial(true);
        for (int i = calc.size() - 1; i >= 0; --i)
            calc[i]->set_crucial(true);
    } else {
        // Read through const references: the lists are never shared, and the non-const
        // accessors would check that on every step of this per-candidate loop.
        const QVector<Calculus *> &items = calc;
        for (int i = items.size() - 1; i >= 0; --i)
            items[i]->set_crucial(false);
        for (Calculus *c : qAsConst(families))
            c->set_crucial(false);
        // The info items only show values: an evaluation leaves them alone, so that they are
        // computed afresh, with their arguments, when a best graph is recorded.
        for (Calculus *c : {colors, labels, eLabels, eHilights})
            c->set_crucial(false);
        for (Calculus *c : qAsConst(constraints))
            c->set_crucial(true);
        for (Calculus *c : qAsConst(objectives))
            c->set_crucial(true);
        for (Calculus *c : qAsConst(objectives))
            c->update_crucial();
        for (Calculus *c : qAsConst(constraints))
            c->update_crucial();
        for (int i = items.size() - 1; i >= 0; --i)
            items[i]->update_crucial();
    }
    for (const QVector<Calculus *> *list : {&calc, &families, &constraints, &objectives})
        for (Calculus *c : *list)
            c->compute(force);
    for (Calculus *c : {colors, labels, eLabels, eHilights})
        c->compute(force);
}

void Problem::eval(Eval *e)
{
    compute(false);
    e->clear();
    bool error = false;
    for (Calculus *z : qAsConst(objectives)) {
        if (z->getError())
            error = true;
        QMutexLocker locker(&z->getValueLock());
        const QVector<QVector<double>> &m = z->getZ();
        const int rows = qMin(z->getNbRows(), m.size());
        QVector<double> v(rows);
        for (int r = 0; r < rows; ++r) {
            const double x = m[r].isEmpty() ? Infinite : m[r][0];
            // A value beyond the mark of the unreachable counts as unreachable, whatever
            // its sign: the archive must never prefer it.
            v[r] = (x >= Infinite || x <= -Infinite) ? Infinite : x;
            // NaN is never a better value, and never a satisfied one.
            if (std::isnan(x))
                error = true;
        }
        locker.unlock();
        e->addZ(v);
    }
    for (Calculus *c : qAsConst(constraints)) {
        if (c->getError())
            error = true;
        e->push_front(c->getValue(1));
    }
    e->push_front(error ? 1.0 : 0.0);
    const int count = evalCounter.fetch_add(1, std::memory_order_relaxed) + 1;
    const int limit = evalLimit.load(std::memory_order_relaxed);
    if (limit != 0 && count >= limit)
        emit signal_max_eval_reached();
}

bool Problem::isMaxEvalsReached() const
{
    const int limit = maxEvals();
    return limit != 0 && nbEvals() >= limit;
}

QVector<int> Problem::getOptimizationPattern() const
{
    QVector<int> pattern;
    pattern.reserve(objectives.size());
    for (Calculus *z : objectives)
        pattern.append(z->getObj());
    return pattern;
}

void Problem::setOptFactors(QVector<double> f)
{
    if (f.isEmpty() || f.size() != objectives.size())
        return;
    for (int i = 0; i < f.size(); ++i)
        objectives[i]->setOptFactor(f[i]);
}

Problem::GraphDisplay Problem::takeGraphDisplay() const
{
    GraphDisplay d;
    const int n = graph->getNbNodes();
    d.colors = colors->getFirstCol();
    d.labels = labels->getFirstCol();
    int rows = 0, cols = 0;
    d.eLabels = valueMatrix(eLabels, rows, cols);
    d.showELabels = rows == n && cols == n;
    d.eHilights = valueMatrix(eHilights, rows, cols);
    d.showEHilights = rows == n && cols == n;
    return d;
}

void Problem::showGraphDisplay(Graph *g, const GraphDisplay &d)
{
    g->setViolated(d.violated);
    g->setColors(d.colors);
    g->setLabels(d.labels);
    g->setELabels(d.eLabels, d.showELabels);
    g->setEHilight(d.eHilights, d.showEHilights);
}

void Problem::best_backup(Eval *record)
{
    QMutexLocker locker(&boardMutex);
    compute(true);
    forEachItem([](Calculus *c) { c->bestBackup(); });
    Eval own;
    Eval &e = record ? *record : own;
    eval(&e);
    // A graph without a view (an optimiser's private graph) shows nothing, and its worker
    // keeps changing it: the display data would only race with that worker.
    if (!graph || !graph->isInteractive())
        return;
    GraphDisplay d = takeGraphDisplay();
    d.violated = e.violated();
    // Widgets belong to the GUI thread: a worker hands the display over, and it is dropped
    // when the graph is gone before it runs.
    Graph *g = graph;
    QMetaObject::invokeMethod(g, [g, d] { showGraphDisplay(g, d); }, Qt::AutoConnection);
}

// ---- Report names and values ----

int Problem::reportWidth(Calculus *c, bool vertexMode, int n) const
{
    // An item marked both as node value and as vector is read as a vector, in the names
    // and in the values alike.
    if (c->vecInReport())
        return n;
    if (c->nodInReport())
        return vertexMode ? 1 : n;
    return 1;
}

void Problem::forEachReported(const std::function<void(Calculus *)> &f) const
{
    for (const QVector<Calculus *> *list : {&calc, &families, &objectives})
        for (Calculus *c : *list)
            if (c->inReport())
                f(c);
}

QStringList Problem::getReportNames(bool vertexMode) const
{
    QStringList names;
    const int n = graph ? graph->getNbNodes() : 0;
    forEachReported([&](Calculus *c) {
        const int width = reportWidth(c, vertexMode, n);
        if (width <= 0)
            return;
        QString label = c->getGivenName();
        if (label.isEmpty())
            label = c->getName();
        if (label.isEmpty())
            label = "NA";
        if (width == 1) {
            names.append(label);
            return;
        }
        for (int i = 1; i <= width; ++i)
            names.append(label + "[" + QString::number(i) + "]");
    });
    return names;
}

QVector<double> Problem::getReportValues() const
{
    QVector<double> values;
    const int n = graph ? graph->getNbNodes() : 0;
    forEachReported([&](Calculus *c) {
        const int width = reportWidth(c, false, n);
        for (int k = 1; k <= width; ++k)
            values.append(c->getValue(k));
    });
    return values;
}

QVector<double> Problem::getReportValues(int vertex) const
{
    QVector<double> values;
    const int n = graph ? graph->getNbNodes() : 0;
    forEachReported([&](Calculus *c) {
        if (reportWidth(c, true, n) != 1) {
            for (int k = 1; k <= n; ++k)
                values.append(c->getValue(k));
        } else {
            values.append(c->getValue(c->nodInReport() ? vertex : 1));
        }
    });
    return values;
}

QVector<int> Problem::getReportKinds() const
{
    // The same reading of the flags as reportWidth: a vector wins over a node value.
    QVector<int> kinds;
    forEachReported([&](Calculus *c) {
        kinds.append(c->vecInReport() ? ReportVector : (c->nodInReport() ? ReportNode : ReportScalar));
    });
    return kinds;
}

QString Problem::algDefinition() const
{
    QString text;
    for (int i = 0; i < objectives.size(); ++i) {
        Calculus *z = objectives[i];
        const int sense = z->getObj();
        const QString word = sense > 0 ? "Min" : (sense < 0 ? "Max" : "MinMax");
        text += word + "\tZ" + QString::number(i + 1) + " = " + z->formula() + "\n";
    }
    if (!constraints.isEmpty()) {
        text += "Subject to\n";
        for (int j = 0; j < constraints.size(); ++j)
            text += "Constraint" + QString::number(j + 1) + " : " + constraints[j]->formula() + "\n";
    }
    return text;
}

void Problem::slot_set_title(QString text)
{
    title = ProblemText::clean(text);
}

void Problem::slot_set_description(QString text)
{
    description = ProblemText::clean(text);
}

void Problem::display(bool debug)
{
    const QString rule = "===================\n";
    QString text = rule;
    text += "Name     = " + name + "\n";
    text += "FileName = " + fileName + "\n";
    text += "BaseName = " + baseName + "\n";
    for (int i = 0; i < calc.size(); ++i)
        calc[i]->setNumber(i);
    for (const QVector<Calculus *> *list : {&calc, &families, &constraints})
        for (Calculus *c : *list)
            text += c->getCaractToSave() + "\n";
    text += rule;
    std::cerr << text.toUtf8().constData() << std::endl;
    emit signal_console(text, debug, 0, QColor(Qt::black));
}

// ---- Problem text ----

static_assert(ProblemText::MaxSize == Calculus::MaxSize, "a constant read from a file fits an item");

QString Problem::saveString()
{
    // Renumbered only where an item moved: during a run the text is read from two threads
    // (a worker copying the board, the autosave), and then it changes nothing.
    for (int i = 0; i < calc.size(); ++i)
        if (calc[i]->getNumber() != i)
            calc[i]->setNumber(i);
    QStringList texts;
    forEachItem([&](Calculus *c) { texts << c->getCaractToSave(); });
    return ProblemText::compose(texts, title, description);
}

void Problem::build(const ProblemText::Parsed &parsed)
{
    BuildCalculus vocabulary;
    // The records rely on being appended in their order.
    const bool alt = altDown;
    altDown = false;
    clear();
    using Record = ProblemText::Record;
    auto setFlags = [](Calculus *c, const Record &r) {
        c->setPos(r.x, r.y);
        c->setInReport(r.inReport);
        c->setGraphInReport(!r.node && !r.vector);
        c->setVecInReport(r.vector);
        c->setNodInReport(r.node);
        c->setInvertGraph(r.invert);
        c->setGivenName(r.givenName);
    };
    for (const Record &r : parsed.records) {
        Calculus *item = nullptr;
        switch (r.kind) {
        case Record::Unlisted:
            // Shown, computed and written nowhere: not made at all.
            continue;
        case Record::Constant:
            item = vocabulary.makeConstant(displayed);
            item->setGraph(graph);
            item->setPos(r.x, r.y);
            item->setInReport(r.inReport);
            item->setVecInReport(r.vector);
            item->setNodInReport(r.node);
            item->setInvertGraph(r.invert);
            item->setGivenName(r.givenName);
            break;
        case Record::Info:
            item = r.key == "Colors" ? colors : r.key == "Labels" ? labels : r.key == "E_Labels" ? eLabels : eHilights;
            setFlags(item, r);
            break;
        case Record::Item:
            item = vocabulary.makeCalculus(r.key, displayed);
            if (!item)
                continue;
            item->setGraph(graph);
            switch (r.category) {
            case 1: addInvariantItemLoadMode(item); break;
            case 2: addFamilyItem(item); break;
            case 3: addOperatorItem(item); break;
            case 4: addConstraintItem(item); break;
            default: addZItem(item); break;
            }
            setFlags(item, r);
            break;
        }
        for (int k = 0; k < 4; ++k)
            if (r.args[k] >= 0)
                link(k + 1, calc[r.args[k]], item);
        if (r.hasSense) {
            item->setMin(r.sense == "min" || r.sense == "maxmin");
            item->setMax(r.sense == "max" || r.sense == "maxmin");
        }
        if (r.kind == Record::Constant) {
            static_cast<invConstant *>(item)->loadData(r.rows, r.cols, r.values);
            addOperatorItem(item);
        }
    }
    forEachItem([](Calculus *c) { c->select(false); });
    altDown = alt;
}

bool Problem::openString(QString text)
{
    return readText(text, false, nullptr);
}

bool Problem::readText(const QString &text, bool wholeFile, QString *why)
{
    BuildCalculus vocabulary;
    // A refused file is said once, by its refusal, which names the file and the record; a
    // text from elsewhere has the reader's and the vocabulary's own lines.
    const auto categoryOf = [&vocabulary, wholeFile](const QString &key) {
        if (!vocabulary.knows(key)) {
            if (!wholeFile)
                vocabulary.makeCalculus(key, false);
            return -1;
        }
        return vocabulary.type(key);
    };
    ProblemText::Parsed parsed;
    QString consoleLine, errorLine, reason;
    if (!ProblemText::parse(text, categoryOf, &parsed, &consoleLine, &errorLine, &reason)) {
        if (!wholeFile) {
            std::cerr << errorLine.toUtf8().constData() << std::endl;
            emit signal_console(consoleLine, false, 0, QColor(Qt::red));
        }
        if (why)
            *why = reason;
        return false;
    }
    // Every written file ends with the whole DESC record: a file without it, or with fewer
    // fields in it, was cut short.
    const QString expected = "expected the DESC record (title and description) that ends every problem file, found ";
    if (wholeFile && !parsed.hasDesc) {
        if (why)
            *why = QString("record %1 (line %2): ")
                       .arg(text.count(ProblemText::Separator) + 2)
                       .arg(text.count(QLatin1Char('\n')) + 1)
                   + expected + "the end of the file";
        return false;
    }
    if (wholeFile && parsed.descFields < 3) {
        if (why)
            *why = parsed.descPlace + ": " + expected
                   + QString("%1 of its 3 fields: the file was cut short").arg(parsed.descFields);
        return false;
    }
    build(parsed);
    if (!parsed.hasDesc) {
        if (graph) {
            Graph *g = graph;
            QMetaObject::invokeMethod(g, [g] { g->update_display(); }, Qt::AutoConnection);
        }
        emit signal_console("Problem loaded", false, 0, QColor(Qt::black));
        return true;
    }
    title = parsed.title;
    description = parsed.description;
    emit signal_console("Problem loaded", false, 0, QColor(Qt::black));
    emit signal_problem_description(description);
    emit signal_problem_title(title);
    return true;
}

Problem *Problem::clone()
{
    return clone(graph);
}

Problem *Problem::clone(Graph *onGraph)
{
    Problem *copy = new Problem(onGraph, "clone", false);
    copy->openString(saveString());
    copy->setNbNod(nbNod);
    return copy;
}

// ---- Problem files and autosave ----

bool Problem::writeText(const QString &path, QString *why)
{
    return TextFile::write(path, saveString().toLatin1(), why);
}

bool Problem::save(QString path, QString *why)
{
    QString reason;
    if (!writeText(path, &reason)) {
        emit signal_console("Failed to save problem " + path + ": " + reason, false, 0, QColor(Qt::red));
        if (why)
            *why = reason;
        return false;
    }
    emit signal_console("Problem saved", false, 0, QColor(Qt::black));
    return true;
}

bool Problem::readFile(const QString &path, const QString &kind, QString *why, bool *unreadable)
{
    QByteArray bytes;
    bool refused = false;
    *unreadable = false;
    if (!TextFile::read(path, &bytes, why, &refused))
        *unreadable = !refused;
    else if (readText(QString::fromLatin1(bytes), true, why))
        return true;
    if (!*unreadable) {
        const QString refusal = "Refused " + kind + " " + path + ": " + *why;
        std::cerr << refusal.toUtf8().constData() << std::endl;
        emit signal_console(refusal, false, 0, QColor(Qt::red));
    }
    return false;
}

bool Problem::open(QString path, QString *why)
{
    std::cerr << "Opening " << path.toUtf8().constData() << std::endl;
    QString reason;
    bool unreadable = false;
    if (readFile(path, "problem file", &reason, &unreadable))
        return true;
    if (unreadable) {
        const QString failure = "Cannot read problem file " + path + ": " + reason;
        std::cerr << failure.toUtf8().constData() << std::endl;
        emit signal_console(failure, false, 0, QColor(Qt::red));
    }
    DialogProvider::instance()->warning(this, "Opening",
                                        (unreadable ? "Cannot open file\n" : "Refused problem file\n") + path + "\n"
                                            + reason);
    if (why)
        *why = reason;
    return false;
}

QString Problem::autosavePath() const
{
    return wd.isEmpty() ? QString(".orvpb") : wd + "/.orvpb";
}

void Problem::autosave()
{
    QString why;
    if (writeText(autosavePath(), &why)) {
        lastAutosaveFailure.clear();
        return;
    }
    if (lastAutosaveFailure.isEmpty())
        emit signal_console("Autosave of the problem failed: " + autosavePath() + " (" + why + ")", false, 0,
                            QColor(Qt::red));
    lastAutosaveFailure = autosavePath() + ": " + why;
}

bool Problem::autoload(QString *why)
{
    QString reason;
    bool unreadable = false;
    if (readFile(autosavePath(), "problem autosave", &reason, &unreadable))
        return true;
    if (unreadable)
        std::cerr << "Cannot open file (autoload)" << std::endl;
    if (why)
        *why = reason;
    return false;
}

void Problem::setNames(const QString &path)
{
    fileName = path;
    name = QFileInfo(path).completeBaseName();
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    baseName = (slash >= 0 ? path.left(slash) : QString(".")) + "/" + name;
}

void Problem::slot_save()
{
    const QString start = wd.isEmpty() ? fileName : wd;
    const QString path = DialogProvider::instance()->getSaveFileName(this, "Save results as", start, "*.orv3");
    if (path.isEmpty())
        return;
    QString why;
    if (!save(path, &why)) {
        DialogProvider::instance()->warning(this, "Warning", "Failed to save data.\n" + path + "\n" + why);
        return;
    }
    setNames(path);
}

void Problem::slot_open()
{
    const QString path = DialogProvider::instance()->getOpenFileName(this, "Choose problem to load", wd, "*.orv3");
    if (path.isEmpty())
        return;
    if (open(path))
        setNames(path);
}

QString Problem::currentDescription() const
{
    QString text;
    for (const QVector<Calculus *> *list : {&calc, &families, &constraints})
        for (Calculus *c : *list)
            text += c->problemDocument() + "\n";
    if (!text.isEmpty())
        for (Calculus *c : objectives)
            text += c->problemDocument() + "\n";
    return text;
}

// ---- Board interaction ----

namespace {
// A pointer that has been farther than 5 scene units from the press point drags.
constexpr double DragThresholdSquared = 25.0;
// The view's scale stays within these bounds, both accepted.
constexpr double MinScale = 0.07;
constexpr double MaxScale = 100.0;
constexpr double KeyZoom = 1.1;
constexpr double ArrowStep = 5.0;
} // namespace

Calculus *Problem::boardItem(QGraphicsItem *item) const
{
    Calculus *found = nullptr;
    forEachItem([&](Calculus *c) {
        if (c == item)
            found = c;
    });
    return found;
}

QVector<Calculus *> Problem::boardItemsAt(QPointF p) const
{
    QVector<Calculus *> found;
    if (!scene)
        return found;
    for (QGraphicsItem *item : scene->items(p, Qt::IntersectsItemShape, Qt::DescendingOrder, viewportTransform()))
        if (Calculus *c = boardItem(item))
            found.append(c);
    return found;
}

Calculus *Problem::heldItem() const
{
    Calculus *c = Calculus::calculusUnderMouse();
    return c ? boardItem(c) : nullptr;
}

void Problem::takeModifiers(Qt::KeyboardModifiers modifiers)
{
    controlDown = modifiers.testFlag(Qt::ControlModifier);
    altDown = modifiers.testFlag(Qt::AltModifier);
}

void Problem::forEachItemListsReversed(const std::function<void(Calculus *)> &f) const
{
    for (const QVector<Calculus *> *list : {&calc, &families, &constraints, &objectives})
        for (int i = list->size() - 1; i >= 0; --i)
            f((*list)[i]);
    for (Calculus *c : infoItems())
        f(c);
}

void Problem::selectEveryItem(bool b)
{
    forEachItem([b](Calculus *c) {
        c->select(b);
        c->update();
    });
    if (graph)
        graph->update_display();
}

void Problem::slot_select_all()
{
    selectEveryItem(true);
}

void Problem::slot_unselect_all()
{
    selectEveryItem(false);
}

void Problem::slot_invert_selection()
{
    forEachItemListsReversed([](Calculus *c) { c->toggleSelect(); });
}

void Problem::slot_move_selected(double dx, double dy)
{
    forEachItem([dx, dy](Calculus *c) {
        if (c->isSelectedMark())
            c->setPos(c->pos() + QPointF(dx, dy));
    });
}

void Problem::slot_move_all(double dx, double dy)
{
    forEachItem([dx, dy](Calculus *c) { c->setPos(c->pos() + QPointF(dx, dy)); });
}

void Problem::align(bool onX)
{
    auto coordinate = [onX](Calculus *c) { return onX ? c->x() : c->y(); };
    double m = 1e8;
    forEachItem([&](Calculus *c) {
        if (c->isSelectedMark() && coordinate(c) < m)
            m = coordinate(c);
    });
    forEachItem([&](Calculus *c) {
        if (!c->isSelectedMark())
            return;
        if (onX)
            c->setX(m);
        else
            c->setY(m);
    });
}

void Problem::slot_alignX()
{
    align(true);
}

void Problem::slot_alignY()
{
    align(false);
}

void Problem::space(bool onX)
{
    auto coordinate = [onX](Calculus *c) { return onX ? c->x() : c->y(); };
    QVector<Calculus *> items;
    forEachItemListsReversed([&items](Calculus *c) {
        if (c->isSelectedMark())
            items.append(c);
    });
    if (items.size() < 2)
        return;
    std::stable_sort(items.begin(), items.end(),
                     [&](Calculus *a, Calculus *b) { return coordinate(a) < coordinate(b); });
    const double first = coordinate(items.first());
    const double step = (coordinate(items.last()) - first) / (items.size() - 1);
    double at = first;
    for (Calculus *c : items) {
        if (onX)
            c->setX(at);
        else
            c->setY(at);
        at += step;
    }
}

void Problem::slot_spaceX()
{
    space(true);
}

void Problem::slot_spaceY()
{
    space(false);
}

void Problem::slot_delete_items()
{
    const QMessageBox::StandardButton answer = DialogProvider::instance()->question(
        this, "About to delete items", "Are you sure you want to delete the selected items?",
        QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel);
    if (answer != QMessageBox::Ok) {
        if (graph) {
            graph->changeBest();
            graph->update_display();
        }
        update_display();
        return;
    }
    if (graph)
        graph->changeBest();
    // The info items are in none of the lists, so they are never deleted.
    for (QVector<Calculus *> *list : {&calc, &families, &constraints, &objectives})
        for (int i = list->size() - 1; i >= 0; --i)
            if ((*list)[i]->isSelectedMark())
                destroyItem(list->takeAt(i));
    best_backup();
    if (graph) {
        graph->changeBest();
        graph->update_display();
    }
    update_display();
}

void Problem::slot_print()
{
    QPrinter printer(QPrinter::HighResolution);
    if (!DialogProvider::instance()->print(&printer, nullptr))
        return;
    QString why;
    if (!PdfFile::render(&printer, [this](QPainter *painter) { render(painter); }, &why))
        DialogProvider::instance()->warning(this, "Warning", "Failed to print the problem.\n" + why);
}

bool Problem::scaleView(double factor)
{
    const double scaled = transform().scale(factor, factor).mapRect(QRectF(0, 0, 1, 1)).width();
    if (scaled < MinScale || scaled > MaxScale)
        return false;
    scale(factor, factor);
    return true;
}

void Problem::mousePressEvent(QMouseEvent *event)
{
    takeModifiers(event->modifiers());
    bandActive = true;
    pressPos = mapToScene(event->pos());
    maxDragSquared = 0;
    const QVector<Calculus *> hit = boardItemsAt(pressPos);
    // Of overlapping items the lowest in stacking order is the one held.
    for (Calculus *c : hit)
        Calculus::setCalculusUnderMouse(c);
    if (hit.isEmpty()) {
        // A press whose release never reached the board (a context menu took it) must not
        // leave its item held, or this band would drag it.
        Calculus::setCalculusUnderMouse(nullptr);
        if (rubberBand) {
            rubberBand->setRect(QRectF(pressPos, QSizeF(0, 0)));
            rubberBand->show();
        }
        return;
    }
    forEachItem([](Calculus *c) {
        if (c->isSelectedMark())
            c->setMousePressPos(c->pos());
    });
    bandActive = false;
}

void Problem::mouseMoveEvent(QMouseEvent *event)
{
    takeModifiers(event->modifiers());
    lastMousePos = event->pos();
    const QPointF p = mapToScene(event->pos());
    if (bandActive && rubberBand)
        rubberBand->setRect(QRectF(pressPos, p).normalized());
    if (Calculus *held = heldItem()) {
        const QPointF d = p - pressPos;
        maxDragSquared = qMax(maxDragSquared, d.x() * d.x() + d.y() * d.y());
        if (maxDragSquared > DragThresholdSquared) {
            if (!held->isSelectedMark()) {
                held->setPos(p);
            } else {
                const QPointF offset = p - held->getMousePressPos();
                forEachItem([&offset](Calculus *c) {
                    if (c->isSelectedMark())
                        c->setPos(c->getMousePressPos() + offset);
                });
            }
        }
    }
    update_display();
}

void Problem::mouseReleaseEvent(QMouseEvent *event)
{
    takeModifiers(event->modifiers());
    if (bandActive && rubberBand) {
        // A band only adds to the selection.
        for (QGraphicsItem *item : scene->items(rubberBand->rect(), Qt::IntersectsItemShape, Qt::DescendingOrder,
                                                viewportTransform()))
            if (Calculus *c = boardItem(item))
                c->select(true);
    }
    bandActive = false;
    if (rubberBand)
        rubberBand->hide();
    Calculus *held = heldItem();
    if (held && maxDragSquared < DragThresholdSquared)
        held->toggleSelect();
    Calculus::setCalculusUnderMouse(nullptr);
    update_display();
    maxDragSquared = 0;
}

void Problem::mouseDoubleClickEvent(QMouseEvent *event)
{
    takeModifiers(event->modifiers());
    bandActive = false;
    pressPos = mapToScene(event->pos());
    for (Calculus *c : boardItemsAt(pressPos))
        c->toggleDisplay();
    if (rubberBand) {
        rubberBand->setRect(QRectF(pressPos, QSizeF(0, 0)));
        rubberBand->hide();
    }
    maxDragSquared = 0;
}

void Problem::keyPressEvent(QKeyEvent *event)
{
    // Control and Alt are read from the event itself, so a release that happened while
    // another window had the focus cannot leave them held. Some platforms do not yet count
    // the modifier being pressed in its own event.
    takeModifiers(event->modifiers());
    if (event->key() == Qt::Key_Control)
        controlDown = true;
    if (event->key() == Qt::Key_Alt)
        altDown = true;

    const int key = event->key();
    if (controlDown) {
        switch (key) {
        case Qt::Key_P: slot_print(); break;
        case Qt::Key_X: slot_delete_items(); break;
        case Qt::Key_U: slot_unselect_all(); break;
        case Qt::Key_A: slot_select_all(); break;
        case Qt::Key_I: slot_invert_selection(); break;
        case Qt::Key_Up: slot_move_all(0, -ArrowStep); break;
        case Qt::Key_Down: slot_move_all(0, ArrowStep); break;
        case Qt::Key_Left: slot_move_all(-ArrowStep, 0); break;
        case Qt::Key_Right: slot_move_all(ArrowStep, 0); break;
        default: break;
        }
    } else {
        switch (key) {
        case Qt::Key_X: slot_alignX(); break;
        case Qt::Key_A: slot_spaceX(); break;
        case Qt::Key_Y: slot_alignY(); break;
        case Qt::Key_V: slot_spaceY(); break;
        case Qt::Key_R: emit signal_start_vns(); break;
        case Qt::Key_H: emit signal_stop_vns(); break;
        case Qt::Key_1: slot_link1(); break;
        case Qt::Key_2: slot_link2(); break;
        case Qt::Key_3: slot_link3(); break;
        case Qt::Key_4: slot_link4(); break;
        case Qt::Key_Minus: scaleView(1.0 / KeyZoom); break;
        case Qt::Key_Plus: scaleView(KeyZoom); break;
        case Qt::Key_Delete:
        case Qt::Key_Backspace: slot_delete_items(); break;
        case Qt::Key_Up: slot_move_selected(0, -ArrowStep); break;
        case Qt::Key_Down: slot_move_selected(0, ArrowStep); break;
        case Qt::Key_Left: slot_move_selected(-ArrowStep, 0); break;
        case Qt::Key_Right: slot_move_selected(ArrowStep, 0); break;
        default: break;
        }
    }
    slot_refresh();
}

void Problem::keyReleaseEvent(QKeyEvent *event)
{
    takeModifiers(event->modifiers());
    // Some platforms still count the released modifier in its own event.
    if (event->key() == Qt::Key_Control)
        controlDown = false;
    if (event->key() == Qt::Key_Alt)
        altDown = false;
}

void Problem::wheelEvent(QWheelEvent *event)
{
    // The wheel's delta in eighths of a degree along its main direction; one notch is 120.
    const QPoint a = event->angleDelta();
    const int d = qAbs(a.x()) > qAbs(a.y()) ? a.x() : a.y();
    scaleView(std::exp2(-d / 240.0));
}

void Problem::timerEvent(QTimerEvent *)
{
    update_display();
}
