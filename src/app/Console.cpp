#include "app/Console.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

Console::Console()
    : te_log(new QTextEdit(this)), cb_debug(new QCheckBox("Debug", this)), sb_verbose(new QSpinBox(this))
{
    te_log->setReadOnly(true);
    // The oldest lines go first: a long run must not grow the log without end.
    te_log->document()->setMaximumBlockCount(MaxLines);
    sb_verbose->setRange(0, 6);
    sb_verbose->setValue(0);
    auto *clear = new QPushButton("Clear", this);
    auto *grid = new QGridLayout(this);
    grid->addWidget(te_log, 0, 0, 1, 6);
    grid->addWidget(cb_debug, 1, 0);
    grid->addWidget(new QLabel("Verbose", this), 1, 1);
    grid->addWidget(sb_verbose, 1, 2);
    grid->addWidget(clear, 1, 5);
    connect(clear, &QPushButton::clicked, te_log, &QTextEdit::clear);
}

void Console::append(QString text, bool debug, int level, QColor colour)
{
    if (debug && !cb_debug->isChecked())
        return;
    if (sb_verbose->value() < level)
        return;
    // Plain text, whatever the line looks like: a graph text or a formula with "<" is not
    // markup. The view follows the end only when it was there already.
    QScrollBar *bar = te_log->verticalScrollBar();
    const bool atEnd = bar->value() == bar->maximum();
    QTextCursor end(te_log->document());
    end.movePosition(QTextCursor::End);
    QTextCharFormat format;
    format.setForeground(colour);
    if (!te_log->document()->isEmpty())
        end.insertBlock();
    end.insertText(text, format);
    if (atEnd)
        bar->setValue(bar->maximum());
}

void Console::append(QString text, bool debug, int level, QColor colour, int)
{
    append(text, debug, level, colour);
}
