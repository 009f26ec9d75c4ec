#include "problem/ProblemText.h"

#include "files/TextFile.h"

#include <cmath>

const QString ProblemText::Separator = QStringLiteral("<NEW>");

namespace {
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
                        QString *errorLine, QString *reason)
{
    Parsed &parsed = *out;
    const QStringList pieces = text.split(Separator, Qt::KeepEmptyParts);
    int record = 0; // counted from 1, with the line it starts on
    int line = 1;
    const auto place = [&] { return QString("record %1 (line %2)").arg(record).arg(line); };
    auto fail = [&](const QString &console, const QString &error, const QString &why) {
        *consoleLine = console;
        *errorLine = error;
        if (reason)
            *reason = place() + ": " + why;
        return false;
    };
    // The calculation list as the records build it.
    int calcSize = 0;
    for (const QString &piece : pieces) {
        if (record > 0)
            line += pieces[record - 1].count(QLatin1Char('\n'));
        ++record;
        const QStringList fields = piece.split(QLatin1Char('\t'), Qt::KeepEmptyParts);
        const QString key = fields[0];
        if (key == "DESC") {
            parsed.hasDesc = true;
            parsed.descFields = fields.size();
            parsed.descPlace = place();
            parsed.title = fields.value(1);
            parsed.description = fields.value(2);
            return true;
        }
        if (fields.size() < 9) {
            const QString found = piece.isEmpty() && record == pieces.size()
                                      ? QString("the end of the text")
                                      : QString("%1 field(s), beginning %2").arg(fields.size()).arg(TextFile::excerpt(piece));
            return fail("Critical error, missing argument.",
                        "Critical error, missing argument" + QString(fields.size(), QLatin1Char('.')),
                        "expected an item record (key, given name, four flags, x, y, four arguments, "
                        "TAB-separated) or the DESC record, found " + found);
        }
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
                const QString message = key + " is not a valid name in problem description.";
                return fail(message, message, TextFile::excerpt(key) + " is not the key of an item");
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
            const QString expected = QString("expected argument %1 of %2: NULL or the number of an earlier item%3, found ")
                                         .arg(k + 1)
                                         .arg(key, limit > 0 ? QString(" (0 to %1)").arg(limit - 1) : QString());
            if (8 + k >= fields.size())
                return fail(console, error, expected + "the end of the record");
            if (fields[8 + k] == "NULL")
                continue;
            const int index = fields[8 + k].toInt(nullptr, 10);
            if (index < 0 || index >= limit)
                return fail(console, error, expected + TextFile::excerpt(fields[8 + k]));
            r.args[k] = index;
        }

        if (key == "Z" || key == "OBJECTIVE") {
            if (fields.size() < 13)
                return fail(wrong, wrong, "expected the objective's sense (min, max or maxmin), found the end of the record");
            r.hasSense = true;
            r.sense = fields[12];
        }
        if (r.kind == Record::Constant) {
            if (fields.size() < 14)
                return fail("Problem : ERROR LOADING CONSTANT", "Problem : ERROR LOADING CONSTANT",
                            "expected the constant's row and column counts, found the end of the record");
            const QString invalid = "Critical error, invalid value in loading constant";
            const QString range = QString("expected the constant's %1 count, 0 to %2, found %3");
            r.rows = fields[12].toInt(nullptr, 10);
            if (r.rows < 0 || r.rows > MaxSize)
                return fail(invalid + ".", invalid, range.arg("row").arg(MaxSize).arg(TextFile::excerpt(fields[12])));
            r.cols = fields[13].toInt(nullptr, 10);
            if (r.cols < 0 || r.cols > MaxSize)
                return fail(invalid + ".", invalid + ".",
                            range.arg("column").arg(MaxSize).arg(TextFile::excerpt(fields[13])));
            for (int i = 14; i < fields.size(); ++i)
                r.values.append(fields[i].toDouble());
            // More values than cells would leave the constant without its value as well.
            if (r.values.size() != r.rows * r.cols)
                return fail("Problem : ERROR LOADING CONSTANT", "Problem : ERROR LOADING CONSTANT.",
                            QString("expected %1 values for the constant's %2 x %3 cells, found %4")
                                .arg(r.rows * r.cols).arg(r.rows).arg(r.cols).arg(r.values.size()));
            ++calcSize;
        }
        parsed.records.append(r);
    }
    return true;
}
