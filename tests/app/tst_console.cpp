#include "app/Console.h"
#include "app/PreferenceWindow.h"

#include <QCheckBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QtTest>

// The message log's display rule, and the preferences page that only passes clicks on.
class TestConsole : public QObject
{
    Q_OBJECT

    static QColor colourOfLine(const Console &console, int line)
    {
        QTextCursor c(console.log()->document()->findBlockByNumber(line));
        c.movePosition(QTextCursor::EndOfBlock);
        return c.charFormat().foreground().color();
    }

private slots:
    void displayRule_data();
    void displayRule();
    void droppedLinesStayDroppedAndClearEmpties();
    void linesArePlainTextInTheirOwnColour();
    void oldestLinesGoPastTheLimit();
    void preferencesPassClicksOnOnly();
};

void TestConsole::displayRule_data()
{
    QTest::addColumn<bool>("debugTicked");
    QTest::addColumn<int>("verbose");
    QTest::addColumn<bool>("debug");
    QTest::addColumn<int>("level");
    QTest::addColumn<bool>("shown");
    QTest::newRow("plain line at start") << false << 0 << false << 0 << true;
    QTest::newRow("negative level") << false << 0 << false << -1 << true;
    QTest::newRow("debug line at start") << false << 0 << true << 0 << false;
    QTest::newRow("debug line, Debug ticked") << true << 0 << true << 0 << true;
    QTest::newRow("level 1 at start") << false << 0 << false << 1 << false;
    QTest::newRow("level 1, Verbose 1") << false << 1 << false << 1 << true;
    QTest::newRow("level 3, Verbose 2") << false << 2 << false << 3 << false;
    QTest::newRow("level 3, Verbose 6") << false << 6 << false << 3 << true;
    QTest::newRow("debug level 2, Verbose 2, Debug off") << false << 2 << true << 2 << false;
    QTest::newRow("debug level 2, Verbose 2, Debug on") << true << 2 << true << 2 << true;
    QTest::newRow("level 6, Verbose 6") << false << 6 << false << 6 << true;
    QTest::newRow("level 7, Verbose 6") << false << 6 << false << 7 << false;
    QTest::newRow("debug negative level, Debug off") << false << 6 << true << -1 << false;
}

void TestConsole::displayRule()
{
    QFETCH(bool, debugTicked);
    QFETCH(int, verbose);
    QFETCH(bool, debug);
    QFETCH(int, level);
    QFETCH(bool, shown);
    // Both forms follow the same rule, whatever the worker number.
    for (int thread = -1; thread < 4; ++thread) {
        Console console;
        QVERIFY(!console.debugBox()->isChecked());
        QCOMPARE(console.verboseBox()->value(), 0);
        QCOMPARE(console.verboseBox()->maximum(), 6);
        console.debugBox()->setChecked(debugTicked);
        console.verboseBox()->setValue(verbose);
        if (thread < 0)
            console.append("line", debug, level, Qt::darkGreen);
        else
            console.append("line", debug, level, Qt::darkGreen, thread);
        QCOMPARE(console.log()->toPlainText(), shown ? QString("line") : QString());
        if (shown)
            QCOMPARE(colourOfLine(console, 0), QColor(Qt::darkGreen));
    }
}

void TestConsole::droppedLinesStayDroppedAndClearEmpties()
{
    Console console;
    console.append("first", false, 0, Qt::black);
    console.append("too detailed", false, 1, Qt::gray);
    console.verboseBox()->setValue(1);
    console.append("second", false, 1, Qt::red);
    QCOMPARE(console.log()->toPlainText(), "first\nsecond");
    console.findChild<QPushButton *>()->click();
    QCOMPARE(console.log()->toPlainText(), QString());
    QCOMPARE(console.verboseBox()->value(), 1);
    console.append("again", false, 0, Qt::black);
    QCOMPARE(console.log()->toPlainText(), "again");
}

void TestConsole::linesArePlainTextInTheirOwnColour()
{
    Console console;
    const QStringList lines = {"<b>bold</b> &amp; <i>", "ORDER < 5 && SIZE > 3", "6 101001011110110"};
    const QList<QColor> colours = {Qt::red, Qt::blue, Qt::black};
    for (int i = 0; i < lines.size(); ++i)
        console.append(lines[i], false, 0, colours[i]);
    QCOMPARE(console.log()->toPlainText(), lines.join('\n'));
    for (int i = 0; i < lines.size(); ++i)
        QCOMPARE(colourOfLine(console, i), colours[i]);
}

void TestConsole::oldestLinesGoPastTheLimit()
{
    QVERIFY(Console::MaxLines >= 10000);
    Console console;
    const int extra = 7;
    for (int i = 0; i < Console::MaxLines + extra; ++i)
        console.append("line " + QString::number(i), false, 0, Qt::black, i % 4);
    const QTextDocument *log = console.log()->document();
    QCOMPARE(log->blockCount(), Console::MaxLines);
    QCOMPARE(log->firstBlock().text(), "line " + QString::number(extra));
    QCOMPARE(log->lastBlock().text(), "line " + QString::number(Console::MaxLines + extra - 1));
}

void TestConsole::preferencesPassClicksOnOnly()
{
    PreferenceWindow page;
    QSignalSpy reload(&page, &PreferenceWindow::signal_set_reload);
    QSignalSpy ask(&page, &PreferenceWindow::signal_set_ask_update);
    QSignalSpy wd(&page, &PreferenceWindow::signal_change_wd);
    QSignalSpy media(&page, &PreferenceWindow::signal_change_media_dir);
    QVERIFY(!page.reloadBox()->isChecked() && !page.ignoreUpdatesBox()->isChecked());

    page.slot_reload(true);
    page.slot_ask_update(true);
    QVERIFY(page.reloadBox()->isChecked() && page.ignoreUpdatesBox()->isChecked());
    QCOMPARE(reload.count() + ask.count(), 0);

    page.reloadBox()->click();
    page.ignoreUpdatesBox()->click();
    page.ignoreUpdatesBox()->click();
    QCOMPARE(reload.count(), 1);
    QCOMPARE(reload.first().first().toBool(), false);
    QCOMPARE(ask.count(), 2);
    QCOMPARE(ask.at(1).first().toBool(), true);
    for (QPushButton *b : page.findChildren<QPushButton *>())
        b->click();
    QCOMPARE(wd.count(), 1);
    QCOMPARE(media.count(), 1);
}

QTEST_MAIN(TestConsole)
#include "tst_console.moc"
