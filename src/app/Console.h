#ifndef CONSOLE_H
#define CONSOLE_H

#include <QColor>
#include <QString>
#include <QWidget>

class QCheckBox;
class QSpinBox;
class QTextEdit;

// The message log. Every object that reports what it does sends its lines here; a line that
// the "Debug" box or the "Verbose" level filters out is dropped, not kept for later.
class Console : public QWidget
{
    Q_OBJECT

public:
    // Lines kept; past it the oldest go.
    static constexpr int MaxLines = 10000;

    Console();

    QTextEdit *log() const { return te_log; }
    QCheckBox *debugBox() const { return cb_debug; }
    QSpinBox *verboseBox() const { return sb_verbose; }

public slots:
    void append(QString text, bool debug, int level, QColor colour);
    // Lines of the optimiser's workers; the worker number does not change what shows.
    void append(QString text, bool debug, int level, QColor colour, int thread);

private:
    QTextEdit *te_log;
    QCheckBox *cb_debug;
    QSpinBox *sb_verbose;
};

#endif
