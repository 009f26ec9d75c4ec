#ifndef CALCULUS_H
#define CALCULUS_H

#include <QColor>
#include <QGraphicsItem>
#include <QList>
#include <QMutex>
#include <QPointF>
#include <QString>
#include <QVector>
#include <atomic>
#include <cstdint>

class CalculusDisplay;
class Graph;
class Link;

// The base of every white-board item: a value matrix with its dimension labels, up to four
// argument items brought in by links, report flags, an error state and the compute contract.
//
// Threads: an item may be computed in any thread. Worker threads touch plain members only;
// the dialog (a widget) is changed only in the GUI thread, and the options that a
// computation needs are read from atomic members, never from widgets.
class Calculus : public QGraphicsItem
{
public:
    static constexpr int MaxSize = 32;

    Calculus();
    ~Calculus() override;

    // Graphics item.
    QRectF boundingRect() const override;
    QPainterPath shape() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override = 0;

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent *event) override;
    QVariant itemChange(GraphicsItemChange change, const QVariant &value) override;

public:
    // Item operations, in the order of their slots.
    virtual bool setLink1(Link *l) = 0;
    virtual bool setLink2(Link *l) = 0;
    virtual bool setLink3(Link *l) = 0;
    virtual bool setLink4(Link *l) = 0;
    virtual QString formula() = 0;
    virtual bool setLinkTo(Link *l) = 0;
    virtual QVector<QVector<double>> &getZ();
    virtual bool setArg1(Calculus *c) = 0;
    virtual bool setArg2(Calculus *c) = 0;
    virtual bool setArg3(Calculus *c) = 0;
    virtual bool setArg4(Calculus *c) = 0;
    virtual void setParam(int p) = 0;
    virtual int getParam() = 0;
    virtual void setMin(bool b);
    virtual void setMax(bool b);
    virtual void setOptFactor(double f);
    virtual int getObj();
    virtual QString specificInformationToSave();
    // Runs under the value lock (which also serialises the computations of the item), with a
    // graph and the error flag clear; must not take the item's own value lock.
    virtual void recompute() = 0;

    // Computation.
    bool compute(bool force);
    void set_crucial(bool b) { crucial.store(b, std::memory_order_relaxed); }
    bool isCrucial() const { return crucial.load(std::memory_order_relaxed); }
    void update_crucial();
    void applyChanges();
    bool getError() const { return error.load(std::memory_order_relaxed); }
    bool getShownError() const { return shownError.load(std::memory_order_relaxed); }
    void saveTooltip(QString text) { status = text; }
    QString getStatus();
    void setGraph(Graph *g);
    Graph *getGraph() const { return graph; }
    void bestBackup();

    // Value, read under the value lock.
    double getValue(int i);
    QVector<double> getFirstRow();
    QVector<double> getFirstCol();
    QString getSRows();
    QString getSCols();
    int getNbRows() const { return nbRows.load(std::memory_order_relaxed); }
    int getNbCols() const { return nbCols.load(std::memory_order_relaxed); }
    // Whoever reads several entries at once holds this lock (an item in its recompute for
    // its arguments' values; never its own) and reads the storage through entry().
    QMutex &getValueLock() { return valueLock; }
    double entry(int i, int j) const { return value[i][j]; }
    QString rowsLabel() const { return sRows; }
    QString colsLabel() const { return sCols; }

    // Arguments and links; k counts from 1.
    bool isLinked(int k) const;
    bool removeLink(Link *link);
    Calculus *getArg(int k) const { return (k >= 1 && k <= 4) ? args[k - 1] : nullptr; }
    Link *getLink(int k) const { return (k >= 1 && k <= 4) ? links[k - 1] : nullptr; }
    const QList<Link *> &getLinksTo() const { return linksTo; }

    // Report flags: with a dialog, the getters give its boxes' states.
    bool inReport() const;
    bool nodInReport() const;
    bool vecInReport() const;
    bool graphInReport() const;
    bool invertGraph() const;
    void setInReport(bool b);
    void setNodInReport(bool b);
    void setVecInReport(bool b);
    void setGraphInReport(bool b);
    void setInvertGraph(bool b);

    // The item record: one tab-separated line, line feed included.
    QString getCaractToSave();
    // Documentation texts.
    QString problemDocument();
    QString textDocumentation() const;
    QString latexDocumentation() const { return latexDescription; }

    // Identity.
    // A given name never holds a tab, a line break or the record separator "<NEW>": they
    // would split or shift the item's record in the problem text.
    static QString cleanGivenName(QString text);
    void setGivenName(QString text);
    void updateGivenName();
    QString getGivenName() const { return givenName; }
    QString getName() const { return name; }
    QString getType() const { return typeWord; }
    QString getDescription() const { return description; }
    QString getLatexDescription() const { return latexDescription; }
    QString getArgText(int k) const { return (k >= 1 && k <= 4) ? argTexts[k - 1] : QString(); }
    CalculusDisplay *getCalculusDisplay() const { return dialog; }
    bool isDisplayed() const { return displayed; }
    QString getID();
    int getNumber() const { return number; }
    void setNumber(int k) { number = k; }
    int getLastGraphId() const { return lastGraphId.load(std::memory_order_relaxed); }
    int getBoxWidth() const { return width; }
    int getBoxHeight() const { return height; }
    bool isSelectedMark() const { return selected; }

    // On the white board (GUI thread).
    void toggleSelect();
    void select(bool b) { selected = selectable ? b : false; }
    void setSelectable(bool b);
    bool isSelectable() const { return selectable; }
    void toggleDisplay();
    void update_display();
    void setZ(double z) { setZValue(z); }
    static Calculus *calculusUnderMouse() { return calculus_under_mouse; }
    static void setCalculusUnderMouse(Calculus *c) { calculus_under_mouse = c; }
    void setMousePressPos(QPointF p) { mousePressPos = p; }
    QPointF getMousePressPos() const { return mousePressPos; }
    void display();

    // Registry of the items being linked; filled by the board, read by nobody.
    static void clearVectorCalculus();
    static void addVectorCalculus(Calculus *c);
    static int vectorCalculusSize();

protected:
    // How a category draws its box; see paintBox.
    struct BoxStyle
    {
        enum Outline { Rectangle, Ellipse, Octagon } outline = Rectangle;
        qreal radius = 60;
        QPointF centre{30, 30};
        QPointF focal{3, 30};
        QColor outer; // gradient stop at 1.0
        QColor inner; // gradient stop at 0.0
        QRectF keyRect;
        QRectF valueRect;
        QString valueText;
        bool nameTag = false;
        QColor tagOuter;
        QColor tagInner;
        bool reportMark = false;
        bool complementMark = false;
        QRectF complementCircle;
        QRectF complementLetter;
    };
    // The colours of the selected mark and of an error, shared by the categories; false when
    // neither applies.
    bool stateColours(QColor &outer, QColor &inner) const;
    // Draws the box, its key and value texts and the marks the style asks for.
    void paintBox(QPainter *painter, const BoxStyle &style) const;

    // Shared by the board's four info items, which differ only in what they accept.
    void setupInfo(const QString &infoName, bool isDisplayed);
    bool acceptInfoLink(Link *l);
    QString infoFormula();
    bool setInfoArg(Calculus *c);
    void paintInfo(QPainter *painter);

    // Shared by the items that accept arguments: stores the arrow as link k.
    bool acceptLink(int k, Link *l);
    // Shared by the items that may be arguments: lists an arrow leaving this item.
    bool registerLinkTo(Link *l);
    // The argument setter of the operators: store, new graph identifier, forced compute,
    // repaint, refresh of the dialog, re-laying of the arrow.
    bool setArgAndRefresh(int k, Calculus *c);
    // A failed recompute: the status text, no value, the error flag.
    void setNoValue(const QString &statusText)
    {
        saveTooltip(statusText);
        nbRows = 0;
        nbCols = 0;
        error = true;
    }
    // The start every board category shares: its type word, a random position with x and y
    // in 0..199 (x drawn first) and the 120 x 60 box.
    void initCategory(const QString &type);
    // Gives a displayed item its dialog and the graphics set-up every board item shares.
    void setupDisplay(CalculusDisplay *d);

    // Set by items that read the graph only through snapshots: their complement is taken on
    // the snapshot (`complementing` during that recompute) and the shared graph is never
    // inverted, so no other thread can see it half-complemented.
    bool complementSnapshot = false;
    bool complementing = false;
    // The adjacency rows of the item's graph in one consistent piece (symmetric, without
    // diagonal), complemented while `complementing`; returns the vertex count.
    int adjacencySnapshot(std::uint32_t rows[MaxSize]);

    QVector<QVector<double>> value;
    std::atomic<int> nbRows{0};
    std::atomic<int> nbCols{0};
    QString argTexts[4];
    QString latexDescription = "N/A";
    QString description = "N/A";
    int posX = 100;
    int posY = 100;
    int width = 80;
    int height = 80;
    QString name = "Missing name!";
    QString givenName;
    CalculusDisplay *dialog = nullptr;
    Graph *graph = nullptr;
    bool displayed = false;
    bool selected = false;
    bool selectable = true;
    Calculus *args[4] = {nullptr, nullptr, nullptr, nullptr};
    Link *links[4] = {nullptr, nullptr, nullptr, nullptr};
    QList<Link *> linksTo;
    std::atomic<bool> error{false};
    std::atomic<bool> shownError{false};
    int number = 0;
    QString typeWord;
    QString status;
    std::atomic<bool> flagInReport{false};
    std::atomic<bool> flagNode{false};
    std::atomic<bool> flagVector{false};
    std::atomic<bool> flagGraph{false};
    std::atomic<bool> flagInvert{false};
    QString idText = "NA";
    QString sRows = "NA";
    QString sCols = "NA";
    QPointF mousePressPos{0, 0};

private:
    void refreshDialog();

    QMutex valueLock;
    std::atomic<int> lastGraphId{0};
    // False until the first computation, so that a first graph whose identifier happens to
    // equal the initial one is still computed.
    std::atomic<bool> computedOnce{false};
    std::atomic<bool> crucial{false};

    static QVector<Calculus *> vector_calculus;
    static Calculus *calculus_under_mouse;
    static QMutex c_mutex;
};

#endif
