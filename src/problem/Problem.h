#ifndef PROBLEM_H
#define PROBLEM_H

#include "problem/ProblemText.h"

#include <QColor>
#include <QGraphicsView>
#include <QMutex>
#include <QPoint>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <QVector>
#include <atomic>
#include <functional>

class Calculus;
class Eval;
class Graph;
class QGraphicsItem;
class QGraphicsRectItem;
class QGraphicsScene;

// The white board and, at the same time, the evaluable model of the optimisation problem:
// it owns the items in four ordered lists (the calculation list in evaluation order, the
// families, the constraints, the objectives) plus four fixed info items, links them, computes
// them on one graph and fills the evaluation record that the optimiser compares graphs by.
//
// Threads: the displayed board is edited in the GUI thread only. A board is computed by one
// thread at a time; the only lock of the board itself is the one held while it records a
// new best graph, which may come from an optimiser worker. Such a recording changes data
// only; whatever is shown (dialogs, tooltips, the graph view) is updated in the GUI thread.
class Problem : public QGraphicsView
{
    Q_OBJECT

public:
    Problem(Graph *graph, QString name, bool displayed);
    ~Problem() override;

    // Bookkeeping.
    Problem *clone();
    // A non-displayed copy built on the given graph from the start, so that making it never
    // touches this board's graph.
    Problem *clone(Graph *onGraph);
    void setGraph(Graph *g);
    Graph *getGraph() const { return graph; }
    int getNbNod() const { return nbNod; }
    void update_display();
    void clear();
    bool isDisplayed() const { return displayed; }
    QGraphicsScene *getScene() const { return scene; }
    QString getName() const { return name; }
    QString getFileName() const { return fileName; }
    QString getBaseName() const { return baseName; }
    // A new folder is a new start for the autosave: its failures in the old one are history.
    void setWD(QString dir)
    {
        wd = dir;
        lastAutosaveFailure.clear();
    }
    QString getWD() const { return wd; }

    // The lists, in board order, and the info items.
    const QVector<Calculus *> &calculationList() const { return calc; }
    const QVector<Calculus *> &familyList() const { return families; }
    const QVector<Calculus *> &constraintList() const { return constraints; }
    const QVector<Calculus *> &objectiveList() const { return objectives; }
    Calculus *getColors() const { return colors; }
    Calculus *getLabels() const { return labels; }
    Calculus *getELabels() const { return eLabels; }
    Calculus *getEHilights() const { return eHilights; }
    bool isAltDown() const { return altDown; }
    bool isControlDown() const { return controlDown; }
    QGraphicsRectItem *getRubberBand() const { return rubberBand; }

    // One zoom step about the centre of the view; refused when the resulting scale would
    // leave [0.07, 100]. True when the view was scaled.
    bool scaleView(double factor);

    // Insertion; the board takes ownership of the item.
    void addInvariantItem(Calculus *c);
    void addInvariantItemLoadMode(Calculus *c);
    void addOperatorItem(Calculus *c);
    void addFamilyItem(Calculus *c);
    void addConstraintItem(Calculus *c);
    void addZItem(Calculus *c);

    // Makes, moves or removes the arrow that makes source argument K of target.
    void link1(Calculus *source, Calculus *target);
    void link2(Calculus *source, Calculus *target);
    void link3(Calculus *source, Calculus *target);
    void link4(Calculus *source, Calculus *target);

    // Computing and evaluating.
    void compute(bool force);
    void eval(Eval *e);
    // Records the board's values on its graph, with one counted evaluation, whose record goes
    // to `record` when one is given.
    void best_backup(Eval *record = nullptr);
    void resetNbEvals() { evalCounter.store(0, std::memory_order_relaxed); }
    int nbEvals() const { return evalCounter.load(std::memory_order_relaxed); }
    int maxEvals() const { return evalLimit.load(std::memory_order_relaxed); }
    bool isMaxEvalsReached() const;
    bool needOptimization() const { return !objectives.isEmpty() || !constraints.isEmpty(); }
    QVector<int> getOptimizationPattern() const;
    void setOptFactors(QVector<double> f);

    // The problem text, and problem files. Saving writes a temporary file and replaces the
    // old one only when everything was written; opening reads the whole text into a fresh
    // board first and changes this one only when that succeeded.
    // A problem file must end with its DESC record, which a text need not have. The file
    // operations give the reason of a failure in why when asked.
    QString saveString();
    bool openString(QString text);
    bool save(QString path, QString *why = nullptr);
    bool open(QString path, QString *why = nullptr);
    void autosave();
    bool autoload(QString *why = nullptr);
    QString autosavePath() const;
    // Why the last autosave failed (its file and the system's reason); empty once one succeeded.
    QString autosaveFailure() const { return lastAutosaveFailure; }

    // Report names and values for the results explorer, and the texts about the problem.
    QStringList getReportNames(bool vertexMode) const;
    QVector<double> getReportValues() const;
    QVector<double> getReportValues(int vertex) const;
    // How each reported item fills its columns, in report order: ReportScalar one column,
    // ReportNode one column per vertex in the graph table and one in the vertex table,
    // ReportVector one column per vertex in both.
    enum ReportKind { ReportScalar = 0, ReportNode = 1, ReportVector = 2 };
    QVector<int> getReportKinds() const;
    QString algDefinition() const;
    // The documentation block of every item; objectives only when something comes before them.
    QString currentDescription() const;
    QString userTitle() const { return title; }
    QString userDescription() const { return description; }
    void display(bool debug);

signals:
    void signal_start_vns();
    void signal_stop_vns();
    void signal_console(QString, bool, int, QColor);
    void signal_problem_description(QString);
    void signal_problem_title(QString);
    void signal_max_eval_reached();

public slots:
    void slot_select_all();
    void slot_unselect_all();
    void slot_invert_selection();
    void slot_move_selected(double dx, double dy);
    void slot_move_all(double dx, double dy);
    void setNbNod(int n) { nbNod = n; }
    void slot_set_max_eval(int n) { evalLimit.store(n, std::memory_order_relaxed); }
    void slot_save();
    void slot_open();
    void slot_best_backup();
    void slot_link1();
    void slot_link2();
    void slot_link3();
    void slot_link4();
    void slot_delete_items();
    void slot_print();
    void slot_refresh();
    void slot_set_description(QString text);
    void slot_set_title(QString text);
    void slot_alignX();
    void slot_alignY();
    void slot_spaceX();
    void slot_spaceY();

protected:
    // The board handles the pointer, the keys and the wheel itself and passes none of these
    // events on: the scene's items get no mouse events and the view never scrolls.
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void timerEvent(QTimerEvent *event) override;

private:
    // Every item of the four lists, then the info items, in board order.
    void forEachItem(const std::function<void(Calculus *)> &f) const;
    // The same with each list walked from its last item to its first.
    void forEachItemListsReversed(const std::function<void(Calculus *)> &f) const;
    QVector<Calculus *> infoItems() const { return {colors, labels, eLabels, eHilights}; }
    // The steps every add operation shares after the item has joined its list.
    void placeItem(Calculus *c, double z, bool selected);
    void link(int k, Calculus *source, Calculus *target);
    void linkSelection(int k);
    // The display data of a best graph, taken under the board lock and applied to the graph
    // in the GUI thread.
    struct GraphDisplay;
    GraphDisplay takeGraphDisplay() const;
    static void showGraphDisplay(Graph *g, const GraphDisplay &d);
    // The board item that this graphics item is, or null (arrows, the rubber band).
    Calculus *boardItem(QGraphicsItem *item) const;
    // The board items whose shape holds the scene point, topmost first.
    QVector<Calculus *> boardItemsAt(QPointF p) const;
    // The item under the mouse when it is one of this board's items, else null.
    Calculus *heldItem() const;
    // Control and Alt as the event says they are held.
    void takeModifiers(Qt::KeyboardModifiers modifiers);
    void selectEveryItem(bool b);
    void align(bool onX);
    void space(bool onX);
    // Removes an item from the board for good: it must already be out of its list.
    void destroyItem(Calculus *c);
    // The in-report items of the calculation list, the families and the objectives.
    void forEachReported(const std::function<void(Calculus *)> &f) const;
    // Reads a problem text into this board (see openString); a whole file must end with its
    // DESC record. False, with the reason, when the text is refused.
    bool readText(const QString &text, bool wholeFile, QString *why);
    // Reads a problem file into this board; false with the reason. A file that was read but
    // refused is said on the console, as kind and its path.
    bool readFile(const QString &path, const QString &kind, QString *why, bool *unreadable);
    // Reads the records of a problem text into this board; see openString.
    void build(const ProblemText::Parsed &parsed);
    // Clears what the file format cannot carry from a given name, title or description.
    void setNames(const QString &path);
    // Writes the problem text to a file; false with the reason in *why on failure.
    bool writeText(const QString &path, QString *why);
    // Columns an in-report item gives: its width in the graph or vertex table.
    int reportWidth(Calculus *c, bool vertexMode, int n) const;

    QGraphicsScene *scene = nullptr;
    Graph *graph;
    QString name;
    QString fileName;
    QString baseName;
    bool displayed;
    QString wd;
    QMutex boardMutex;
    bool altDown = false;
    bool controlDown = false;
    QPointF pressPos{0, 0};
    double maxDragSquared = 0;
    bool bandActive = false;
    QPoint lastMousePos{0, 0};
    QGraphicsRectItem *rubberBand = nullptr;
    int nbNod = 10;
    QVector<Calculus *> calc;
    QVector<Calculus *> families;
    QVector<Calculus *> constraints;
    QVector<Calculus *> objectives;
    Calculus *labels = nullptr;
    Calculus *colors = nullptr;
    Calculus *eLabels = nullptr;
    Calculus *eHilights = nullptr;
    QString description;
    QString title;
    std::atomic<int> evalCounter{0};
    std::atomic<int> evalLimit{0};
    // A failing autosave is reported once, until an autosave succeeds again.
    QString lastAutosaveFailure;
};

#endif
