#ifndef CONJECTUREWIDGET_H
#define CONJECTUREWIDGET_H

#include "conjectures/HeldRelations.h"

#include <QColor>
#include <QMutex>
#include <QStringList>
#include <QVector>
#include <QWidget>
#include <memory>

class Analyst;
class Conjecture;
class ConjectureEngine;
class ConjectureSettings;
class ConjecturesDisplay;
class ProgressBar;
class QCheckBox;
class QPushButton;
class QSpinBox;
class RelationSpaces;

// The control panel of a conjecture search over one explorer table. "Search" turns the bound
// choice of every column into jobs (one weight vector per sign pattern of the "Both" columns),
// runs them on up to four engine threads, keeps one copy of every distinct relation reported,
// and when the last job has completed lists them, strongest first, in the display window.
//
// A column with one value on the rows searched, or infinite or without a value (1e12) on most
// rows (the per-vertex columns of the larger graphs in a mixed table), takes no part in the
// search; rows infinite or without a value in a searched column are left out of it. The console
// says so once per search, with the rows and columns searched, and says when the search ends
// and how many relations it found. Each relation is held once (HeldRelations): copies with the
// same text, that touch the same graphs, or whose slacks agree up to a positive factor on every
// row searched are one. The rows are set up once per search, by the first job, for all its jobs.
//
// GUI thread only. An engine counts as busy from its start() until its thread has finished
// and its completion has been handled here, so it is never fed, restarted or deleted while
// its thread runs.
class ConjectureWidget : public QWidget
{
    Q_OBJECT

public:
    // 2^12 sign patterns: beyond this a search is refused.
    static constexpr int MaxJobs = 4096;

    ConjectureWidget(Analyst *table, ConjectureSettings *settings, ConjecturesDisplay *display);
    // Cancels every engine and waits for its thread.
    ~ConjectureWidget() override;

    QString getConjectures() const;

    // The weights of job j for the given column choices (-1 "Lower", +1 "Upper", 0 "Both"):
    // the k-th "Both" column is +1 when bit k of j is set, -1 otherwise.
    static QVector<double> jobWeights(const QVector<int> &choices, int j);

    // Per-job time limit of the engines (ms): for the jobs running and those handed out later.
    void setTimeLimit(int ms);
    bool isSearching() const { return !engines.isEmpty(); }
    int nbEngines() const { return engines.size(); }

signals:
    void signal_load_graph(int graphNo);
    void signal_console(QString text, bool debug, int level, QColor colour);
    void signal_timer();

public slots:
    // "Clear database": a running search is cancelled and its relations dropped (their graph
    // numbers would point into the old table); the display is emptied at once.
    void slot_clear_database();
    // "Exit" or closing the window: cancels every engine, waits for its thread, deletes it.
    void slot_stop_all();

protected:
    void timerEvent(QTimerEvent *event) override;

private slots:
    void slot_run();
    void slot_job_complete();
    void cancel();
    void slot_add_conjecture(Conjecture *c);
    void slot_settings();
    void slot_load_graph(int graphNo);
    void slot_console(QString text);
    void slot_conjecture();

private:
    void configure(int e);
    // No search: the reason goes to the console and to a warning box.
    void refuse(const QString &reason);
    void endSearch();
    void announceEnd();
    // A line of the search's own, shown whatever the console's verbosity.
    void say(const QString &text);
    void connectEngine(ConjectureEngine *engine);
    void restoreButtons();
    void deleteEngines();

    ConjectureSettings *settings;
    QVector<ConjectureEngine *> engines;
    QVector<bool> busy;  // per engine: started, completion not yet handled
    HeldRelations held;  // of the current or last search
    std::shared_ptr<RelationSpaces> spaces;  // the rows as the search's jobs set them up, once
    ProgressBar *progress;
    Analyst *table;
    bool cancelled = false;
    bool tooFewPoints = false;
    bool dropRelations = false;
    // The jobs are built on demand from the choices: their number doubles per "Both" column.
    QVector<int> choices;
    int nbJobs = 0;
    int nextJob = 0;
    QPushButton *searchButton;
    QPushButton *settingsButton;
    QPushButton *conjecturesButton;
    QPushButton *cancelButton;
    QCheckBox *sqBox;
    QCheckBox *prodBox;
    QCheckBox *combineBox;
    QSpinBox *threadBox;
    QMutex mutex;
    QStringList header;  // the table's, read when the search starts
    QVector<int> searched;  // the columns of the table the search uses
    QStringList searchedNames;
    ConjecturesDisplay *display;
    int timerId = 0;
    int limitMs;
};

#endif
