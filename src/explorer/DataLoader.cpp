#include "explorer/DataLoader.h"

#include "app/ProgressBar.h"
#include "calculus/Eval.h"
#include "graph/Graph.h"
#include "problem/Problem.h"

#include <cstring>
#include <iostream>

namespace {
// A graph text: a count of 0 to 32, one blank, exactly one '0' or '1' per vertex pair.
bool isGraphText(const char *p, int len)
{
    int k = 0, n = 0;
    while (k < len && k < 3 && p[k] >= '0' && p[k] <= '9')
        n = n * 10 + (p[k++] - '0');
    if (k == 0 || n > Graph::MaxNodes || k >= len || p[k] != ' ')
        return false;
    ++k;
    if (len - k != n * (n - 1) / 2)
        return false;
    for (; k < len; ++k)
        if (p[k] != '0' && p[k] != '1')
            return false;
    return true;
}

// A graph6 line in its one-character count form, 2 to 31 vertices, with exactly the data
// characters the count needs.
bool isGraph6(const char *p, int len)
{
    if (len < 1)
        return false;
    const int n = static_cast<unsigned char>(p[0]) - 63;
    if (n < 2 || n > 31)
        return false;
    if (len != 1 + (n * (n - 1) / 2 + 5) / 6)
        return false;
    for (int k = 1; k < len; ++k)
        if (static_cast<unsigned char>(p[k]) < 63 || static_cast<unsigned char>(p[k]) > 126)
            return false;
    return true;
}
} // namespace

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
    if (!file.open(QIODevice::ReadOnly)) {
        fileError = name.isEmpty() ? QString("No file name.") : file.errorString();
        return false;
    }
    fileError.clear();
    return true;
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

void DataLoader::run()
{
    if (!file.isOpen() || !copy)
        return;

    // The file is read once as bytes; lines are found in place, never copied into a list.
    QByteArray bytes = file.readAll();
    file.close();
    const int nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);
    bytes.replace("\n\r", "\n");
    bytes.replace("\r\n", "\n");
    bytes.replace('\r', '\n');
    const qint64 n = bytes.count('\n') + 1;

    std::cerr << n << " graphs to read" << std::endl;
    emit signal_progress(0, 0, 100);

    Loaded result;
    result.board = copyBoard;
    result.lines = int(n);
    result.texts.reserve(int(n));
    result.values.reserve(int(n));
    result.violated.reserve(int(n));
    const bool g6 = runType == "g6";
    QVector<double> values;
    const char *data = bytes.constData();
    const char *end = data + bytes.size();
    const char *p = data;
    for (qint64 i = 0; i < n; ++i) {
        if (i % 100 == 0) {
            emit signal_progress(0, i, n);
            if (i % 1000 == 0) {
                std::cerr << i << std::endl;
                if (i % 10000 == 0)
                    emit signal_console(QString::number(i) + "/" + QString::number(n) + " graphs loaded.");
            }
        }
        const char *eol = static_cast<const char *>(std::memchr(p, '\n', size_t(end - p)));
        if (!eol)
            eol = end;
        const int len = int(eol - p);
        const char *line = p;
        p = eol < end ? eol + 1 : end;

        if (len > 0) {
            const bool ok = g6 ? isGraph6(line, len) : isGraphText(line, len);
            if (!ok) {
                ++result.skipped;
            } else {
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
            }
        }
        if (cancel.load()) {
            std::cerr << "Cancelled" << std::endl;
            result.cancelled = true;
            break;
        }
    }

    const int accepted = result.texts.size();
    const int skipped = result.skipped;
    {
        std::lock_guard<std::mutex> locker(mutex);
        std::swap(loaded, result);
    }
    emit signal_console(QString::number(accepted) + " graphs loaded.");
    if (skipped > 0) {
        std::cerr << skipped << " lines skipped" << std::endl;
        emit signal_console(QString::number(skipped) + (skipped == 1 ? " line" : " lines") +
                            " skipped: not a graph.");
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
