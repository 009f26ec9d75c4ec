#ifndef CONJECTURESDISPLAY_H
#define CONJECTURESDISPLAY_H

#include <QList>
#include <QString>
#include <QWidget>

class Conjecture;
class QFrame;
class QGridLayout;
class QScrollArea;
class SimpleDisplay;

// The window listing the relations of the last conjecture search, strongest first. It is
// refilled by clear(), addConjecture() per relation, rebuild(); a click on a relation's text
// is passed on as signal_load_graph(graph number).
class ConjecturesDisplay : public QWidget
{
    Q_OBJECT

public:
    ConjecturesDisplay();
    ~ConjecturesDisplay() override;

    // Keeps nothing of c; the row is laid out by the next rebuild().
    void addConjecture(Conjecture *c);
    void rebuild();
    // Every listed formula followed by a line feed.
    QString getConjectures() const;
    int nbRows() const { return rows.size(); }
    SimpleDisplay *row(int i) const { return rows.value(i); }

signals:
    void signal_load_graph(int graphNo);

public slots:
    void slot_load_graph(int graphNo);
    void clear();

private:
    void dropFrame();

    QGridLayout *grid;
    QScrollArea *scrollArea = nullptr;
    QFrame *frame = nullptr;
    QList<SimpleDisplay *> rows;
};

#endif
