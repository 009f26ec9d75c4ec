#include "problem/ProblemText.h"

#include <cmath>

namespace {
const QString Separator = QStringLiteral("<NEW>");

// A position that is no finite number reads as 0, like one that is no number at all.
double coordinate(const QString &field)
{
    const double v = field.toDouble();
    return std::isfinite(v) ? v : 0.0;
}
} // namespace

QString ProblemText::clean(QString s)
{
    s.replace(QLatin1Char('\t'), QLatin1Char(' '));
    s.replace(QChar(0), QLatin1Char(' '));
    s.replace(Separator, QStringLiteral("[NEW]"));
    return s;
}

QString ProblemText::compose(const QStringList &itemTexts, const QString &title, const QString &description)
{
    QString text = itemTexts.join(QString());
    text.replace(QLatin1Char('\n'), Separator);
    return text + "DESC\t" + title + '\t' + description;
}

bool ProblemText::parse(const QString &text, const CategoryOf &categoryOf, Parsed *out, QString *consoleLine,
                        QString *errorLine)
{
    Parsed &parsed = *out;
    auto fail = [&](const QString &console, const QString &error) {
        *consoleLine = console;
        *errorLine = error;
        return false;
    };
    // The calculation list as the records build it.
    int calcSize = 0;
    const QStringList pieces = text.split(Separator, Qt::KeepEmptyParts);
    for (const QString &piece : pieces) {
        const QStringList fields = piece.split(QLatin1Char('\t'), Qt::KeepEmptyParts);
        const QString key = fields[0];
        if (key == "DESC") {
            parsed.hasDesc = true;
            parsed.title = fields.value(1);
            parsed.description = fields.value(2);
            return true;
        }
        if (fields.size() < 9)
            return fail("Critical error, missing argument.",
                        "Critical error, missing argument" + QString(fields.size(), QLatin1Char('.')));
        Record r;
        r.key = key;
        r.givenName = fields[1];
        r.inReport = fields[2] == "1";
        r.node = fields[3] == "1";
        r.vector = fields[4] == "1";
        r.invert = fields[5] == "1";
        r.x = coordinate(fields[6]);
        r.y = coordinate(fields[7]);

        // Arguments must come from records before this one.
        int limit = calcSize;
        if (key == "CONSTANT") {
            r.kind = Record::Constant;
        } else if (key == "Colors" || key == "Labels" || key == "E_Labels" || key == "E_Hilights") {
            r.kind = Record::Info;
        } else {
            const int category = categoryOf(key);
            if (category < 0) {
                const QString line = key + " is not a valid name in problem description.";
                return fail(line, line);
            }
            r.category = category;
            r.kind = r.category == 0 ? Record::Unlisted : Record::Item;
            if (r.category == 1 || r.category == 3)
                ++calcSize;
        }

        const QString wrong = "Critical error, wrong argument for " + key;
        for (int k = 0; k < 4; ++k) {
            const bool constant = r.kind == Record::Constant;
            const QString console = constant && k < 3 ? "*" + wrong : wrong;
            const QString error = constant ? "*" + wrong : wrong;
            if (8 + k >= fields.size())
                return fail(console, error);
            if (fields[8 + k] == "NULL")
                continue;
            const int index = fields[8 + k].toInt(nullptr, 10);
            if (index < 0 || index >= limit)
                return fail(console, error);
            r.args[k] = index;
        }

        if (key == "Z" || key == "OBJECTIVE") {
            if (fields.size() < 13)
                return fail(wrong, wrong);
            r.hasSense = true;
            r.sense = fields[12];
        }
        if (r.kind == Record::Constant) {
            if (fields.size() < 14)
                return fail("Problem : ERROR LOADING CONSTANT", "Problem : ERROR LOADING CONSTANT");
            const QString invalid = "Critical error, invalid value in loading constant";
            r.rows = fields[12].toInt(nullptr, 10);
            if (r.rows < 0 || r.rows > MaxSize)
                return fail(invalid + ".", invalid);
            r.cols = fields[13].toInt(nullptr, 10);
            if (r.cols < 0 || r.cols > MaxSize)
                return fail(invalid + ".", invalid + ".");
            for (int i = 14; i < fields.size(); ++i)
                r.values.append(fields[i].toDouble());
            // More values than cells would leave the constant without its value as well.
            if (r.values.size() != r.rows * r.cols)
                return fail("Problem : ERROR LOADING CONSTANT", "Problem : ERROR LOADING CONSTANT.");
            ++calcSize;
        }
        parsed.records.append(r);
    }
    return true;
}
