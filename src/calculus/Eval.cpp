#include "calculus/Eval.h"

Eval::Eval(const Eval &other)
{
    copy(&other);
}

Eval &Eval::operator=(const Eval &other)
{
    copy(&other);
    return *this;
}

void Eval::copy(const Eval *other)
{
    if (other == this)
        return;
    values.clear();
    clearZ();
    for (const QVector<double> &v : other->objectives)
        objectives.append(v);
    for (double v : other->values)
        values.append(v);
}

void Eval::push_front(double v)
{
    values.prepend(v);
}

void Eval::addZ(const QVector<double> &v)
{
    objectives.append(v);
}

void Eval::clear()
{
    values.clear();
    objectives.clear();
}

void Eval::clearZ()
{
    objectives.clear();
}

double Eval::value(int i) const
{
    if (i < 0 || i >= values.size())
        return 1e12;
    return values[i];
}

bool Eval::violated() const
{
    for (int i = values.size() - 1; i >= 0; --i) {
        // Written so that NaN counts as a violation: it is never a satisfied constraint.
        if (!(values[i] <= 1e-6))
            return true;
    }
    return false;
}

QString Eval::display() const
{
    QString text;
    for (const QVector<double> &v : objectives) {
        text += '<';
        for (double c : v)
            text += QString::number(c, 'g', 6) + ' ';
        text += '>';
    }
    for (double v : values)
        text += '[' + QString::number(v, 'g', 6) + ']';
    return text;
}
