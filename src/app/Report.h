#ifndef REPORT_H
#define REPORT_H

#include <QDialog>
#include <QString>

#include <functional>

class BuildCalculus;
class Problem;
class QCheckBox;
class QPushButton;
class QTextEdit;

// The documentation and problem report: the user ticks sections, the dialog assembles them into
// an editable text (fixed prose, the vocabulary's documentation, the board's problem and the
// conjectures found), and prints it. Every refresh reads its sources again; nothing is cached.
class Report : public QDialog
{
    Q_OBJECT

public:
    Report(Problem *problem, BuildCalculus *build);

    // The texts of the conjectures found on graph values and on vertex values; until they are
    // given, both sections stay empty.
    using ConjectureSource = std::function<QString()>;
    void setConjectureSources(ConjectureSource graphValues, ConjectureSource vertexValues);

    // The search's worker threads, as the technical section states them.
    static constexpr int searchThreads = 4;

public slots:
    void slot_update();
    void slot_print();

private:
    void setFormat(int size, bool bold, bool italic, Qt::GlobalColor colour);
    void add(const QString &text);
    void addHtml(const QString &html);

    QTextEdit *text_edit;
    QPushButton *bt_print;
    QPushButton *bt_quit;
    QPushButton *bt_refresh;
    BuildCalculus *build_calculus;
    Problem *problem;
    QCheckBox *cb_introduction;
    QCheckBox *cb_technical;
    QCheckBox *cb_problem_definition;
    QCheckBox *cb_invariants;
    QCheckBox *cb_values;
    QCheckBox *cb_vectors;
    QCheckBox *cb_matrices;
    QCheckBox *cb_families;
    QCheckBox *cb_operators;
    QCheckBox *cb_constraints;
    QCheckBox *cb_visualization;
    QCheckBox *cb_current_problem;
    QCheckBox *cb_graph_conjectures;
    QCheckBox *cb_vertex_conjectures;
    QCheckBox *cb_references;
    ConjectureSource conjectures_g;
    ConjectureSource conjectures_v;
};

#endif
