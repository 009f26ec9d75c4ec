#include "explorer/DataLoader.h"

#include "app/ProgressBar.h"
#include "calculus/Eval.h"
#include "graph/Graph.h"
#include "problem/Problem.h"

#include "explorer/GraphListReader.h"
#include "files/TextFile.h"

#include <climits>
#include <cstring>
#include <iostream>
#include <sys/stat.h>
#include <unistd.h>

namespace {
bool blank(char c) { return c == ' ' || c == '\t'; }

// Bytes as a person reads them.
QString amount(qint64 bytes)
{
    if (bytes < 10000)
        return QString::number(bytes) + " bytes";
    if (bytes < 10000000)
        return QString::number(bytes / 1000) + " kB";
    if (bytes < 10000000000LL)
        return QString::number(bytes / 1000000) + " MB";
    return QString::number(double(bytes) / 1e9, 'f', 1) + " GB";
}

// Why a file of this kind cannot be loaded, or nothing when it can: a list is read twice, once
// to count it and once to load it.
QString notALoadableFile(mode_t mode)
{
    if (S_ISREG(mode))
        return QString();
    if (S_ISFIFO(mode))
        return "it is a pipe, which can be read only once, and a list is read twice (counted, then loaded): "
               "save it to a file first.";
    return "it is not a regular file.";
}
} // namespace

bool DataLoader::isGraphLine(const char *p, int len, bool overlong, bool graph6, int *nodes)
{
    if (graph6) {
        while (len > 0 && blank(p[len - 1]))
            --len;
        if (overlong || len < 1)
            return false;
        const int n = static_cast<unsigned char>(p[0]) - 63;
        // A line cut short is not the graph it names, nor one with characters to spare.
        if (n < 2 || n > 31 || len != 1 + (n * (n - 1) / 2 + 5) / 6)
            return false;
        for (int k = 1; k < len; ++k)
            if (static_cast<unsigned char>(p[k]) < 63 || static_cast<unsigned char>(p[k]) > 126)
                return false;
        *nodes = n;
        return true;
    }
    int k = 0, n = 0;
    // Held just above the largest order, so that no run of digits overflows.
    while (k < len && p[k] >= '0' && p[k] <= '9')
        n = qMin(n * 10 + (p[k++] - '0'), Graph::MaxNodes + 1);
    if (k == 0 || n > Graph::MaxNodes || k >= len || p[k] != ' ')
        return false;
    // The pairs are the field after the blank; tabs closing the line are no pairs.
    const int from = ++k;
    while (k < len && p[k] != ' ')
        ++k;
    int to = k;
    while (to > from && p[to - 1] == '\t')
        --to;
    const int read = qMin(to - from, n * (n - 1) / 2);
    for (int j = from; j < from + read; ++j)
        if (p[j] != '0' && p[j] != '1')
            return false;
    *nodes = n;
    return true;
}

qint64 DataLoader::availableMemory()
{
    QFile info("/proc/meminfo");
    if (info.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : info.readAll().split('\n'))
            if (line.startsWith("MemAvailable:"))
                return line.mid(13).trimmed().split(' ').value(0).toLongLong() * 1024;
    }
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long size = sysconf(_SC_PAGE_SIZE);
    return pages > 0 && size > 0 ? qint64(pages) * size : 0;
}

DataLoader::DataLoader(Problem *problem_, Graph *graph_, ProgressBar *window_)
    : problem(problem_), graph(graph_), window(window_)
{
    if (window) {
        window->set_nb_bars(1);
        connect(this, &DataLoader::signal_progress, window, &ProgressBar::slot_progress);
        connect(this, &DataLoader::signal_load_complete, window, &QWidget::hide);
        connect(window, &ProgressBar::signal_cancel, this, &DataLoader::slot_cancel, Qt::DirectConnection);
    }
}

DataLoader::~DataLoader()
{
    cancel.store(true);
    wait();
    runEnded.load(std::memory_order_acquire);
    dropCopy();
}

void DataLoader::dropCopy()
{
    delete copy;
    copy = nullptr;
    delete privateGraph;
    privateGraph = nullptr;
}

bool DataLoader::setFilename(QString name)
{
    if (isRunning()) {
        fileError = "A graph list is being loaded.";
        return false;
    }
    fileName = name;
    if (file.isOpen())
        file.close();
    file.setFileName(name);
    fileError.clear();
    if (name.isEmpty()) {
        fileError = "No file name.";
        return false;
    }
    return TextFile::openRegular(file, notALoadableFile, &fileError);
}

bool DataLoader::prepareLoad()
{
    if (isRunning())
        return false;
    dropCopy();
    // Both are widgets in their own right: made here, in the GUI thread, and only computed
    // on by the loader thread.
    privateGraph = new Graph("loader", false);
    copy = problem->clone(privateGraph);
    copyBoard = boardSignature(problem);
    runType = dataType;
    runFilter = filter.load();
    // Cleared before the thread starts, not when its loop does: a cancel (or the loader's
    // destruction) right after the start is never lost.
    cancel.store(false);
    return true;
}

bool DataLoader::startLoad()
{
    if (isRunning() || !file.isOpen())
        return false;
    if (!prepareLoad())
        return false;
    if (window)
        window->show();
    start();
    return true;
}

bool DataLoader::evaluate(Problem *board, QVector<double> &values)
{
    board->compute(true);
    Eval e;
    board->eval(&e);
    values = board->getReportValues();
    return e.violated();
}

QString DataLoader::boardSignature(Problem *board)
{
    // Records are separated by "<NEW>", fields by tabs; fields 6 and 7 are the position.
    QStringList records = board->saveString().split(QStringLiteral("<NEW>"));
    QString signature;
    for (const QString &record : records) {
        if (record.startsWith(QStringLiteral("DESC\t")))
            break;
        QStringList fields = record.split(QLatin1Char('\t'));
        if (fields.size() > 7) {
            fields[6].clear();
            fields[7].clear();
        }
        signature += fields.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return signature;
}

void DataLoader::Census::add(int nodes)
{
    ++lines;
    if (nodes < 0)
        return;
    ++graphs;
    vertices += nodes;
    pairChars += nodes * (nodes - 1) / 2;
    largest = qMax(largest, nodes);
}

bool DataLoader::Census::within(const Census &o) const
{
    return lines <= o.lines && graphs <= o.graphs && vertices <= o.vertices && pairChars <= o.pairChars &&
           largest <= o.largest;
}

bool DataLoader::census(bool g6, Census *c, QString *failure)
{
    GraphListReader reader(&file, g6);
    while (reader.next()) {
        int n = 0;
        c->add(isGraphLine(reader.data(), reader.length(), reader.overlong(), g6, &n) ? n : -1);
        if ((c->lines & 4095) == 0 && cancel.load())
            return false;
    }
    *failure = reader.readError();
    return failure->isEmpty();
}

QString DataLoader::unreadable(const QString &reason) const
{
    return "Not loaded: " + fileName + " could not be read to its end: " + reason + ".";
}

QString DataLoader::tooLarge(const Census &c)
{
    const QString count = QString::number(c.graphs) + " graphs (" + QString::number(c.vertices) + " vertex rows)";
    if (c.graphs > INT_MAX || c.vertices > INT_MAX)
        return "Not loaded: the list holds " + count + ", more than the " + QString::number(INT_MAX) +
               " rows a table holds.";
    privateGraph->loadorv(QString::number(c.largest) + ' ', false);
    const qint64 graphColumns = copy->getReportNames(false).size();
    const qint64 vertexColumns = copy->getReportNames(true).size();
    // Per graph: its text (two bytes a character), its values (kept by the loader, shared with
    // both panels), each panel's record of it and its row of the graph table; per vertex: its
    // row of the vertex table with its graph number in the table and in the panel.
    qint64 need = 2 * c.pairChars + c.graphs * (16 * graphColumns + 160) + c.vertices * (8 * vertexColumns + 8);
    // A quarter to spare: running out of memory costs the user far more than a refusal.
    need += need / 4;
    qint64 limit = memoryLimit.load();
    if (limit <= 0)
        limit = availableMemory();
    if (limit <= 0 || need <= limit)
        return QString();
    return "Not loaded: the list holds " + count + "; the tables would need about " + amount(need) +
           ", more than the " + amount(limit) + " of memory available.";
}

void DataLoader::publish(Loaded &result)
{
    file.close();
    std::lock_guard<std::mutex> locker(mutex);
    std::swap(loaded, result);
}

void DataLoader::refuse(Loaded &result, const QString &why)
{
    result.refused = why;
    result.texts.clear();
    result.values.clear();
    result.violated.clear();
    publish(result);
    std::cerr << why.toLocal8Bit().constData() << std::endl;
    emit signal_load_complete();
    emit signal_progress(0, 0, 100);
}

void DataLoader::run()
{
    // The last write of every way out, read by the destructor after wait(): the run's accesses
    // are then ordered before the teardown also for race detectors, which cannot see the
    // ordering made inside Qt when the thread has already finished. An exchange, not a store,
    // so that the runs of earlier threads stay in the release sequence the destructor reads.
    struct Ended {
        std::atomic<bool> &flag;
        ~Ended() { flag.exchange(true, std::memory_order_release); }
    } ended{runEnded};
    if (!file.isOpen() || !copy)
        return;

    Loaded result;
    result.board = copyBoard;
    const bool g6 = runType == "g6";
    // A first reading counts the lines and what the tables will hold, so that a list too large
    // for them is refused before anything is evaluated; the second one evaluates.
    Census c;
    QString failure;
    const bool counted = census(g6, &c, &failure);
    // A read that fails is no end of the list: what was counted is not the list.
    if (!failure.isEmpty()) {
        refuse(result, unreadable(failure));
        return;
    }
    if (!counted) {
        result.cancelled = true;
        publish(result);
        std::cerr << "Cancelled" << std::endl;
        emit signal_console("0 graphs loaded.");
        emit signal_load_complete();
        emit signal_progress(0, 0, 100);
        return;
    }
    const qint64 n = c.lines;
    result.lines = n;
    QString why = tooLarge(c);
    if (why.isEmpty() && !file.seek(0))
        why = "Not loaded: " + fileName + " cannot be read twice.";
    if (!why.isEmpty()) {
        refuse(result, why);
        return;
    }

    // Progress, reported every so many lines, counts the graphs of the list, not its lines:
    // blank lines, lines that are no graph and the empty piece after the last line end are none.
    const qint64 total = c.graphs;
    // A bar whose maximum is 0 is one of unknown size; a list without a graph is known.
    const qint64 bar = qMax<qint64>(total, 1);
    std::cerr << total << " graphs to read" << std::endl;
    emit signal_progress(0, 0, 100);

    result.texts.reserve(int(c.graphs));
    result.values.reserve(int(c.graphs));
    result.violated.reserve(int(c.graphs));
    QVector<double> values;
    // The second reading is held to what the first counted: a list still being written is not
    // the one the limit let in, and a graph beyond the count is never evaluated.
    Census seen;
    bool changed = false;
    GraphListReader reader(&file, g6);
    for (qint64 i = 0; reader.next(); ++i) {
        const char *line = reader.data();
        int nodes = 0;
        const bool isGraph = isGraphLine(line, reader.length(), reader.overlong(), g6, &nodes);
        // The graphs handled before this line.
        const qint64 done = seen.graphs;
        seen.add(isGraph ? nodes : -1);
        if (!seen.within(c)) {
            changed = true;
            break;
        }
        if (i % 100 == 0) {
            emit signal_progress(0, done, bar);
            if (i % 1000 == 0) {
                std::cerr << done << std::endl;
                if (i % 10000 == 0)
                    emit signal_console(QString::number(done) + "/" + QString::number(total) + " graphs loaded.");
            }
        }
        int len = reader.length();
        while (len > 0 && blank(line[len - 1]))
            --len;
        if (isGraph) {
            const QString text = QString::fromLatin1(line, len);
            if (g6)
                privateGraph->loadg6(text, false);
            else
                privateGraph->loadorv(text, false);
            const bool violated = evaluate(copy, values);
            if (!runFilter || !violated) {
                privateGraph->best_backup();
                result.texts.append(privateGraph->graphData());
                result.values.append(values);
                result.violated.append(violated);
            }
        } else if (len > 0 || reader.overlong()) {
            // Text dropped past what a line keeps is text too, even after only blanks.
            ++result.skipped;
        }
        if (cancel.load()) {
            std::cerr << "Cancelled" << std::endl;
            result.cancelled = true;
            break;
        }
    }
    // Neither is a list read in part.
    if (!reader.readError().isEmpty()) {
        refuse(result, unreadable(reader.readError()));
        return;
    }
    // A list that ends sooner, or holds other lines, changed too.
    if (changed || (!result.cancelled && !(seen == c))) {
        refuse(result, "Not loaded: " + fileName + " changed while it was read (it had " + QString::number(n) +
                           " lines when counted). Load it again once it is complete.");
        return;
    }

    const int accepted = result.texts.size();
    const qint64 skipped = result.skipped;
    publish(result);
    emit signal_console(QString::number(accepted) + " graphs loaded.");
    if (skipped > 0) {
        std::cerr << skipped << " lines skipped" << std::endl;
        emit signal_console(QString::number(skipped) + (skipped == 1 ? " line" : " lines") +
                            " skipped: not a graph.");
    }
    if (reader.stoppedAtNul()) {
        const QString cut = "The list ends at a NUL byte (byte " + QString::number(reader.nulAt()) + "): " +
                            QString::number(reader.unreadBytes()) + " bytes left unread.";
        std::cerr << cut.toLocal8Bit().constData() << std::endl;
        emit signal_console(cut);
    }
    emit signal_load_complete();
    emit signal_progress(0, 0, 100);
}

void DataLoader::slot_cancel()
{
    cancel.store(true);
}

DataLoader::Loaded DataLoader::getLoaded() const
{
    std::lock_guard<std::mutex> locker(mutex);
    return loaded;
}

QVector<QString> DataLoader::getGraphs() const
{
    std::lock_guard<std::mutex> locker(mutex);
    return inbox;
}

void DataLoader::addGraph(QString text)
{
    std::lock_guard<std::mutex> locker(mutex);
    inbox.append(text);
}

void DataLoader::addGraphs(QVector<QString> texts)
{
    {
        std::lock_guard<std::mutex> locker(mutex);
        inbox += texts;
    }
    emit signal_progress(0, 0, 100);
}

void DataLoader::clear()
{
    std::lock_guard<std::mutex> locker(mutex);
    inbox.clear();
}

int DataLoader::size() const
{
    std::lock_guard<std::mutex> locker(mutex);
    return inbox.size();
}
