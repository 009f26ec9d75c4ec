#ifndef PROBLEMTEXT_H
#define PROBLEMTEXT_H

#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

// The problem text apart from the board it fills: item records separated by "<NEW>", fields
// by TABs, ending with the "DESC" record of the title and description. Parsing checks every
// record before the board changes; the board then builds the items from the records.
class ProblemText
{
public:
    static constexpr int MaxSize = 32;
    // Between two records.
    static const QString Separator;

    struct Record
    {
        enum Kind { Constant, Info, Item, Unlisted } kind = Item;
        QString key;
        QString givenName;
        bool inReport = false;
        bool node = false;
        bool vector = false;
        bool invert = false;
        double x = 0;
        double y = 0;
        int args[4] = {-1, -1, -1, -1};
        int category = 0;
        bool hasSense = false;
        QString sense;
        int rows = 0;
        int cols = 0;
        QVector<double> values;
    };

    struct Parsed
    {
        QVector<Record> records;
        bool hasDesc = false;
        // Fields of the DESC record as found (3 as written), and where it stands.
        int descFields = 0;
        QString descPlace;
        QString title;
        QString description;
    };

    // The category of an item key as the vocabulary lists it, -1 for a key it does not know.
    using CategoryOf = std::function<int(const QString &key)>;

    // False, with the console line and the standard-error line that say why, on the first
    // record that is missing a field, names an unknown item or an argument not built before it;
    // reason then names the record, its line and what it should hold.
    static bool parse(const QString &text, const CategoryOf &categoryOf, Parsed *out, QString *consoleLine,
                      QString *errorLine, QString *reason = nullptr);
    // The items' own record texts in list order, then the description record.
    static QString compose(const QStringList &itemTexts, const QString &title, const QString &description);
    // A title or description with what cannot travel in the text (TAB, NUL, "<NEW>") replaced.
    static QString clean(QString s);
};

#endif
