#ifndef ANALYSTWIDGET_H
#define ANALYSTWIDGET_H

#include <QColor>
#include <QStringList>
#include <QVector>
#include <QWidget>

#include <memory>

class Analyst;
class ConjectureSettings;
class DataLoader;
class FilterWidget;
class Graph;
class Problem;
class ProgressBar;
class QProgressBar;
class QPushButton;
class QTimer;

// The explorer panel of one kind of value: it keeps the result graphs as graph texts and
// derives its value table from them, one row per graph (graph values) or one per vertex of
// each graph (vertex values).
//
// Values are computed on a private copy of the board and a private graph, and kept per
// stored graph: a rebuild evaluates only the graphs whose values it lacks, and every graph
// again only when the board changed. Columns follow the largest vertex count among the
// stored graphs; shorter per-vertex blocks are padded with 1e12, so no graph loses its row
// for its size. GUI thread only.
class AnalystWidget : public QWidget
{
    Q_OBJECT

public:
    AnalystWidget(Problem *problem, Graph *graph, Analyst *table, DataLoader *loader, FilterWidget *filter,
                  ConjectureSettings *settings, bool vertexMode);
    ~AnalystWidget() override;

    QStringList getGraphs() const;
    bool replaceGraph(QString text, int r);
    bool deleteGraph(int r);
    void setWD(QString dir) { wd = dir; }
    QString getWD() const { return wd; }

    Analyst *getAnalyst() const { return table; }
    bool isVertexMode() const { return vertexMode; }
    bool getFilterMode() const { return filterMode; }
    QVector<int> getRowGraphs() const { return rowGraphs; }
    int getCurrentRow() const { return currentRow; }
    // Graphs evaluated since the panel was made (stored graphs whose values were computed
    // here rather than taken from the loader or the cache).
    qint64 evaluations() const { return nbEvaluations; }
    QPushButton *nextButton() const { return next; }
    QPushButton *prevButton() const { return prev; }
    QProgressBar *positionBar() const { return bar; }

    // The per-graph PDF export runs from the event loop, one drawing at a time, with its
    // progress window; its command returns once the export has started.
    bool pdfExportRunning() const { return pdfExport != nullptr; }
    ProgressBar *pdfProgress() const { return pdfWindow; }
    // How far the running export has come ("k of N drawings written in folder"); empty when
    // none runs.
    QString pdfExportState() const;
    // Holds the running export between two drawings, or lets it go on.
    void holdPdfExport(bool hold);
    // Ends the running export between two drawings, with a console line that says how
    // ("cancelled") and how far it came; returns that line, empty when none ran.
    QString stopPdfExport(const QString &how);
    // Above this many files the export says how many it will write and asks to go on.
    static constexpr int AskAboveFiles = 2000;

signals:
    void signal_data_loaded();
    void signal_aw_cleared();
    void signal_console(QString, bool, int, QColor);
    void signal_place_graph();

public slots:
    void slot_update_table();
    void slot_load_data();
    void slot_load_graph(int g);
    void slot_data_loaded();
    void slot_load_complete();
    void slot_update();
    void slot_set_type_orv();
    void slot_set_type_g6();
    void slot_clear();
    void slot_clear_only();
    void slot_delete();
    void slot_set_filter_mode(bool on);
    void addGraph(QString text);
    void slot_console(QString text);
    void slot_next_graph();
    void slot_save_data();
    void slot_save_graphs();
    void slot_save_used_graphs();
    void slot_save_graphs_pdf();
    void slot_save_used_graphs_pdf();

private slots:
    void drawNextGraph();
    void cancelPdfExport();

private:
    struct Stored {
        QString text;
        int n = 0;
        bool evaluated = false;
        bool violated = false;
        QVector<double> values;
    };
    static Stored stored(const QString &text);
    // Makes the private board copy anew when the board changed since the cached values were
    // computed, and then forgets those values.
    void refreshCopy();
    int largestN() const;
    QStringList columnNames(int n);
    QVector<double> graphRow(const Stored &s, int width) const;
    // Writes the row into `row`, whose storage is reused from one vertex to the next.
    void vertexRow(const Stored &s, int vertex, int width, QVector<double> &row) const;
    void clearTable();
    // Stored graph numbers that some table row shows, once each, in stored order.
    QVector<int> usedGraphs() const;
    void saveGraphList(const QString &caption, const QVector<int> &which);
    // A save that failed: a red console line, which says what was saved, and a box, each naming
    // the file as given once, with the reason.
    void saveFailed(const QString &title, const QString &text, const QString &what, const QString &name,
                    const QString &why);
    void drawGraphs(const QVector<int> &which);
    // Ends the running PDF export with a console line that says how it ended.
    void finishPdfExport(const QString &outcome, const QColor &colour);

    Problem *problem;
    Graph *graph;
    Analyst *table;
    DataLoader *loader;
    FilterWidget *filter;
    ConjectureSettings *settings;
    bool vertexMode;
    QVector<Stored> graphs;
    QVector<int> rowGraphs;
    QPushButton *next;
    QPushButton *prev;
    QProgressBar *bar;
    bool filterMode = true;
    QString wd;
    int currentRow = 0;

    Graph *privateGraph = nullptr;
    Problem *copy = nullptr;
    QString copyBoard;
    QVector<int> kinds;
    qint64 nbEvaluations = 0;

    struct PdfExport;
    std::unique_ptr<PdfExport> pdfExport;
    ProgressBar *pdfWindow;
    QTimer *pdfTimer;
};

#endif
