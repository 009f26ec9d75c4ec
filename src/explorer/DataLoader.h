#ifndef DATALOADER_H
#define DATALOADER_H

#include <QFile>
#include <QString>
#include <QThread>
#include <QVector>
#include <atomic>
#include <mutex>

class Graph;
class Problem;
class ProgressBar;

// The explorer's background reader of graph lists (".g6" lines in graph6, ".dorv3" lines in
// graph text), and the inbox through which the optimiser hands its result graphs over.
//
// A load evaluates every graph of the file on a private copy of the board (made in the GUI
// thread before the thread starts) and a private graph, so the board and the graph being
// edited are never touched. The accepted graphs, with their report values, are gathered in
// a local list and put in place under the mutex at the end. The optimiser's inbox is a list
// of its own: a load never replaces results that wait there.
class DataLoader : public QThread
{
    Q_OBJECT

public:
    // What a load leaves: the accepted graph texts in file order, each with its report values
    // (Problem::getReportValues on the board described by `board`) and whether it violated the
    // problem; the lines read, and those skipped because they were not a graph. A list that
    // the tables could not hold, or that changed between its count and its reading, is refused
    // whole: `refused` says why, and no graph of it is kept.
    struct Loaded {
        QVector<QString> texts;
        QVector<QVector<double>> values;
        QVector<bool> violated;
        QString board;
        qint64 lines = 0;
        qint64 skipped = 0;
        bool cancelled = false;
        QString refused;
    };

    DataLoader(Problem *problem, Graph *graph, ProgressBar *window);
    ~DataLoader() override;

    // Opens the file read-only; false when it cannot be opened (why in errorString()), is not
    // a regular file (a pipe is refused unread, never waited for: a list is read twice), or a
    // load is running, which keeps its own file.
    bool setFilename(QString name);
    QString getFilename() const { return fileName; }
    QString errorString() const { return fileError; }
    void setDataType(QString type) { dataType = type; }
    QString getDataType() const { return dataType; }
    void setFilter(bool on) { filter.store(on); }
    bool getFilter() const { return filter.load(); }

    // GUI thread: copies the board, shows the loading window and starts the thread. Refused
    // (false) while a load runs or when no file is open.
    bool startLoad();
    // The copy of the board a load evaluates on, without starting the thread; startLoad()
    // calls it. False while a load runs.
    bool prepareLoad();

    // The result of the last load; empty before the first.
    Loaded getLoaded() const;

    // The memory, in bytes, that a load may count on for the tables it fills; 0 (the default)
    // means what the machine has available when the load starts.
    void setMemoryLimit(qint64 bytes) { memoryLimit.store(bytes); }
    static qint64 availableMemory();


    // The optimiser's inbox; every call takes the mutex, from any thread.
    QVector<QString> getGraphs() const;
    void addGraph(QString text);
    void addGraphs(QVector<QString> texts);
    void clear();
    int size() const;

    // Evaluates the board copy on the graph already loaded into its private graph: true when
    // the problem errs or a constraint is violated; `values` gets the report values.
    static bool evaluate(Problem *copy, QVector<double> &values);
    // The board text without what does not change a value (item positions, title and
    // description): two boards with the same signature give the same values.
    static QString boardSignature(Problem *board);

signals:
    void signal_load_complete();
    void signal_console(QString);
    void signal_progress(int, qint64, qint64);

public slots:
    void run() override;
    void slot_cancel();

private:
    void dropCopy();
    // One line of a list as the loader takes it, or false when it is not a graph: a graph6
    // line of 2 to 31 vertices with exactly the characters its count needs (blanks and tabs
    // after it aside), or a count of 0 to 32, a blank and the pair characters '0' and '1',
    // too few of them meaning no edge and any after the last pair ignored. `n` gets the
    // vertex count.
    static bool isGraphLine(const char *line, int length, bool overlong, bool graph6, int *n);
    // The lines of the list, the graphs among them and their vertex rows, read without
    // evaluating; false when cancelled meanwhile or when a read failed (then its reason in
    // `failure`).
    struct Census {
        qint64 lines = 0;
        qint64 graphs = 0;
        qint64 vertices = 0;
        qint64 pairChars = 0;
        int largest = 0;
        // One more line; `nodes` is its vertex count when it is a graph, otherwise -1.
        void add(int nodes);
        bool within(const Census &o) const;
        bool operator==(const Census &o) const { return within(o) && o.within(*this); }
    };
    bool census(bool g6, Census *c, QString *failure);
    // Closes the file and puts the result in place.
    void publish(Loaded &result);
    // Publishes the result as refused for `why`, with no graph; the panels say why.
    void refuse(Loaded &result, const QString &why);
    // The refusal of a list whose reading failed for `reason`.
    QString unreadable(const QString &reason) const;
    // Why the tables could not hold the list, or nothing when they can.
    QString tooLarge(const Census &c);

    Problem *problem;
    Graph *graph;
    std::atomic<bool> filter{true};
    QString fileName;
    QString fileError;
    QString dataType = "g6";
    QFile file;
    std::atomic<bool> cancel{false};
    std::atomic<bool> runEnded{false};  // see run()
    std::atomic<qint64> memoryLimit{0};
    // A plain mutex, not a recursive one; the standard one so the thread sanitizer sees it.
    mutable std::mutex mutex;
    QVector<QString> inbox;
    Loaded loaded;
    ProgressBar *window;
    // Made and deleted in the GUI thread; used by the loader thread while it runs.
    Problem *copy = nullptr;
    Graph *privateGraph = nullptr;
    QString copyBoard;
    QString runType;
    bool runFilter = true;
};

#endif
