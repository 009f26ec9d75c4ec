#include "explorer/Analyst.h"

#include "files/TextFile.h"

#include <QGridLayout>
#include <QSaveFile>
#include <QTableWidget>
#include <QTableWidgetItem>
#include <iostream>

namespace {
constexpr double Infinite = 1e12;

inline QString cellText(double v) { return QString::number(v, 'g', 6); }
} // namespace

Analyst::Analyst(QWidget *parent) : QWidget(parent)
{
    table = new QTableWidget(PageSize, 0, this);
    summary = new QTableWidget(3, 0, this);
    summary->setVerticalHeaderLabels({"Min", "Max", "Mu"});
    summary->setMaximumHeight(120);
    QGridLayout *layout = new QGridLayout(this);
    layout->addWidget(summary, 0, 0);
    layout->addWidget(table, 1, 0);
    connect(table, &QTableWidget::cellDoubleClicked, this, &Analyst::slot_cell_double_clicked);
}

void Analyst::setHeader(QStringList names)
{
    header.clear();
    for (const QString &name : names)
        if (!name.isEmpty())
            header.append(name);
}

void Analyst::push_back(QVector<double> values, int graphNo)
{
    if (graphNos.isEmpty())
        width = values.size();
    if (rowStart.empty() && values.size() != width) {
        // The first row of another length: from now on every row keeps its offset.
        rowStart.reserve(size_t(graphNos.size()) + 2);
        for (int r = 0; r <= graphNos.size(); ++r)
            rowStart.push_back(qint64(r) * width);
    }
    // Into the room reserved beforehand: no regrowth, no copy of the table.
    cells.insert(cells.end(), values.constBegin(), values.constEnd());
    if (!rowStart.empty())
        rowStart.push_back(qint64(cells.size()));
    graphNos.append(graphNo);
}

void Analyst::reserve(int count, int w)
{
    cells.reserve(size_t(qMax(count, 0)) * size_t(qMax(w, 0)));
    graphNos.reserve(count);
}

void Analyst::clear()
{
    // The storage itself is given back: the next fill reserves what it needs.
    std::vector<double>().swap(cells);
    std::vector<qint64>().swap(rowStart);
    width = 0;
    graphNos = QVector<int>();
    means.clear();
    mins.clear();
    maxs.clear();
}

void Analyst::setCell(QTableWidget *t, int r, int c, const QString &text)
{
    // Cell items are made once and reused: a rebuild only replaces their text.
    if (QTableWidgetItem *item = t->item(r, c))
        item->setText(text);
    else if (!text.isEmpty())
        t->setItem(r, c, new QTableWidgetItem(text));
}

void Analyst::setRowHeader(int pageRow, const QString &text)
{
    if (QTableWidgetItem *item = table->verticalHeaderItem(pageRow))
        item->setText(text);
    else
        table->setVerticalHeaderItem(pageRow, new QTableWidgetItem(text));
}

void Analyst::emptyPage()
{
    for (int i = 0; i < PageSize; ++i)
        for (int c = 0; c < table->columnCount(); ++c)
            setCell(table, i, c, QString());
}

void Analyst::showRow(int pageRow, int k)
{
    const double *row = rowData(k);
    const int shown = qMin(rowLength(k), table->columnCount());
    for (int c = 0; c < shown; ++c)
        setCell(table, pageRow, c, cellText(row[c]));
    for (int c = shown; c < table->columnCount(); ++c)
        setCell(table, pageRow, c, QString());
    setRowHeader(pageRow, QString::number(graphNos[k] + 1));
}

void Analyst::buildTable()
{
    const int count = nbRows();
    emit signal_total_data(count);
    start = 0;
    emit signal_cur_pos(0);

    const int h = header.size();
    if (table->columnCount() < h) {
        table->setColumnCount(h);
        summary->setColumnCount(h);
    } else {
        for (int i = 0; i < PageSize; ++i)
            for (int c = h; c < table->columnCount(); ++c)
                setCell(table, i, c, QString());
        table->setColumnCount(h);
        summary->setColumnCount(h);
    }
    table->setHorizontalHeaderLabels(header);
    summary->setHorizontalHeaderLabels(header);

    emit signal_next_data_available(count > PageSize);
    emit signal_prev_data_available(false);

    if (count > 0) {
        // One pass over every row, not only the page.
        const int first = rowLength(0);
        mins = getLine(0);
        maxs = mins;
        means.fill(0.0, first);
        for (int r = 0; r < count; ++r) {
            const double *row = rowData(r);
            const int w = qMin(first, rowLength(r));
            for (int j = 0; j < w; ++j) {
                const double d = row[j];
                if (d < mins[j])
                    mins[j] = d;
                if (d > maxs[j])
                    maxs[j] = d;
                means[j] += d;
            }
        }
        for (double &m : means)
            m /= count;
    }
    for (int c = 0; c < summary->columnCount(); ++c) {
        const bool known = count > 0 && c < means.size();
        setCell(summary, 0, c, known ? cellText(mins[c]) : QString());
        setCell(summary, 1, c, known ? cellText(maxs[c]) : QString());
        setCell(summary, 2, c, known ? cellText(means[c]) : QString());
    }

    for (int i = 0; i < PageSize; ++i) {
        if (i < count) {
            showRow(i, i);
        } else {
            for (int c = 0; c < table->columnCount(); ++c)
                setCell(table, i, c, QString());
            setRowHeader(i, QString());
        }
    }
}

void Analyst::slot_build_next_table()
{
    emptyPage();
    start += PageSize;
    const int count = nbRows();
    if (start < count) {
        emit signal_cur_pos(start);
        emit signal_next_data_available(start + PageSize < count);
        emit signal_prev_data_available(true);
        for (int i = 0; i < PageSize; ++i) {
            const int k = start + i;
            if (k < count)
                showRow(i, k);
            else
                setRowHeader(i, QString());
        }
    } else {
        start = count - 1;
        emit signal_cur_pos(start);
        emit signal_next_data_available(false);
    }
}

void Analyst::slot_build_prev_table()
{
    emptyPage();
    start -= PageSize;
    if (start >= 0) {
        emit signal_cur_pos(start);
        emit signal_prev_data_available(start > 0);
        emit signal_next_data_available(true);
        for (int i = 0; i < PageSize; ++i)
            if (start + i < nbRows())
                showRow(i, start + i);
    } else {
        start = 0;
        emit signal_cur_pos(0);
        emit signal_prev_data_available(false);
    }
}

double Analyst::value(int r, int c) const
{
    if (r < 0 || c < 0 || r >= nbRows() || c >= rowLength(r))
        return Infinite;
    return rowData(r)[c];
}

int Analyst::graphNo(int r) const
{
    if (r < 0 || r >= graphNos.size()) {
        std::cerr << "Analyst::graphNo(" << r << ") failed" << std::endl;
        return 0;
    }
    return graphNos[r];
}

int Analyst::vertex(int r) const
{
    return (r >= 0 && r < graphNos.size()) ? graphNos[r] : 0;
}

int Analyst::nextRow(int g) const
{
    if (graphNos.isEmpty())
        return 0;
    const int last = graphNos.lastIndexOf(g);
    if (last < 0 || last + 1 >= graphNos.size())
        return graphNos[0];
    return graphNos[last + 1];
}

int Analyst::currentRow() const
{
    const int r = table->currentRow();
    return r < 0 ? -1 : start + r;
}

void Analyst::load(int g)
{
    emit signal_load_graph(g);
}

void Analyst::loadRef(int g)
{
    const int r = graphNos.indexOf(g);
    if (r >= 0)
        emit signal_load_graph(r);
}

void Analyst::slot_cell_double_clicked(int row, int)
{
    const int k = start + row;
    if (k >= nbRows() || k < 0) {
        std::cerr << "ERROR IN Analyst::slot_cell_double_clicked(int r, int)" << std::endl;
        return;
    }
    emit signal_load_graph(graphNos[k]);
}

void Analyst::slot_hilight(int g)
{
    const int r = graphNos.indexOf(g);
    if (r >= 0 && r >= start && r < start + PageSize)
        table->setCurrentCell(r - start, 0);
    else
        table->setCurrentCell(-1, -1);
}

void Analyst::slot_item_double_clicked(QTableWidgetItem *item)
{
    std::cerr << "ITEM = " << (item ? item->text().toLocal8Bit().constData() : "") << std::endl;
}

bool Analyst::save(QString fileName, QString *why) const
{
    QString reason;
    const TextFile::Target target = TextFile::resolved(fileName, &reason);
    const auto fail = [&](const QString &failure) {
        if (why)
            *why = failure;
        return false;
    };
    if (target.isNull())
        return fail(reason);
    QSaveFile file(target.openName());
    if (!file.open(QIODevice::WriteOnly))
        return fail(target.failure(file.errorString()));
    QByteArray text = header.join('\t').toLatin1();
    text += '\n';
    for (int r = 0; r < nbRows(); ++r) {
        const double *row = rowData(r);
        for (int c = 0; c < rowLength(r); ++c) {
            if (c > 0)
                text += '\t';
            text += cellText(row[c]).toLatin1();
        }
        text += '\n';
        // Written in pieces, so a table of millions of rows is never held whole as text.
        if (text.size() > (1 << 20)) {
            if (!TextFile::writeAll(file, text, &reason))
                break;
            text.clear();
        }
    }
    // A failed last flush would otherwise be committed as a complete file.
    if (!reason.isEmpty() || !TextFile::writeAll(file, text, &reason)) {
        file.cancelWriting();
        return fail(target.failure(reason));
    }
    if (!TextFile::commit(file, &reason))
        return fail(target.failure(reason));
    return true;
}
