#include "app/Console.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTextEdit>

Console::Console()
    : te_log(new QTextEdit(this)), cb_debug(new QCheckBox("Debug", this)), sb_verbose(new QSpinBox(this))
{
    te_log->setReadOnly(true);
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
    te_log->setTextColor(colour);
    te_log->append(text);
}

void Console::append(QString text, bool debug, int level, QColor colour, int)
{
    append(text, debug, level, colour);
}
