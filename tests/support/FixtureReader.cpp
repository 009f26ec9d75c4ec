#include "FixtureReader.h"

#include <QFile>
#include <QTextStream>
#include <QtTest>
#include <QtGlobal>

QString FixtureReader::directory()
{
    return qEnvironmentVariable("ORV_FIXTURES");
}

void FixtureReader::addFileRows()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("all graphs up to 7 vertices") << "invariants_small.txt";
    QTest::newRow("random graphs 7..32 vertices") << "invariants_random.txt";
}

bool FixtureReader::parseGraphText(const QString &text, int &n, Graph::Row rows[Graph::MaxNodes])
{
    const int blank = text.indexOf(QLatin1Char(' '));
    bool ok = false;
    n = text.left(blank < 0 ? text.size() : blank).toInt(&ok);
    if (!ok || n < 0 || n > Graph::MaxNodes)
        return false;
    const QString bits = blank < 0 ? QString() : text.mid(blank + 1);
    if (bits.size() != n * (n - 1) / 2)
        return false;
    for (int i = 0; i < Graph::MaxNodes; ++i)
        rows[i] = 0;
    int k = 0;
    for (int i = 1; i < n; ++i)
        for (int j = 0; j < i; ++j, ++k) {
            if (bits[k] == QLatin1Char('1')) {
                rows[i] |= adjacency::bit(j);
                rows[j] |= adjacency::bit(i);
            } else if (bits[k] != QLatin1Char('0')) {
                return false;
            }
        }
    return true;
}

QVector<FixtureReader::Entry> FixtureReader::read(const QString &fileName)
{
    QVector<Entry> entries;
    QFile file(directory() + QLatin1Char('/') + fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qWarning("cannot read fixture %s (is ORV_FIXTURES set?)", qPrintable(file.fileName()));
        return entries;
    }
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList fields = line.split(QLatin1Char('\t'));
        Entry entry;
        entry.text = fields[0];
        if (!parseGraphText(entry.text, entry.n, entry.rows)) {
            qWarning("malformed graph text in %s: %s", qPrintable(fileName), qPrintable(entry.text));
            return {};
        }
        for (int f = 1; f < fields.size(); ++f) {
            const int eq = fields[f].indexOf(QLatin1Char('='));
            QVector<double> numbers;
            for (const QString &v : fields[f].mid(eq + 1).split(QLatin1Char(',')))
                numbers.append(v.toDouble());
            entry.values.insert(fields[f].left(eq), numbers);
        }
        entries.append(entry);
    }
    return entries;
}
