// Keeps the layers apart: what each folder may include, and no private copies of the
// adjacency bit helpers. Reads the source tree; needs no application object.
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QFile>
#include <QRegularExpression>
#include <QtTest>

namespace {
QString sourceRoot()
{
    // The fixtures live in tests/fixtures of the source tree.
    return QDir(qEnvironmentVariable("ORV_FIXTURES") + "/../..").canonicalPath();
}

struct Offence
{
    QString file;
    int line;
    QString text;
};

// The C++ files of a folder and its subfolders, or the one file named.
QStringList sources(const QString &path)
{
    if (QFileInfo(path).isFile())
        return {path};
    QStringList out;
    QDirIterator it(path, {"*.h", "*.cpp"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        out << it.next();
    return out;
}

// Every line of the C++ files under the paths that matches the pattern, except in the files
// whose path relative to the root ends with one of the allowed suffixes.
QVector<Offence> scan(const QStringList &paths, const QRegularExpression &pattern, const QStringList &allowed)
{
    QVector<Offence> out;
    const QDir root(sourceRoot());
    for (const QString &where : paths) {
        for (const QString &path : sources(root.filePath(where))) {
            const QString relative = root.relativeFilePath(path);
            bool skip = false;
            for (const QString &a : allowed)
                skip = skip || relative.endsWith(a);
            if (skip)
                continue;
            QFile f(path);
            if (!f.open(QIODevice::ReadOnly))
                continue;
            int number = 0;
            while (!f.atEnd()) {
                const QString line = QString::fromUtf8(f.readLine()).trimmed();
                ++number;
                if (pattern.match(line).hasMatch())
                    out.append({relative, number, line});
            }
        }
    }
    return out;
}
} // namespace

class TestIncludes : public QObject
{
    Q_OBJECT

private slots:
    void sourcesFound()
    {
        QVERIFY2(QFile::exists(sourceRoot() + "/src/graph/Adjacency.h"), qPrintable(sourceRoot()));
        // The scan sees the file that is about to be checked, so a wrong root cannot pass quietly.
        QVERIFY(!scan({"src/graph"}, QRegularExpression("^#include \"graph/Adjacency.h\""), {}).isEmpty());
    }

    void rules_data()
    {
        QTest::addColumn<QStringList>("folders");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QStringList>("allowed");
        // The graph sits below the application, the invariants and the board.
        QTest::newRow("graph stays below")
            << QStringList{"src/graph"} << "^#\\s*include\\s*\"(app|invariants|problem)/" << QStringList{};
        // The algorithm cores: the adjacency header, each other and the standard library.
        QTest::newRow("cores: no other project header")
            << QStringList{"src/invariants/core"} << "^#\\s*include\\s*\"(?!graph/Adjacency\\.h\"|invariants/core/)"
            << QStringList{};
        QTest::newRow("cores: no Qt header") << QStringList{"src/invariants/core"} << "^#\\s*include\\s*<Q"
                                              << QStringList{};
        QTest::newRow("adjacency: standard library only")
            << QStringList{"src/graph/Adjacency.h"} << "^#\\s*include\\s*(<Q|\")" << QStringList{};
        // The dialogs and the file layer are included from every floor and include none.
        QTest::newRow("dialogs include no floor")
            << QStringList{"src/dialogs", "src/files"} << "^#\\s*include\\s*\"(?!dialogs/|files/)" << QStringList{};
        // The pure text parsers need no widgets (the file layer's excerpt of a line is plain text).
        QTest::newRow("parsers: no widgets")
            << QStringList{"src/graph/GraphText.h", "src/graph/GraphText.cpp", "src/problem/ProblemText.h",
                           "src/problem/ProblemText.cpp"}
            << "^#\\s*include\\s*(<(QWidget|QGraphics|QApplication|QDialog|QMessageBox|QtWidgets)|\"(?!graph/Adjacency\\.h\"|graph/GraphText\\.h\"|problem/ProblemText\\.h\"|files/TextFile\\.h\"))"
            << QStringList{};
        // One definition of the bit helpers.
        QTest::newRow("no copy of bit or lowMask")
            << QStringList{"src", "tests", "bench"}
            << "(\\bRow\\(1\\)\\s*<<|\\buint32_t\\(1\\)\\s*<<|\\b(inline|auto|constexpr)\\b.*\\b(bit|lowMask|above)\\s*(\\(int|=)|~[\\w:]*Row\\(0\\)\\s*:)"
            << QStringList{"src/graph/Adjacency.h", "tests/structure/tst_includes.cpp"};
    }
    void rules()
    {
        QFETCH(QStringList, folders);
        QFETCH(QString, pattern);
        QFETCH(QStringList, allowed);
        const QRegularExpression re(pattern);
        QVERIFY2(re.isValid(), qPrintable(re.errorString()));
        const QVector<Offence> found = scan(folders, re, allowed);
        QStringList lines;
        for (const Offence &o : found)
            lines << QString("%1:%2: %3").arg(o.file).arg(o.line).arg(o.text);
        QVERIFY2(found.isEmpty(), qPrintable(lines.join('\n')));
    }
};

QTEST_APPLESS_MAIN(TestIncludes)
#include "tst_includes.moc"
