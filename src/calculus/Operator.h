#ifndef OPERATOR_H
#define OPERATOR_H

#include "calculus/Calculus.h"

#include <QMutexLocker>

// The base of the operators and the constant: up to four arguments; may be the argument of
// other items. Each operator class gives its own formula and computation, built from the
// helpers below so that every operator keeps the same contract:
//
//   construction   initOperator(key, texts, last accepted slot, displayed)
//   formula()      prefixFormula(required) or infixFormula(required)
//   recompute()    argumentsReady(...) (missing and empty arguments), the class's own
//                  checks failing through fail(), then setResult(...) and the entries,
//                  read through an Argument (one argument's value lock at a time).
//
// A recompute allocates nothing: results go in place into the 32 x 32 storage, and an
// argument that claims more than 32 rows or columns is refused, never read.
class Operator : public Calculus
{
public:
    Operator();

    bool setLink1(Link *l) override { return acceptLink(1, l); }
    bool setLink2(Link *l) override { return lastSlot >= 2 && acceptLink(2, l); }
    bool setLink3(Link *l) override { return lastSlot >= 3 && acceptLink(3, l); }
    bool setLink4(Link *l) override { return lastSlot >= 4 && acceptLink(4, l); }
    bool setLinkTo(Link *l) override { return registerLinkTo(l); }
    bool setArg1(Calculus *c) override { return setArgAndRefresh(1, c); }
    bool setArg2(Calculus *c) override { return lastSlot >= 2 && setArgAndRefresh(2, c); }
    bool setArg3(Calculus *c) override { return lastSlot >= 3 && setArgAndRefresh(3, c); }
    bool setArg4(Calculus *c) override { return lastSlot >= 4 && setArgAndRefresh(4, c); }
    void setParam(int) override {}
    int getParam() override { return -1; }
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

    static const QString MissingArguments; // "Missing arguments"
    static const QString MissingArgument;  // "Missing argument"
    static const QString ArgumentError;    // "Argument error"
    static const QString ArgSizeDiffer;    // "ARG SIZE DIFFER"
    static const QString TooLarge;         // an argument beyond the 32 x 32 storage

protected:
    // One argument's value, read in place under that argument's value lock for the life of
    // the object. Hold one at a time: two items computed in two threads may hold their own
    // lock while they wait for an argument's, so a second argument lock could close a cycle.
    class Argument
    {
    public:
        explicit Argument(Calculus *c) : item(c), locker(&c->getValueLock()) {}
        int rows() const { return item->getNbRows(); }
        int cols() const { return item->getNbCols(); }
        bool single() const { return rows() == 1 && cols() == 1; }
        double at(int i, int j) const { return item->entry(i, j); }
        QString rowsLabel() const { return item->rowsLabel(); }
        QString colsLabel() const { return item->colsLabel(); }
        // f(x) for every entry, row by row and within a row column by column.
        template <class F>
        void forEach(F f) const
        {
            const int r = rows(), c = cols();
            for (int i = 0; i < r; ++i)
                for (int j = 0; j < c; ++j)
                    f(item->entry(i, j));
        }

    private:
        Calculus *item;
        QMutexLocker locker;
    };

    // The constructor steps every operator shares: key, help texts (the description is the
    // second text, or the first when there is one), the last slot accepted (the slots above
    // are refused and change nothing) and, when displayed, the dialog and the board set-up.
    void initOperator(const QString &key, const QString &latex, const QString &plain, int lastAccepted, bool isDisplayed);
    void initOperator(const QString &key, const QString &text, int lastAccepted, bool isDisplayed)
    {
        initOperator(key, text, text, lastAccepted, isDisplayed);
    }

    // "KEY(f1,f2,...)" over the arguments present among the first `shown` slots, or
    // "MISSING ARGUMENT" when one of the first `required` slots is empty.
    QString prefixFormula(int required, int shown = 4) const;
    // "f1 KEY f2 KEY f3 ..." on the same terms.
    QString infixFormula(int required, int shown = 4) const;

    // The first two steps of a computation: the first `required` arguments present (else
    // `missing`), argument 1 neither empty ("Argument error", when testEmpty) nor, like any
    // present argument, larger than the storage. False after failing, with labels "NA" unless
    // kept.
    bool argumentsReady(int required, const QString &missing = MissingArguments, bool testEmpty = true,
                        bool keepLabels = false);
    // A failure: the status text, no value, the error flag and, unless kept, labels "NA".
    void fail(const QString &statusText, bool keepLabels = false);
    // A success: the status text, the result's shape and labels; the entries follow.
    void setResult(const QString &statusText, int rows, int cols, const QString &rowsLabel, const QString &colsLabel);
    void setSingleResult(const QString &statusText) { setResult(statusText, 1, 1, QStringLiteral("1"), QStringLiteral("1")); }

    // A number taken from argument k: entry (1, 1) when the argument is present and not
    // empty, else the fallback.
    double numberArgument(int k, double fallback) const;
    // An index taken from argument k: its first entry as Calculus::getValue(1) gives it,
    // truncated toward zero (2.9 is 2, -0.5 is 0); 0 without the argument. Values beyond the
    // int range give 0 (and so an index out of bounds). Not while holding k's Argument.
    int indexArgument(int k) const;

    // The shapes of two terms, in the order they are tested: a single second term, then a
    // single first term (so two single values take the first case), then equal shapes.
    enum class Broadcast { SecondSingle, FirstSingle, SameShape, Differ };
    static Broadcast broadcast(int rowsA, int colsA, int rowsB, int colsB);
    // Term-by-term combination of argument 1 with the other present arguments up to
    // `lastTerm`, written into the value with its shape, labels and the key as status text:
    //   argument 2 single:  withSecond(a, s) for each entry a of argument 1 (others unused);
    //   argument 1 single:  withFirst(s, b) for each entry b of argument 2 (others unused);
    //   equal shapes:       e = a, then e = fold(e, x) with argument 2, then each further
    //                       present argument, which must have argument 1's shape.
    // Fails with "ARG SIZE DIFFER" (labels "NA") and returns false on any other shape.
    template <class WithSecond, class WithFirst, class Fold>
    bool combineTerms(int lastTerm, WithSecond withSecond, WithFirst withFirst, Fold fold);

    // Reduces argument 1 along its columns (into a 1 x c row, labels "1" and argument 1's
    // columns label) or along its rows (into an r x 1 column, labels argument 1's rows label
    // and "1"): each line starts from `start` and takes acc = fold(acc, x) over its entries in
    // index order. The key is the status text.
    enum class Along { Columns, Rows };
    template <class Fold>
    void reduceLines(Along along, double start, Fold fold)
    {
        const Argument a(args[0]);
        const int r = a.rows(), c = a.cols();
        const bool columns = along == Along::Columns;
        setResult(name, columns ? 1 : r, columns ? c : 1, columns ? QStringLiteral("1") : a.rowsLabel(),
                  columns ? a.colsLabel() : QStringLiteral("1"));
        for (int line = 0; line < (columns ? c : r); ++line) {
            double acc = start;
            for (int t = 0; t < (columns ? r : c); ++t)
                acc = fold(acc, columns ? a.at(t, line) : a.at(line, t));
            value[columns ? 0 : line][columns ? line : 0] = acc;
        }
    }

    // Shows the text as the tooltip at once where the item is displayed and this is the GUI
    // thread; elsewhere the next backup shows the status text.
    void showTooltipNow(const QString &text);

    // The highest slot the class accepts.
    int lastSlot = 4;

    // Writes f(entry) of argument k over its shape into the value.
    template <class F>
    void mapArgument(int k, F f)
    {
        const Argument a(args[k - 1]);
        mapEntries(a, f);
    }
    // The same, the result also taking argument k's shape and labels: one hold of the
    // argument's lock for all of it.
    template <class F>
    void mapArgumentWithShape(int k, F f)
    {
        const Argument a(args[k - 1]);
        setResult(name, a.rows(), a.cols(), a.rowsLabel(), a.colsLabel());
        mapEntries(a, f);
    }

private:
    template <class F>
    void mapEntries(const Argument &a, F f)
    {
        const int r = a.rows(), c = a.cols();
        for (int i = 0; i < r; ++i) {
            double *out = value[i].data();
            for (int j = 0; j < c; ++j)
                out[j] = f(a.at(i, j));
        }
    }

    QString joinFormula(const QString &open, const QString &separator, const QString &close, int required,
                        int shown) const;
};

template <class WithSecond, class WithFirst, class Fold>
bool Operator::combineTerms(int lastTerm, WithSecond withSecond, WithFirst withFirst, Fold fold)
{
    Calculus *a = args[0];
    Calculus *b = args[1];
    switch (broadcast(a->getNbRows(), a->getNbCols(), b->getNbRows(), b->getNbCols())) {
    case Broadcast::SecondSingle: {
        const double s = numberArgument(2, 0.0);
        mapArgumentWithShape(1, [&](double x) { return withSecond(x, s); });
        return true;
    }
    case Broadcast::FirstSingle: {
        const double s = numberArgument(1, 0.0);
        mapArgumentWithShape(2, [&](double x) { return withFirst(s, x); });
        return true;
    }
    case Broadcast::Differ:
        fail(ArgSizeDiffer);
        return false;
    case Broadcast::SameShape:
        break;
    }
    const int r = a->getNbRows(), c = a->getNbCols();
    mapArgumentWithShape(1, [](double x) { return x; });
    for (int k = 2; k <= lastTerm; ++k) {
        Calculus *x = args[k - 1];
        if (!x)
            continue;
        if (x->getNbRows() != r || x->getNbCols() != c) {
            fail(ArgSizeDiffer);
            return false;
        }
        const Argument term(x);
        for (int i = 0; i < r; ++i) {
            double *out = value[i].data();
            for (int j = 0; j < c; ++j)
                out[j] = fold(out[j], term.at(i, j));
        }
    }
    return true;
}

#endif
