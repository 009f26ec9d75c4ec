// Every PDF the system writes replaces the old file only once whole: under a file-size limit
// (what a full disk looks like) each one fails with a reason and leaves the old file as it was.
#include "ExplorerSides.h"
#include "ScriptedDialogs.h"
#include "TestFiles.h"
#include "app/Report.h"
#include "explorer/PlotWidget.h"
#include "files/PdfFile.h"

#include <QCheckBox>
#include <QDir>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

namespace {
using testfiles::FileSizeLimit;
using testfiles::readAll;
using testfiles::writeAll;

const QByteArray OldFile = "%PDF-1.4 the old file\n%%EOF\n";

// Writes a PDF at the path through one of the system's commands; false with the reason.
using Export = std::function<bool(const QString &path, QString *why)>;

// The reason shown by the one warning box a dialog-driven command gave, or "" without one.
QString warned(const ScriptedDialogs &dialogs)
{
    for (const ScriptedDialogs::Call &c : dialogs.calls)
        if (c.kind == "warning")
            return c.text;
    return QString();
}

// The print dialog of a view or of the report, sent to a PDF file by the user.
Export throughPrintDialog(const std::function<void()> &print)
{
    return [print](const QString &path, QString *why) {
        ScriptedDialogs dialogs;
        dialogs.acceptPrint = true;
        dialogs.printFile = path;
        print();
        *why = warned(dialogs);
        return why->isEmpty();
    };
}

// The fixtures behind the exports, made once for the whole test.
struct Sources {
    Graph graph{"graph", true};
    Problem problem{&graph, "problem", true};
    BuildCalculus build;
    Report report{&problem, &build};
    Analyst table;
    PlotWidget plot;
    ExplorerSides explorer{{"ORDER"}};

    Sources()
    {
        graph.loadorv("5 1101101011", true);
        table.setHeader({"X", "Y"});
        table.push_back({3, 4}, 0);
        table.push_back({5, 1}, 1);
        table.buildTable();
        plot.fill(&table, 1, 2, 10, 10, 20);
        explorer.add("6 101010101010101");
        for (QCheckBox *b : report.findChildren<QCheckBox *>())
            if (b->text() == "Introduction to ORV")
                b->click();
    }

    Export get(const QString &name)
    {
        if (name == "graph to file")
            return [this](const QString &path, QString *why) { return graph.printToFile(path, why); };
        if (name == "plot to file")
            return [this](const QString &path, QString *why) { return plot.printToFile(path, why); };
        if (name == "graph print dialog")
            return throughPrintDialog([this] { graph.slot_print(); });
        if (name == "plot print dialog")
            return throughPrintDialog([this] { plot.slot_print(); });
        if (name == "board print dialog")
            return throughPrintDialog([this] { problem.slot_print(); });
        if (name == "report")
            return throughPrintDialog([this] {
                for (QPushButton *b : report.findChildren<QPushButton *>())
                    if (b->text() == "Print")
                        b->click();
            });
        // The explorer's drawings: a chosen name run.pdf gives run1.pdf for the one graph.
        return [this](const QString &path, QString *why) {
            ScriptedDialogs dialogs;
            dialogs.fileNames << QFileInfo(path).absolutePath() + "/run.pdf";
            explorer.g->slot_save_graphs_pdf();
            if (!QTest::qWaitFor([this] { return !explorer.g->pdfExportRunning(); }, 60000))
                return false;
            *why = warned(dialogs);
            return why->isEmpty();
        };
    }
};
} // namespace

class TestPdfFile : public QObject
{
    Q_OBJECT

    std::unique_ptr<Sources> sources;

private slots:
    void initTestCase() { sources.reset(new Sources); }
    void cleanupTestCase() { sources.reset(); }

    void replacesOnlyWhenWhole_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<bool>("limited");
        for (const char *source : {"graph to file", "plot to file", "explorer drawings", "report",
                                   "graph print dialog", "plot print dialog", "board print dialog"}) {
            QTest::addRow("%s, disk full", source) << source << true;
            QTest::addRow("%s", source) << source << false;
        }
    }
    void replacesOnlyWhenWhole()
    {
        QFETCH(QString, source);
        QFETCH(bool, limited);
        QTemporaryDir dir;
        const QString path = dir.filePath("run1.pdf");
        writeAll(path, OldFile);
        const Export write = sources->get(source);
        QString why;
        bool ok = false;
        {
            std::unique_ptr<FileSizeLimit> limit(limited ? new FileSizeLimit(64) : nullptr);
            ok = write(path, &why);
        }
        QCOMPARE(ok, !limited);
        QCOMPARE(why.isEmpty(), !limited);
        if (limited) {
            QVERIFY2(why.contains("incomplete"), qPrintable(why));
            QCOMPARE(readAll(path), OldFile);
        } else {
            QVERIFY(readAll(path).startsWith("%PDF-"));
            QVERIFY(readAll(path).size() > OldFile.size());
            QVERIFY2(PdfFile::complete(path, &why), qPrintable(why));
        }
        // Nothing beside it: the temporary file went away or became the new file.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System), QStringList{"run1.pdf"});
    }

    // The check that catches what the writer does not report: a file that lost bytes anywhere.
    void completeness_data()
    {
        // Where a block is cut out, as a fraction of the file, and how long it is (-1: the rest).
        QTest::addColumn<double>("cutAt");
        QTest::addColumn<int>("cutLength");
        QTest::addColumn<bool>("whole");
        QTest::newRow("as written") << 0.0 << 0 << true;
        QTest::newRow("first half only") << 0.5 << -1 << false;
        QTest::newRow("last byte of the trailer lost") << 1.0 << -1 << false;
        // The tail survived, but bytes before it went missing: the trailer no longer finds
        // its cross-reference table.
        QTest::newRow("a block lost in the middle") << 0.3 << 100 << false;
        QTest::newRow("one byte lost in the middle") << 0.6 << 1 << false;
    }
    void completeness()
    {
        QFETCH(double, cutAt);
        QFETCH(int, cutLength);
        QFETCH(bool, whole);
        QTemporaryDir dir;
        const QString path = dir.filePath("g.pdf");
        QVERIFY(sources->graph.printToFile(path));
        QByteArray bytes = readAll(path);
        QVERIFY(bytes.endsWith("%%EOF\n"));
        const int at = qMin(int(cutAt * bytes.size()), bytes.size() - 2);
        if (cutLength != 0)
            bytes.remove(at, cutLength < 0 ? bytes.size() : cutLength);
        writeAll(path, bytes);
        QString why;
        QCOMPARE(PdfFile::complete(path, &why), whole);
        QCOMPARE(why.isEmpty(), whole);
    }
};

QTEST_MAIN(TestPdfFile)
#include "tst_pdffile.moc"
