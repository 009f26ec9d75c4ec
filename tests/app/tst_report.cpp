#include "ScriptedDialogs.h"
#include "app/ImageResources.h"
#include "app/Report.h"
#include "calculus/BuildCalculus.h"
#include "calculus/Z.h"
#include "graph/Graph.h"
#include "problem/Problem.h"

#include <QCheckBox>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextEdit>
#include <QtTest>

namespace {
const QString title = "Orvalith-III Documentation";

// A board, the vocabulary and the report over them.
struct Fixture {
    Graph graph{"graph", false};
    Problem problem{&graph, "problem", false};
    BuildCalculus build;
    Report report{&problem, &build};

    QCheckBox *box(const QString &label)
    {
        for (QCheckBox *b : report.findChildren<QCheckBox *>())
            if (b->text() == label)
                return b;
        qFatal("no box %s", qPrintable(label));
    }
    void press(const QString &label)
    {
        for (QPushButton *b : report.findChildren<QPushButton *>())
            if (b->text() == label)
                return b->click();
        qFatal("no button %s", qPrintable(label));
    }
    QStringList ticked()
    {
        QStringList t;
        for (QCheckBox *b : report.findChildren<QCheckBox *>())
            if (b->isChecked())
                t << b->text();
        return t;
    }
    QTextDocument *document() { return report.findChild<QTextEdit *>()->document(); }
    QStringList blocks(bool headingsOnly = false)
    {
        QStringList texts;
        for (QTextBlock b = document()->begin(); b.isValid(); b = b.next()) {
            // An empty paragraph has no fragment to ask: Qt 5.15 loops for ever on one.
            const QTextCharFormat f = b.begin().atEnd() ? b.charFormat() : b.begin().fragment().charFormat();
            const bool heading = f.fontWeight() == QFont::Bold && f.fontPointSize() >= 16;
            if (!b.text().trimmed().isEmpty() && (!headingsOnly || heading))
                texts << b.text();
        }
        return texts;
    }
};
} // namespace

class TestReport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ImageResources::init(); }
    void sections_data();
    void sections();
    void technical();
    void vocabulary_data();
    void vocabulary();
    void picture();
    void currentProblem_data();
    void currentProblem();
    void conjectures();
    void editsLastUntilRefresh();
    void print_data();
    void print();
};

void TestReport::sections_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QStringList>("ticked");
    QTest::addColumn<QStringList>("headings");
    const QStringList categories{"Values", "Vectors", "Matrices", "Families"};
    const QStringList definition =
        QStringList{"Problem definition", "Invariants"} + categories + QStringList{"Operators", "Constraints"};
    QTest::newRow("nothing ticked") << QStringList() << QStringList() << QStringList{title};
    QTest::newRow("introduction") << QStringList{"Introduction to ORV"}
                                  << QStringList{"Introduction to ORV", "Technical information"}
                                  << QStringList{title, "Introduction to ORV", "Technical description of this version"};
    QTest::newRow("problem definition") << QStringList{"Problem definition"} << definition
                                        << QStringList{title} + definition;
    QTest::newRow("problem definition off again") << QStringList{"Problem definition", "Problem definition"}
                                                  << QStringList() << QStringList{title};
    QTest::newRow("invariants") << QStringList{"Invariants"} << QStringList{"Invariants"} + categories
                                << QStringList{title, "Invariants"} + categories;
    QTest::newRow("values off after invariants")
        << QStringList{"Invariants", "Values"} << QStringList{"Invariants", "Vectors", "Matrices", "Families"}
        << QStringList{title, "Invariants", "Vectors", "Matrices", "Families"};
    QTest::newRow("child alone") << QStringList{"Technical information"} << QStringList{"Technical information"}
                                 << QStringList{title, "Technical description of this version"};
    QTest::newRow("rules do not chain") << QStringList{"Values", "Problem definition", "Invariants"}
                                        << QStringList{"Problem definition", "Operators", "Constraints"}
                                        << QStringList{title, "Problem definition", "Operators", "Constraints"};
    QTest::newRow("every top box") << QStringList{"Graph visualization", "Current problem", "Graph conjectures",
                                                  "Vertex conjectures", "References"}
                                   << QStringList{"Graph visualization", "Current problem", "Graph conjectures",
                                                  "Vertex conjectures", "References"}
                                   << QStringList{title, "Graph visualization", "Current problem", "Graph conjectures",
                                                  "Vertex conjectures", "References"};
}

void TestReport::sections()
{
    QFETCH(QStringList, clicks);
    QFETCH(QStringList, ticked);
    QFETCH(QStringList, headings);
    Fixture f;
    QVERIFY(f.document()->isEmpty()); // filled only by a click or Refresh
    f.press("Refresh");
    for (const QString &label : clicks)
        f.box(label)->click();
    QCOMPARE(f.ticked(), ticked);
    QCOMPARE(f.blocks(true), headings);
    if (clicks.isEmpty())
        QCOMPARE(f.blocks(), QStringList{title});
}

void TestReport::technical()
{
    Fixture f;
    f.box("Technical information")->click();
    QCOMPARE(f.blocks(), (QStringList{title, "Technical description of this version", "This is Orvalith-III",
                                      "Version 3.0.26", "Compiled for 32 vertices.",
                                      "Support for threads enabled up to 4 threads"}));
    f.box("Graph visualization")->click();
    QCOMPARE(f.blocks().last(), QString("Graph visualization")); // a heading with no body
}

void TestReport::vocabulary_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("category");
    QTest::newRow("values") << "Values" << "InvariantsVal";
    QTest::newRow("vectors") << "Vectors" << "InvariantsVec";
    QTest::newRow("matrices") << "Matrices" << "InvariantsMat";
    QTest::newRow("families") << "Families" << "InvariantsFam";
    QTest::newRow("operators") << "Operators" << "Operators";
    QTest::newRow("constraints") << "Constraints" << "Constraints";
}

void TestReport::vocabulary()
{
    QFETCH(QString, box);
    QFETCH(QString, category);
    Fixture f;
    f.box(box)->click();
    const QStringList lines = f.build.Documentation(category).split('\n', Qt::SkipEmptyParts);
    QVERIFY(!lines.isEmpty());
    const QStringList shown = f.blocks();
    QCOMPARE(shown.mid(2), lines); // after the title and the heading
}

void TestReport::picture()
{
    Fixture f;
    f.box("Problem definition")->click();
    QString name;
    for (QTextBlock b = f.document()->begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat())
                name = it.fragment().charFormat().toImageFormat().name();
    QVERIFY(name.endsWith("print_screen_problem.png"));
    const QVariant image = f.document()->resource(QTextDocument::ImageResource, QUrl(name));
    QVERIFY(image.isValid());
}

void TestReport::currentProblem_data()
{
    QTest::addColumn<QString>("problemTitle");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QStringList>("shown");
    const QStringList definition{"ORV problem description", "Min\tZ1 = MISSING ARGUMENT"};
    QTest::newRow("title and description") << "Largest energy" << "trees only"
                                           << QStringList{"Largest energy", "trees only"} + definition;
    QTest::newRow("no title") << "" << "trees only" << QStringList{"trees only"} + definition;
    QTest::newRow("nothing given") << "" << "" << definition;
}

void TestReport::currentProblem()
{
    QFETCH(QString, problemTitle);
    QFETCH(QString, description);
    QFETCH(QStringList, shown);
    Fixture f;
    f.problem.addZItem(new Z(false));
    f.problem.slot_set_title(problemTitle);
    f.problem.slot_set_description(description);
    f.box("Current problem")->click();
    QCOMPARE(f.blocks(), (QStringList{title, "Current problem"} + shown));

    // Every refresh reads the board again.
    f.problem.slot_set_title("Smallest diameter");
    f.press("Refresh");
    QCOMPARE(f.blocks().value(2), QString("Smallest diameter"));
}

void TestReport::conjectures()
{
    Fixture f;
    f.box("Graph conjectures")->click();
    f.box("Vertex conjectures")->click();
    QCOMPARE(f.blocks(), (QStringList{title, "Graph conjectures", "Vertex conjectures"}));

    QString found = "W >= 2 n - 3\n";
    f.report.setConjectureSources([&found] { return found; }, [] { return QString("deg <= n - 1\n"); });
    f.press("Refresh");
    QCOMPARE(f.blocks(), (QStringList{title, "Graph conjectures", "W >= 2 n - 3", "Vertex conjectures",
                                      "deg <= n - 1"}));
    found = "D <= n - 1\n";
    f.press("Refresh");
    QCOMPARE(f.blocks().value(2), QString("D <= n - 1"));
}

void TestReport::editsLastUntilRefresh()
{
    Fixture f;
    f.press("Refresh");
    auto *edit = f.report.findChild<QTextEdit *>();
    QVERIFY(!edit->isReadOnly());
    edit->moveCursor(QTextCursor::End);
    edit->insertPlainText(" amended");
    const QStringList amended{title, " amended"};
    QCOMPARE(f.blocks(), amended);
    f.report.show();
    f.press("Quit");
    QVERIFY(!f.report.isVisible());
    QCOMPARE(f.blocks(), amended); // hidden, not rebuilt
    f.press("Refresh");
    QCOMPARE(f.blocks(), QStringList{title});
}

void TestReport::print_data()
{
    QTest::addColumn<bool>("accept");
    QTest::newRow("printed") << true;
    QTest::newRow("dialog refused") << false;
}

void TestReport::print()
{
    QFETCH(bool, accept);
    QTemporaryDir dir;
    if (qEnvironmentVariableIsSet("ORV_KEEP_TEST_OUTPUT")) {
        dir.setAutoRemove(false);
        qInfo("output kept in %s", qPrintable(dir.path()));
    }
    Fixture f;
    for (const char *label : {"Introduction to ORV", "Problem definition", "References"})
        f.box(label)->click();
    ScriptedDialogs dialogs;
    dialogs.acceptPrint = accept;
    dialogs.printFile = dir.filePath("report.pdf");
    f.press("Print");
    QCOMPARE(dialogs.kinds(), QStringList{"print"});
    QFile pdf(dialogs.printFile);
    QCOMPARE(pdf.exists(), accept);
    if (!accept)
        return;
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.read(4) == "%PDF");

    const QString pdftoppm = QStandardPaths::findExecutable("pdftoppm");
    if (pdftoppm.isEmpty())
        QSKIP("pdftoppm is not installed: the printed file is not rendered");
    QCOMPARE(QProcess::execute(pdftoppm, {"-png", "-r", "40", "-f", "1", "-l", "1", pdf.fileName(),
                                          dir.filePath("page")}),
             0);
    const QStringList pages = QDir(dir.path()).entryList({"page*.png"});
    QCOMPARE(pages.size(), 1);
    const QImage page(dir.filePath(pages[0]));
    QVERIFY(!page.isNull());
    int dark = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            dark += qGray(page.pixel(x, y)) < 128;
    QVERIFY(dark > 100); // the page carries print
}

QTEST_MAIN(TestReport)
#include "tst_report.moc"
