#ifndef CONJECTURE_H
#define CONJECTURE_H

#include <QMetaType>
#include <QString>
#include <QVector>
#include <memory>

class RelationSpace;

// One linear bound found by the conjecture search: coefs . x <= offset over the engine's
// (augmented) columns, with the graphs lying on the hyperplane and the squared distances of
// the others. A plain value; copies are independent.
//
// operator< ranks bounds (more touching graphs, then smaller error, is stronger) but treats
// errors within 1e-6 as a tie, so it is not a strict weak order in general: a list is ordered by
// neighbour exchanges, or by a stable sort where its ties are an equivalence
// (HeldRelations::ordered), never by std::sort on the operator alone.
class Conjecture
{
public:
    Conjecture(const QString &formula, const QVector<double> &coefs, double offset, int touching, double sumErr,
               const QVector<int> &support);
    // A null pointer gives an empty record (no text, no coefficients, nothing touching).
    explicit Conjecture(const Conjecture *other);
    Conjecture(const Conjecture &) = default;
    Conjecture &operator=(const Conjecture &) = default;
    ~Conjecture() = default;

    QString getFormula() const { return formula; }
    int getTouching() const { return touching; }
    double getSumErr() const { return sumErr; }
    QVector<double> getCoefs() const { return coefs; }
    double getOffset() const { return offset; }
    QVector<int> getSupport() const { return support; }

    bool operator<(const Conjecture &other) const;
    // Equal touching, errors within 1e-6 of their size, and coefficient vectors within 1e-6
    // once each is divided by its length; text, offset and support are not compared.
    bool operator==(const Conjecture &other) const;
    // Nearly the same bound whatever was counted on it: coefficients and offsets, divided by the
    // length of the coefficient vector, within 1e-4. Near is not the same: with operator==, it
    // only finds candidates for sameOnRows().
    bool sameBound(const Conjecture &other) const;

    // Terms as written: its columns and its constant.
    int termCount() const;

    // Within this, errors are a tie and coefficients over their length are equal (operator==).
    static constexpr double Tolerance = 1e-6;
    // sameBound's tolerance on the coefficients and the constant over the coefficients' length.
    static constexpr double SameRelation = 1e-4;
    // The coefficients over their length, as sameBound and operator== compare them (a vector
    // of length 0 as it is).
    QVector<double> direction() const;

    // The rows of the search that found it (RelationSpace), which decide whether another bound is
    // the same relation, and its key there, empty when it has none, with the radius within which
    // keys are candidates; set by the engine that found it. None for a record made otherwise.
    QVector<double> getKey() const { return key; }
    double getKeyTolerance() const { return keyTolerance; }
    const std::shared_ptr<const RelationSpace> &getRows() const { return rows; }
    void setKey(const QVector<double> &relationKey, double tolerance, std::shared_ptr<const RelationSpace> space);
    // Lets go of the rows, which a search no longer needs once it has ended.
    void forgetRows() { rows.reset(); }
    // Whether the rows say that other is the same relation: both have the same table's rows, and
    // on every row searched their slacks agree up to one positive factor.
    bool sameOnRows(const Conjecture &other) const;

private:
    QString formula;
    int touching = 0;
    double sumErr = 0.0;
    QVector<double> coefs;
    double offset = 0.0;
    QVector<int> support;
    QVector<double> key;
    double keyTolerance = 0.0;
    std::shared_ptr<const RelationSpace> rows;
};

Q_DECLARE_METATYPE(Conjecture *)

#endif
