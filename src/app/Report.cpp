#include "app/Report.h"

#include "dialogs/DialogProvider.h"
#include "files/PdfFile.h"
#include "calculus/BuildCalculus.h"
#include "graph/Graph.h"
#include "problem/Problem.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QPrinter>
#include <QPushButton>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextOption>
#include <QWidget>

namespace {
const char *introduction =
    "Orvalith is a research tool for extremal graph theory. It searches for extremal graphs: graphs "
    "that minimise or maximise a graph invariant, or a function of several invariants, over graphs of "
    "a given order, possibly under constraints. Looking at the graphs found, and at the values that "
    "they reach, suggests structural results and conjectures, which the results explorer helps to "
    "state as linear bounds between invariants. This version sets most optimisation parameters "
    "itself; offers predefined constraints such as bounds on the maximum degree and on the diameter; "
    "uses dedicated moves that keep a graph regular when the problem asks for regular graphs; handles "
    "two objectives either as a Pareto set or as a main criterion and a tie-breaking one; treats "
    "constraints in lexicographic order, violations first, instead of adding penalties to the "
    "objective; and keeps a set of non-dominated solutions instead of a single current solution.";

const char *closingLine = "The project's documentation page is named in the README file that comes with this version.";

const char *problemDefinition =
    "A problem is drawn on the white board. Items are placed on it from the box on its left: "
    "invariants, operators, constraints, families and constants, each chosen by its name.\n"
    "To make one item an argument of another, select both (a selected item is shown in dark blue) "
    "and press the key 1, 2, 3 or 4: the lower item becomes the first, second, third or fourth "
    "argument of the upper one. Each argument number has its own link colour, so the arrows show "
    "at a glance which argument is which.\n"
    "The items lie in three stacks. Invariants take no arguments and stand at the bottom; operators "
    "combine the values below them; statistics and constraints stand on top and are arguments of "
    "nothing. The objective items stand above all others and cannot be removed. Within its stack, "
    "an item's height follows the order in which the items were added.\n"
    "The picture below shows a problem drawn on the board.\n";

const char *invariantsText =
    "The word \"invariant\" is used here in a loose sense. A value such as the diameter is the same "
    "for any two isomorphic graphs, but a vector or a matrix depends on the labelling of the vertices, "
    "and may differ between two isomorphic graphs.\n"
    "This section has four subsections: \"Values\", \"Vectors\", \"Matrices\" and \"Families\".\n"
    "\"Values\" lists the invariants whose result is a single number for the whole graph.\n"
    "\"Vectors\" lists the invariants that give one number per vertex, and \"Matrices\" those that give "
    "one number per pair of vertices.\n"
    "\"Families\" lists the tests of membership in a family of graphs, such as trees or paths.\n"
    "A family's value is 1 when the graph belongs to the family and 0 otherwise; families describe "
    "the graphs found and are not used as optimisation criteria.";

const char *referencesIntro =
    "The methods of this system rest on the literature of graph theory, of spectral graph theory and "
    "of variable neighbourhood search, of which the following works give an account.";

// Standard works, cited by title so that the report names no person.
const char *references[] = {
    "[1] <i>Graph Theory</i>, <i>Graduate Texts in Mathematics</i>, vol. <b>244</b>, Springer, 2008.",
    "[2] <i>Graphs and Hypergraphs</i>, <i>North-Holland Mathematical Library</i>, vol. <b>6</b>, "
    "North-Holland, 1973.",
    "[3] <i>An Introduction to the Theory of Graph Spectra</i>, <i>London Mathematical Society Student "
    "Texts</i>, vol. <b>75</b>, Cambridge University Press, 2010.",
    "[4] <i>Spectra of Graphs</i>, <i>Universitext</i>, Springer, 2012.",
    "[5] Variable neighborhood search, <i>Computers &amp; Operations Research</i> <b>24</b> (1997) 1097-1100.",
    "[6] Variable neighborhood search: principles and applications, <i>European Journal of Operational "
    "Research</i> <b>130</b> (2001) 449-467.",
    "[7] <i>Handbook of Molecular Descriptors</i>, <i>Methods and Principles in Medicinal Chemistry</i>, "
    "vol. <b>11</b>, Wiley-VCH, 2000.",
};

QCheckBox *box(QGridLayout *grid, const QString &label, int row, int column)
{
    auto *b = new QCheckBox(label);
    grid->addWidget(b, row, column, 1, 3, Qt::AlignLeft);
    return b;
}
} // namespace

Report::Report(Problem *problem, BuildCalculus *build)
    : text_edit(new QTextEdit), bt_print(new QPushButton("Print")), bt_quit(new QPushButton("Quit")),
      bt_refresh(new QPushButton("Refresh")), build_calculus(build), problem(problem)
{
    setWindowTitle("ORV-III Report");
    setModal(false);

    auto *panel = new QWidget;
    auto *boxes = new QGridLayout(panel);
    cb_introduction = box(boxes, "Introduction to ORV", 0, 0);
    cb_technical = box(boxes, "Technical information", 1, 1);
    cb_problem_definition = box(boxes, "Problem definition", 2, 0);
    cb_invariants = box(boxes, "Invariants", 3, 1);
    cb_values = box(boxes, "Values", 4, 2);
    cb_vectors = box(boxes, "Vectors", 5, 2);
    cb_matrices = box(boxes, "Matrices", 6, 2);
    cb_families = box(boxes, "Families", 7, 2);
    cb_operators = box(boxes, "Operators", 8, 1);
    cb_constraints = box(boxes, "Constraints", 9, 1);
    cb_visualization = box(boxes, "Graph visualization", 10, 0);
    cb_current_problem = box(boxes, "Current problem", 11, 0);
    cb_graph_conjectures = box(boxes, "Graph conjectures", 12, 0);
    cb_vertex_conjectures = box(boxes, "Vertex conjectures", 13, 0);
    cb_references = box(boxes, "References", 14, 0);

    auto *grid = new QGridLayout(this);
    grid->addWidget(panel, 0, 0, 2, 1);
    grid->addWidget(bt_print, 0, 1);
    grid->addWidget(bt_refresh, 0, 2);
    grid->addWidget(bt_quit, 0, 3);
    grid->addWidget(text_edit, 1, 1, 1, 3);

    text_edit->setMinimumWidth(610);
    text_edit->setMinimumHeight(400);
    text_edit->setLineWrapMode(QTextEdit::FixedPixelWidth);
    text_edit->setLineWrapColumnOrWidth(600);
    text_edit->setWordWrapMode(QTextOption::WordWrap);
    QTextOption option = text_edit->document()->defaultTextOption();
    option.setAlignment(Qt::AlignJustify);
    text_edit->document()->setDefaultTextOption(option);
    text_edit->setReadOnly(false);

    connect(bt_quit, &QPushButton::clicked, this, &QDialog::hide);
    connect(bt_refresh, &QPushButton::clicked, this, &Report::slot_update);
    connect(bt_print, &QPushButton::clicked, this, &Report::slot_print);

    // The ticking rules come before the refresh, so a refresh shows the children's new state.
    // Setting a box does not emit its clicked(), so the rules do not chain.
    const auto ticks = [](QCheckBox *parent, std::initializer_list<QCheckBox *> children) {
        for (QCheckBox *child : children)
            connect(parent, &QCheckBox::clicked, child, &QCheckBox::setChecked);
    };
    ticks(cb_introduction, {cb_technical});
    ticks(cb_invariants, {cb_values, cb_vectors, cb_matrices, cb_families});
    ticks(cb_problem_definition,
          {cb_values, cb_vectors, cb_matrices, cb_families, cb_invariants, cb_operators, cb_constraints});

    for (QCheckBox *b : {cb_introduction, cb_technical, cb_problem_definition, cb_invariants, cb_values, cb_vectors,
                         cb_matrices, cb_families, cb_operators, cb_constraints, cb_visualization,
                         cb_current_problem, cb_graph_conjectures, cb_vertex_conjectures, cb_references})
        connect(b, &QCheckBox::clicked, this, &Report::slot_update);
}

void Report::setConjectureSources(ConjectureSource graphValues, ConjectureSource vertexValues)
{
    conjectures_g = std::move(graphValues);
    conjectures_v = std::move(vertexValues);
}

void Report::setFormat(int size, bool bold, bool italic, Qt::GlobalColor colour)
{
    text_edit->setFontFamily("Times");
    text_edit->setFontPointSize(size);
    text_edit->setFontWeight(bold ? QFont::Bold : QFont::Normal);
    text_edit->setFontItalic(italic);
    text_edit->setTextColor(colour);
}

void Report::add(const QString &text)
{
    text_edit->append(text);
}

void Report::addHtml(const QString &html)
{
    text_edit->moveCursor(QTextCursor::End);
    text_edit->insertHtml(html);
}

void Report::slot_update()
{
    const auto heading = [this](const QString &text) {
        setFormat(24, true, false, Qt::black);
        add(text);
    };
    const auto subHeading = [this](const QString &text, bool italic) {
        setFormat(18, true, italic, Qt::black);
        add(text);
    };
    const auto body = [this](const QString &text) {
        setFormat(12, false, false, Qt::black);
        add(text);
    };
    const auto problemTitle = [this](const QString &text) {
        setFormat(24, false, false, Qt::black);
        add(text);
    };

    text_edit->clear();
    text_edit->setFontFamily("Times");
    setFormat(36, true, false, Qt::black);
    add("Orvalith-III Documentation\n");

    if (cb_introduction->isChecked()) {
        heading("Introduction to ORV\n");
        body(introduction);
        setFormat(12, true, false, Qt::blue);
        add(closingLine);
        body("\n");
    }
    if (cb_technical->isChecked()) {
        subHeading("Technical description of this version\n", false);
        body("This is Orvalith-III\n");
        body("Version 3.0.26");
        body("Compiled for " + QString::number(Graph::MaxNodes) + " vertices.");
        body("Support for threads enabled up to " + QString::number(searchThreads) + " threads");
        body("\n");
    }
    if (cb_problem_definition->isChecked()) {
        heading("\nProblem definition\n");
        body(problemDefinition);
        // The picture's paragraph is centred; what follows is justified again.
        text_edit->moveCursor(QTextCursor::End);
        text_edit->setAlignment(Qt::AlignHCenter);
        addHtml("<p align=\"center\"><img src=\":/src/images/print_screen_problem.png\" width=\"500\"></p><br>");
        text_edit->setAlignment(Qt::AlignJustify);
    }
    if (cb_invariants->isChecked()) {
        subHeading("Invariants\n", true);
        body(invariantsText);
    }
    const struct {
        QCheckBox *box;
        const char *title;
        const char *category;
    } categories[] = {{cb_values, "Values", "InvariantsVal"},
                      {cb_vectors, "Vectors", "InvariantsVec"},
                      {cb_matrices, "Matrices", "InvariantsMat"},
                      {cb_families, "Families", "InvariantsFam"}};
    for (const auto &c : categories) {
        if (!c.box->isChecked())
            continue;
        setFormat(16, true, true, Qt::blue);
        add(c.title);
        body(build_calculus->Documentation(c.category));
    }
    if (cb_operators->isChecked()) {
        subHeading("Operators\n", true);
        body(build_calculus->Documentation("Operators"));
    }
    if (cb_constraints->isChecked()) {
        subHeading("Constraints\n", true);
        body(build_calculus->Documentation("Constraints"));
    }
    if (cb_visualization->isChecked())
        heading("Graph visualization\n");
    if (cb_current_problem->isChecked()) {
        heading("Current problem\n");
        const QString title = problem->userTitle();
        if (!title.isEmpty())
            problemTitle(title + "\n");
        body(problem->userDescription() + "\n");
        problemTitle("ORV problem description\n");
        body(problem->algDefinition());
    }
    if (cb_graph_conjectures->isChecked()) {
        heading("Graph conjectures\n");
        body(conjectures_g ? conjectures_g() : QString());
    }
    if (cb_vertex_conjectures->isChecked()) {
        heading("Vertex conjectures\n");
        body(conjectures_v ? conjectures_v() : QString());
    }
    if (cb_references->isChecked()) {
        heading("References\n");
        setFormat(12, false, false, Qt::black);
        const QString paragraph = "<p style=\"font-family: times, serif\">%1</p>";
        addHtml(paragraph.arg(QString(referencesIntro) + "<br><br>"));
        for (const char *entry : references)
            addHtml(paragraph.arg(QString(entry) + "<br>"));
    }
}

void Report::slot_print()
{
    QPrinter printer(QPrinter::HighResolution);
    if (!DialogProvider::instance()->print(&printer, nullptr))
        return;
    QString why;
    const auto print = [this](QPrinter *p) {
        text_edit->document()->print(p);
        return true;
    };
    if (!PdfFile::print(&printer, print, &why))
        DialogProvider::instance()->warning(this, "Warning", "Failed to print the report.\n" + why);
}
