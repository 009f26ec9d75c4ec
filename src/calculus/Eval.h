#ifndef EVAL_H
#define EVAL_H

#include <QString>
#include <QVector>

// The evaluation record of one graph: the error flag and the constraint violations as one
// list of doubles, and one value vector per objective. A plain value class without a lock:
// every thread fills records of its own and hands over copies.
class Eval
{
public:
    Eval() = default;
    Eval(const Eval &other);
    Eval &operator=(const Eval &other);
    ~Eval() = default;

    void copy(const Eval *other);
    void push_front(double v);
    void addZ(const QVector<double> &v);
    void clear();
    void clearZ();

    int size() const { return values.size(); }
    double value(int i) const;
    int sizeZ() const { return objectives.size(); }
    QVector<QVector<double>> *z() { return &objectives; }
    const QVector<QVector<double>> *z() const { return &objectives; }
    bool violated() const;
    QString display() const;

private:
    // Emptying keeps the capacity (Qt >= 5.7), so refilling a record allocates nothing.
    QVector<double> values;
    QVector<QVector<double>> objectives;
};

#endif
