#ifndef CONJECTUREENGINE_H
#define CONJECTUREENGINE_H

#include "conjectures/Conjecture.h"
#include "conjectures/NearIndex.h"
#include "conjectures/RelationSpace.h"
#include "conjectures/RelationSpaces.h"
#include "conjectures/ToleranceGrid.h"

#include <QStringList>
#include <QThread>
#include <QVector>
#include <atomic>
#include <memory>
#include <random>
#include <vector>

// One search thread of the conjecture search. Each table row is a point with one axis per
// column (optionally with squared columns and pairwise products added); the engine looks for
// hyperplanes through as many points as possible with every point on one side, by a local
// search over which dim points define the hyperplane, and announces each one found as a bound.
//
// The owner (GUI thread) feeds the engine while it is idle: clear(), the option setters,
// setHeader(), setWeights(), addPoint() per row, then start(). A job runs until cancel() or
// its time limit, then the engine clears its points and header and emits signal_complete().
// The Conjecture records it signals stay valid until its next run starts.
//
// Where the points satisfy an identity (RelationSpace), the hyperplane through a face can turn
// about it, and every evaluation may give a new turned copy of one relation: each bound is
// written in its form with the fewest terms that keeps its values on the rows its text is read
// on, and announced with the rows and its key on them; a copy of a relation the run has already
// announced (the rows say so) is announced again only when it touches more graphs, or as many
// with fewer terms. The rows, with their identities, are set up once per search and shared by its
// jobs (setSpaces()); the job that sets them up looks at Cancel, not at its time limit.
//
// stop, running, idle, the start time and the limit are atomics shared with the owner's
// thread; the stop flag is looked at after every evaluation, so a job ends within one
// evaluation of a Cancel or of its time limit.
class ConjectureEngine : public QThread
{
    Q_OBJECT

public:
    static constexpr int DefaultLimitMs = 120000;

    explicit ConjectureEngine(int id);
    // Stops a running job and waits for its thread.
    ~ConjectureEngine() override;

    // Empties the header, the points and the graph numbers; the engine is idle. Weights and
    // options stay. Ignored while a job runs.
    void clear();
    void setSq(bool on);
    void setProd(bool on);
    void setCombine(bool on);
    void setHeader(const QStringList &names);
    // One weight per header column. Ignored while a job runs.
    void setWeights(const QVector<double> &weights);
    // Drops a point of the wrong length. The search leaves out a point with a NaN or infinite
    // coordinate (a cell without a value, counted in skippedPoints()) and one within 1e-6 of a
    // point already held; the texts of the bounds found hold on all of them.
    void addPoint(const QVector<double> &point, int graphNo);
    void setTimeLimit(int ms);
    int timeLimit() const { return limitMs.load(); }
    // The search's shared set-up of the rows; without it each job sets up its own.
    void setSpaces(std::shared_ptr<RelationSpaces> shared);

    // Raises the running flag (and leaves idle) before the thread starts, so that the job counts
    // as running from here until just before signal_complete(). Waits for the thread of the
    // previous job if it is still winding down; does nothing while a job runs.
    void start(Priority priority = InheritPriority);
    // The job's own flag, not the thread's state.
    bool isRunning() const { return running.load(); }
    bool isIdle() const { return idle.load(); }
    int getId() const { return id; }
    // Read while idle.
    QStringList getHeader() const { return header; }
    int nbPoints() const { return points.size(); }
    int skippedPoints() const { return nonFinite; }

    // The bound sum w[i] x[i] <= c over the column names: coefficients with six significant
    // digits, the smallest one above 0.001 written as 1; terms and a constant of magnitude 1e-6
    // or less left out. No number carries a "+" in its exponent.
    static QString boundText(const QVector<double> &w, double c, const QStringList &names);

public slots:
    void run() override;
    void cancel();
    // Time check; the owner calls it periodically.
    void slot_timer();

signals:
    void signal_conjecture(QString text);
    void signal_progress(int id, qint64 elapsedMs, qint64 limitMs);
    void signal_complete();
    void signal_new_conjecture(Conjecture *record);
    void signal_not_enough_points();

protected:
    struct Score {
        int violations = 0;
        int touching = 0;
        double sumErr = 0.0;
    };

    // The steps of a run, in order: begin (unless start() did), addColumns, setUp, search.
    void begin();
    void addColumns();
    void setUp();
    void search();
    bool eval();
    void compute_m();
    void update_stats();
    void store();
    // The relation a bound's text states, with the rows on which it is tight.
    struct Statement {
        QString text;
        QVector<double> coefs;  // as printed, times the scale of the smallest coefficient
        double offset = 0.0;
        int touching = 0;
        double sumErr = 0.0;
        QVector<int> support;
        bool touchesSearched = false;  // tight on a row with a value in every column
    };
    // Writes the coefficients of w as boundText() does and the constant as the largest value
    // of the written left side over every row given to the job (those with a value in each
    // column written), rounded up with the fewest digits that keep that row tight: the text
    // holds exactly on every such row. A row is tight when the two sides agree within 1e-9 of
    // the sum of the magnitudes of the text's terms and constant on it. Empty text when no row
    // has the values. The columns in kept are written whatever the size of their term.
    Statement state(const QVector<double> &w, const QVector<bool> &kept = {}) const;
    // The columns of w's terms of 1e-6 or less that have no value on a row where its written
    // columns all have one: left out of its text, they would let it be read on that row.
    QVector<bool> gapColumns(const QVector<double> &w) const;
    void best_backup();
    void best_restore();
    void loc_backup();
    void loc_restore();
    bool stopNow();
    qint64 nowNs() const;
    qint64 elapsedSinceStart() const;  // whole milliseconds

    // Fed by the owner.
    const int id;
    QStringList header;
    QVector<double> weights;
    ToleranceGrid points;  // the rows as given, each once, for the search
    QVector<int> graphNumbers;
    // Every row given, also repeated ones and those without a value (not finite), with its
    // graph number: a bound's text is checked and counted on them.
    std::vector<double> allRows;
    QVector<int> allGraphs;
    int nonFinite = 0;
    bool sq = false, prod = false, combine = false;

    std::atomic<bool> idle{true};
    std::atomic<bool> stop{false};
    std::atomic<bool> cancelled{false};  // cancel() since the job began, not its time limit
    std::atomic<bool> running{false};
    std::atomic<bool> armed{false};  // start() has done begin()'s work
    std::atomic<qint64> startNs{0};
    std::atomic<qint64> elapsedMs{0};
    std::atomic<int> limitMs{DefaultLimitMs};

    // A run's working state, touched by the run's thread only.
    int dim = 0;
    int count = 0;  // N, the number of points
    std::vector<double> x;  // count x dim, augmented and weighted, row by row
    std::vector<int> graphSlot;  // per point: index of its graph among the distinct graph numbers
    std::vector<unsigned> graphSeen;  // per distinct graph: evaluation stamp when it last touched
    unsigned stamp = 0;
    std::vector<int> current, local, best;
    Score currentScore, localScore, bestScore;
    std::vector<char> violating;  // per point index, from the latest evaluation
    QVector<double> mean;
    QVector<QVector<double>> scatter;
    QVector<double> coef;
    std::vector<double> distances;  // per point, signed distance to the current hyperplane
    double offset = 0.0;
    QVector<int> touchingGraphs;
    ToleranceGrid storedCoefs;
    // Every row given, as the texts read them (shared with the search's other jobs), and the
    // relations announced in this run by their keys, each with its place in records.
    std::shared_ptr<RelationSpaces> spaces;
    std::shared_ptr<const RelationSpace> space;
    NearIndex announced;
    std::vector<size_t> announcedRecords;
    std::vector<std::unique_ptr<Conjecture>> records;
    std::mt19937 rng;

private:
    void clearJob();
    // A row with its squared and product columns; exact[k] tells whether row[k] is the exact
    // value (a product rounded by the multiplication is not).
    void augment(const double *raw, double *row, char *exact) const;
    unsigned draw(unsigned n) { return unsigned(rng()) % n; }
};

#endif
