#include "explorer/AnalystWidget.h"

#include "app/ProgressBar.h"
#include "dialogs/DialogProvider.h"
#include "conjectures/ConjectureSettings.h"
#include "explorer/Analyst.h"
#include "explorer/DataLoader.h"
#include "explorer/FilterWidget.h"
#include "files/TextFile.h"
#include "graph/Graph.h"
#include "graph/MDS.h"
#include "problem/Problem.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

namespace {
constexpr double Missing = 1e12;

inline double at(const QVector<double> &v, int j) { return j < v.size() ? v[j] : Missing; }
} // namespace

// The graphs being drawn, taken when the export started, so that the panel's own list may
// change meanwhile; drawing k goes to the file stem + (k + 1) + ".pdf".
struct AnalystWidget::PdfExport {
    QStringList texts;
    QString folder;
    QString stem;
    int done = 0;
    // A graph and view of its own, so the graph being edited stays as it was.
    Graph drawing{"pdf", true};

    QString summary() const
    {
        return QString("%1 of %2 drawings written in %3").arg(done).arg(texts.size()).arg(folder);
    }
};

AnalystWidget::AnalystWidget(Problem *problem_, Graph *graph_, Analyst *table_, DataLoader *loader_,
                             FilterWidget *filter_, ConjectureSettings *settings_, bool vertexMode_)
    : QWidget(nullptr), problem(problem_), graph(graph_), table(table_), loader(loader_), filter(filter_),
      settings(settings_), vertexMode(vertexMode_)
{
    QGridLayout *grid = new QGridLayout(this);
    // No image is compiled in for these two buttons: they show their text.
    prev = new QPushButton(tr("Prev"), this);
    next = new QPushButton(tr("Next"), this);
    bar = new QProgressBar(this);
    bar->setMaximum(100);
    bar->setValue(0);
    prev->setEnabled(false);
    next->setEnabled(false);
    grid->addWidget(table, 0, 0, 20, 10);
    grid->addWidget(prev, 20, 0);
    grid->addWidget(bar, 20, 1, 1, 8);
    grid->addWidget(next, 20, 9);

    connect(table, &Analyst::signal_next_data_available, next, &QWidget::setEnabled);
    connect(table, &Analyst::signal_prev_data_available, prev, &QWidget::setEnabled);
    connect(next, &QPushButton::clicked, table, &Analyst::slot_build_next_table);
    connect(prev, &QPushButton::clicked, table, &Analyst::slot_build_prev_table);
    connect(table, &Analyst::signal_total_data, bar, &QProgressBar::setMaximum);
    connect(table, &Analyst::signal_cur_pos, bar, &QProgressBar::setValue);
    if (loader) {
        // One panel relays the loader's lines, so each reaches the console once.
        if (vertexMode)
            connect(loader, &DataLoader::signal_console, this, &AnalystWidget::slot_console);
        connect(loader, &DataLoader::signal_load_complete, this, &AnalystWidget::slot_load_complete);
    }
    privateGraph = new Graph("explorer", false);

    pdfWindow = new ProgressBar;
    pdfWindow->setName("Saving graphs pdf...");
    connect(pdfWindow, &ProgressBar::signal_cancel, this, &AnalystWidget::cancelPdfExport);
    // One drawing per turn of the event loop: the window stays live between drawings.
    pdfTimer = new QTimer(this);
    pdfTimer->setInterval(0);
    connect(pdfTimer, &QTimer::timeout, this, &AnalystWidget::drawNextGraph);
}

AnalystWidget::~AnalystWidget()
{
    pdfTimer->stop();
    delete pdfWindow;
    delete copy;
    delete privateGraph;
}

AnalystWidget::Stored AnalystWidget::stored(const QString &text)
{
    Stored s;
    s.text = text;
    int k = 0;
    while (k < text.size() && text[k].isDigit())
        s.n = s.n * 10 + text[k++].digitValue();
    s.n = qMin(s.n, int(Graph::MaxNodes));
    return s;
}

void AnalystWidget::refreshCopy()
{
    const QString signature = DataLoader::boardSignature(problem);
    if (copy && signature == copyBoard)
        return;
    delete copy;
    copy = problem->clone(privateGraph);
    copyBoard = signature;
    kinds = copy->getReportKinds();
    for (Stored &s : graphs)
        s.evaluated = false;
}

int AnalystWidget::largestN() const
{
    if (graphs.isEmpty())
        return graph ? graph->getNbNodes() : 0;
    int n = 0;
    for (const Stored &s : graphs)
        n = qMax(n, s.n);
    return n;
}

QStringList AnalystWidget::columnNames(int n)
{
    privateGraph->loadorv(QString::number(n) + ' ', false);
    return copy->getReportNames(vertexMode);
}

QVector<double> AnalystWidget::graphRow(const Stored &s, int width) const
{
    int expected = 0;
    for (int k : kinds)
        expected += k == Problem::ReportScalar ? 1 : s.n;
    // The common case, one vertex count throughout: the row shares the stored values.
    if (s.n == width && s.values.size() == expected)
        return s.values;
    QVector<double> row;
    row.reserve(expected - kinds.size() + qMax(1, width) * kinds.size());
    int pos = 0;
    for (int k : kinds) {
        if (k == Problem::ReportScalar) {
            row.append(at(s.values, pos++));
            continue;
        }
        for (int j = 0; j < s.n; ++j)
            row.append(at(s.values, pos + j));
        for (int j = s.n; j < width; ++j)
            row.append(Missing);
        pos += s.n;
    }
    return row;
}

void AnalystWidget::vertexRow(const Stored &s, int vertex, int width, QVector<double> &row) const
{
    row.clear();
    int pos = 0;
    for (int k : kinds) {
        switch (k) {
        case Problem::ReportScalar:
            row.append(at(s.values, pos++));
            break;
        case Problem::ReportNode:
            row.append(at(s.values, pos + vertex - 1));
            pos += s.n;
            break;
        default:
            for (int j = 0; j < s.n; ++j)
                row.append(at(s.values, pos + j));
            for (int j = s.n; j < width; ++j)
                row.append(Missing);
            pos += s.n;
            break;
        }
    }
}

void AnalystWidget::slot_update_table()
{
    refreshCopy();
    const int width = largestN();
    const QStringList names = columnNames(width);
    table->clear();
    table->setHeader(names);
    if (settings)
        settings->setVariables(names);
    filter->setVariables(names);
    rowGraphs.clear();
    int expectedRows = graphs.size();
    if (vertexMode) {
        expectedRows = 0;
        for (const Stored &s : graphs)
            expectedRows += s.n;
    }
    table->reserve(expectedRows, names.size());
    rowGraphs.reserve(expectedRows);

    QVector<double> row;
    for (int i = 0; i < graphs.size(); ++i) {
        Stored &s = graphs[i];
        if (!s.evaluated) {
            privateGraph->loadorv(s.text, false);
            s.violated = DataLoader::evaluate(copy, s.values);
            s.evaluated = true;
            ++nbEvaluations;
        }
        if (filterMode && s.violated)
            continue;
        if (!vertexMode) {
            row = graphRow(s, width);
            if (filter->isValid(row)) {
                table->push_back(row, i);
                rowGraphs.append(i);
            }
            continue;
        }
        for (int v = 1; v <= s.n; ++v) {
            vertexRow(s, v, width, row);
            if (filter->isValid(row)) {
                table->push_back(row, i);
                rowGraphs.append(i);
            }
        }
    }
    rowGraphs.squeeze();
    table->buildTable();
    emit signal_data_loaded();
}

void AnalystWidget::addGraph(QString text)
{
    graphs.append(stored(text));
    slot_update_table();
    emit signal_console(QString::number(graphs.size()) + " graphs in analyst", false, 3, QColor(Qt::black));
}

void AnalystWidget::slot_data_loaded()
{
    for (const QString &text : loader->getGraphs())
        graphs.append(stored(text));
    slot_update_table();
}

void AnalystWidget::slot_load_complete()
{
    const DataLoader::Loaded loaded = loader->getLoaded();
    if (!loaded.refused.isEmpty()) {
        // Nothing was read: the tables stay as they are. One panel says why in a box, the
        // other, which relays the loader's lines, on the console.
        if (vertexMode)
            emit signal_console(loaded.refused, false, 0, QColor(Qt::red));
        else
            DialogProvider::instance()->warning(this, "Warning", loaded.refused);
        return;
    }
    refreshCopy();
    // Values computed by the loader on the board as it still is are taken as they are.
    const bool fresh = loaded.board == copyBoard && loaded.values.size() == loaded.texts.size();
    graphs.reserve(graphs.size() + loaded.texts.size());
    for (int k = 0; k < loaded.texts.size(); ++k) {
        Stored s = stored(loaded.texts[k]);
        if (fresh) {
            s.values = loaded.values[k];
            s.violated = loaded.violated[k];
            s.evaluated = true;
        }
        graphs.append(s);
    }
    slot_update_table();
}

QStringList AnalystWidget::getGraphs() const
{
    QStringList texts;
    texts.reserve(graphs.size());
    for (const Stored &s : graphs)
        texts.append(s.text);
    return texts;
}

bool AnalystWidget::deleteGraph(int r)
{
    if (r < 0 || r >= rowGraphs.size())
        return false;
    graphs.remove(rowGraphs[r]);
    slot_update_table();
    return true;
}

bool AnalystWidget::replaceGraph(QString text, int r)
{
    if (r < 0 || r >= rowGraphs.size()) {
        graphs.append(stored(text));
        slot_update_table();
        return false;
    }
    graphs[rowGraphs[r]] = stored(text);
    slot_update_table();
    return true;
}

void AnalystWidget::clearTable()
{
    graphs.clear();
    rowGraphs.clear();
    refreshCopy();
    const QStringList names = columnNames(largestN());
    table->clear();
    table->setHeader(names);
    if (settings)
        settings->setVariables(names);
    table->buildTable();
}

void AnalystWidget::slot_clear_only()
{
    clearTable();
}

void AnalystWidget::slot_clear()
{
    clearTable();
    emit signal_aw_cleared();
    emit signal_data_loaded();
}

void AnalystWidget::slot_load_graph(int g)
{
    if (g < 0 || g >= graphs.size())
        return;
    const int r = rowGraphs.lastIndexOf(g);
    currentRow = r < 0 ? 0 : r;
    // The one place where the explorer changes the graph being edited: the user asked to see it.
    graph->loadorv(graphs[g].text, true);
    graph->best_backup();
    problem->best_backup();
    graph->update_display();
    problem->update_display();
    emit signal_place_graph();
}

void AnalystWidget::slot_next_graph()
{
    if (graphs.isEmpty() || table->nbRows() == 0 || currentRow >= rowGraphs.size())
        return;
    slot_load_graph(table->nextRow(rowGraphs[currentRow]));
}

void AnalystWidget::slot_update()
{
    graph->best_backup();
    problem->best_backup();
    graph->update_display();
    problem->update_display();
    emit signal_place_graph();
}

void AnalystWidget::slot_delete()
{
    const int r = table->currentRow();
    if (r < 0 || r >= rowGraphs.size())
        return;
    const QMessageBox::StandardButton answer = DialogProvider::instance()->question(
        this, "Question", "Do you want to delete current graph in Analyst?", QMessageBox::Yes | QMessageBox::No,
        QMessageBox::No);
    if (answer == QMessageBox::Yes)
        deleteGraph(r);
}

void AnalystWidget::slot_load_data()
{
    DialogProvider *dialogs = DialogProvider::instance();
    if (loader->isRunning()) {
        dialogs->warning(this, "Warning", "A graph list is being loaded: wait for it to end or cancel it.");
        return;
    }
    loader->setFilter(filterMode);
    const QString name = dialogs->getOpenFileName(this, tr("Choose data file to load"), wd,
                                                  loader->getDataType() == "g6" ? tr("*.g6") : tr("*.dorv3"));
    if (name.isEmpty())
        return;
    if (!loader->setFilename(name)) {
        const QString failure = "Failed to load graphs from " + name + ": " + loader->errorString();
        emit signal_console(failure, false, 0, QColor(Qt::red));
        dialogs->warning(this, "Warning", failure);
        return;
    }
    loader->startLoad();
}

void AnalystWidget::slot_set_type_orv()
{
    loader->setDataType("orv");
}

void AnalystWidget::slot_set_type_g6()
{
    loader->setDataType("g6");
}

void AnalystWidget::slot_set_filter_mode(bool on)
{
    filterMode = on;
    loader->setFilter(on);
}

void AnalystWidget::slot_console(QString text)
{
    emit signal_console(text, false, 0, QColor(Qt::green));
}

QVector<int> AnalystWidget::usedGraphs() const
{
    QVector<bool> used(graphs.size(), false);
    for (int r : table->getGraphsRef())
        if (r >= 0 && r < graphs.size())
            used[r] = true;
    QVector<int> which;
    for (int i = 0; i < used.size(); ++i)
        if (used[i])
            which.append(i);
    return which;
}

void AnalystWidget::slot_save_data()
{
    DialogProvider *dialogs = DialogProvider::instance();
    const QString name = dialogs->getSaveFileName(this, tr("Save results as"), wd, tr("*.txt"));
    if (name.isEmpty())
        return;
    QString why;
    if (!table->save(name, &why))
        saveFailed("Warning", "Failed to save data.", "the value table", name, why);
}

void AnalystWidget::saveFailed(const QString &title, const QString &text, const QString &what, const QString &name,
                               const QString &why)
{
    emit signal_console("Failed to save " + what + " " + name + ": " + why, false, 0, QColor(Qt::red));
    DialogProvider::instance()->warning(this, title, text + "\n" + name + "\n" + why);
}

void AnalystWidget::saveGraphList(const QString &caption, const QVector<int> &which)
{
    DialogProvider *dialogs = DialogProvider::instance();
    const QString name = dialogs->getSaveFileName(this, caption, wd, tr("*.dorv3"));
    if (name.isEmpty())
        return;
    QByteArray bytes;
    for (int i : which)
        bytes += graphs[i].text.toLatin1() + '\n';
    // The old list survives a failed write: the new one replaces it only once complete.
    QString why;
    if (!TextFile::write(name, bytes, &why))
        saveFailed("Save failed", "Failed to save graphs", "the graph list", name, why);
}

void AnalystWidget::slot_save_graphs()
{
    QVector<int> all(graphs.size());
    for (int i = 0; i < all.size(); ++i)
        all[i] = i;
    saveGraphList(tr("Save results as"), all);
}

void AnalystWidget::slot_save_used_graphs()
{
    saveGraphList(tr("Save graphs as"), usedGraphs());
}

void AnalystWidget::drawGraphs(const QVector<int> &which)
{
    DialogProvider *dialogs = DialogProvider::instance();
    if (pdfExport) {
        dialogs->warning(this, "Warning", "Graphs are being saved as PDF: wait for the export to end or cancel it.");
        // Its window, with Cancel, may have been closed meanwhile.
        pdfWindow->show();
        pdfWindow->raise();
        return;
    }
    const QString name =
        dialogs->getSaveFileName(this, tr("Save  graphs as (creating a folder is suggested)"), wd, tr("*.pdf"));
    if (name.isEmpty() || which.isEmpty())
        return;
    const QFileInfo info(name);
    if (which.size() > AskAboveFiles) {
        const QString text =
            QString("%1 PDF files, one per graph, will be written in %2.\nGo on?").arg(which.size()).arg(info.absolutePath());
        if (dialogs->question(this, "Question", text, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel) !=
            QMessageBox::Ok)
            return;
    }
    pdfExport.reset(new PdfExport);
    for (int i : which)
        pdfExport->texts.append(graphs[i].text);
    pdfExport->folder = info.absolutePath();
    pdfExport->stem = info.absolutePath() + "/" + info.baseName();
    // A view that is never shown keeps its default size, and its visible area then cuts the
    // graph off; shown off the screen, it takes its size.
    pdfExport->drawing.resize(800, 600);
    pdfExport->drawing.setAttribute(Qt::WA_DontShowOnScreen);
    pdfExport->drawing.show();
    pdfWindow->set_nb_bars(1);
    pdfWindow->bar(0)->setFormat("%v of %m drawings");
    pdfWindow->slot_progress(0, 0, which.size());
    pdfWindow->show();
    pdfTimer->start();
}

void AnalystWidget::drawNextGraph()
{
    if (!pdfExport)
        return;
    PdfExport &e = *pdfExport;
    Graph &drawing = e.drawing;
    drawing.loadorv(e.texts[e.done], true);
    if (drawing.getNbNodes() > 2)
        MDS(&drawing, 200.0, 2);
    // Nothing else refreshes this view: without it, a graph of 2 vertices or fewer would be
    // drawn with what the previous drawing showed.
    drawing.update_display();
    drawing.scaleCoords(400.0, 300.0);
    const QString file = e.stem + QString::number(e.done + 1) + ".pdf";
    QString why;
    if (!drawing.printToFile(file, &why)) {
        // A full disk or a lost folder fails every drawing after this one too.
        finishPdfExport("PDF export stopped: " + e.summary(), Qt::red);
        saveFailed("Save failed", "Failed to save graphs", "the drawing", file, why);
        return;
    }
    ++e.done;
    pdfWindow->slot_progress(0, e.done, e.texts.size());
    if (e.done == e.texts.size())
        finishPdfExport("PDF export done: " + e.summary(), Qt::black);
}

void AnalystWidget::cancelPdfExport()
{
    stopPdfExport("cancelled");
}

QString AnalystWidget::pdfExportState() const
{
    return pdfExport ? pdfExport->summary() : QString();
}

void AnalystWidget::holdPdfExport(bool hold)
{
    if (!pdfExport)
        return;
    if (hold)
        pdfTimer->stop();
    else
        pdfTimer->start();
}

QString AnalystWidget::stopPdfExport(const QString &how)
{
    // Reached between two drawings: the last file written is whole.
    if (!pdfExport)
        return QString();
    const QString line = "PDF export " + how + ": " + pdfExport->summary();
    finishPdfExport(line, Qt::black);
    return line;
}

void AnalystWidget::finishPdfExport(const QString &outcome, const QColor &colour)
{
    pdfTimer->stop();
    pdfWindow->hide();
    pdfExport.reset();
    emit signal_console(outcome, false, 0, colour);
}

void AnalystWidget::slot_save_graphs_pdf()
{
    QVector<int> all(graphs.size());
    for (int i = 0; i < all.size(); ++i)
        all[i] = i;
    drawGraphs(all);
}

void AnalystWidget::slot_save_used_graphs_pdf()
{
    drawGraphs(usedGraphs());
}
