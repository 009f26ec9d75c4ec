#ifndef ANALYST_H
#define ANALYST_H

#include <QStringList>
#include <QVector>
#include <QWidget>
#include <vector>

class QTableWidget;
class QTableWidgetItem;

// The value table of the results explorer: one row of doubles per stored graph (or per vertex
// of a stored graph), each tagged with the number of the graph it comes from, shown in pages
// of 1000 rows under a "Min", "Max", "Mu" summary of every column.
//
// Filling is always clear(), setHeader(), push_back() per row, buildTable(); until
// buildTable() the widgets show the previous state. GUI thread only; no lock.
//
// The rows are kept end to end in one array (a catalogue gives millions of vertex rows, and
// a vector per row would cost several times the values themselves). While every row has the
// same length, which is the rule, no row offsets are kept either.
class Analyst : public QWidget
{
    Q_OBJECT

public:
    static constexpr int PageSize = 1000;

    explicit Analyst(QWidget *parent = nullptr);

    void setHeader(QStringList names);
    QStringList getHeader() const { return header; }
    void push_back(QVector<double> values, int graphNo);
    // Room for about this many rows of this many values, so a long fill neither regrows nor
    // copies the table.
    void reserve(int rows, int width);
    void clear();
    void buildTable();

    int nbRows() const { return graphNos.size(); }
    double value(int r, int c) const;
    // Row r must lie in 0 .. nbRows() - 1.
    QVector<double> getLine(int r) const
    {
        const double *row = rowData(r);
        return QVector<double>(row, row + rowLength(r));
    }
    int rowLength(int r) const { return rowStart.empty() ? width : int(rowStart[r + 1] - rowStart[r]); }
    int graphNo(int r) const;
    int vertex(int r) const;
    QVector<int> getGraphsRef() const { return graphNos; }
    int nextRow(int graphNo) const;
    int currentRow() const;
    int pageStart() const { return start; }

    void load(int graphNo);
    void loadRef(int graphNo);

    // Writes every row as a tab-separated value table; false, with the reason in *why, when
    // the file could not be written, and then an old file of that name is left as it was.
    bool save(QString fileName, QString *why = nullptr) const;

    double minimum(int c) const { return mins.value(c, 0.0); }
    double maximum(int c) const { return maxs.value(c, 0.0); }
    double mean(int c) const { return means.value(c, 0.0); }
    QTableWidget *pageTable() const { return table; }
    QTableWidget *summaryTable() const { return summary; }

signals:
    void signal_next_data_available(bool);
    void signal_prev_data_available(bool);
    void signal_total_data(int);
    void signal_cur_pos(int);
    void signal_load_graph(int);

public slots:
    void slot_build_next_table();
    void slot_build_prev_table();
    void slot_cell_double_clicked(int row, int column);
    void slot_hilight(int graphNo);
    void slot_item_double_clicked(QTableWidgetItem *item);

private:
    static void setCell(QTableWidget *t, int r, int c, const QString &text);
    void setRowHeader(int pageRow, const QString &text);
    void emptyPage();
    // Writes table row k into page row pageRow, with its header.
    void showRow(int pageRow, int k);
    const double *rowData(int r) const
    {
        return cells.data() + (rowStart.empty() ? qint64(r) * width : rowStart[r]);
    }

    QTableWidget *table;
    QTableWidget *summary;
    // Row r is cells[r * width] .. cells[(r + 1) * width - 1] while all rows have the length
    // `width`; once one differs, cells[rowStart[r]] .. cells[rowStart[r + 1] - 1]. A standard
    // vector: a vertex table can pass the 2 GB that a QVector holds.
    std::vector<double> cells;
    std::vector<qint64> rowStart;
    int width = 0;
    QVector<double> means;
    QVector<double> mins;
    QVector<double> maxs;
    QVector<int> graphNos;
    QStringList header;
    int start = 0;
};

#endif
