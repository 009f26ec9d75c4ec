#ifndef SIMPLEDISPLAY_H
#define SIMPLEDISPLAY_H

#include <QString>
#include <QVector>
#include <QWidget>

class QLabel;
class QPushButton;

// One listed relation: the number of a graph lying on it (in red), its text as a flat button
// and its error sum and touching count. Each click on the text steps to the next graph lying
// on the relation, wrapping around, and asks for it by its 0-based number.
class SimpleDisplay : public QWidget
{
    Q_OBJECT

public:
    SimpleDisplay(QString formula, QVector<int> graphs, int touching, double sumErr);
    ~SimpleDisplay() override;

    QString getFormula() const { return formula; }
    QVector<int> getGraphs() const { return graphs; }
    int getTouching() const { return touching; }

signals:
    void signal_load_graph(int graphNo);

public slots:
    void slot_clicked();

private:
    // Graph numbers count from 0, the label from 1; a relation with no graph shows "-".
    QString labelText() const;

    int current = 0;
    QVector<int> graphs;
    QString formula;
    QPushButton *formulaButton;
    int touching;
    double sumErr;
    QLabel *graphLabel;
};

#endif
