#include "calculus/CalculusDisplay.h"

#include "graph/Graph.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextEdit>
#include <QVBoxLayout>
#include <iostream>

namespace {
QVector<QVector<double>> zeroMatrix()
{
    return QVector<QVector<double>>(32, QVector<double>(32, 0.0));
}
} // namespace

CalculusDisplay::CalculusDisplay() : QDialog(nullptr), matrix(zeroMatrix())
{
}

CalculusDisplay::CalculusDisplay(QString name, QString description_)
    : QDialog(nullptr), title(name), description(description_), matrix(zeroMatrix())
{
    setWindowTitle(tr("Item information"));
    setModal(false);

    auto *tabs = new QTabWidget(this);
    auto *mainLayout = new QVBoxLayout(this);
    mainLayout->addWidget(tabs);

    buildSettingsWidgets(tr("Complement"), tr("Node Value"));

    auto *settingsPage = new QWidget;
    settingsGrid = new QGridLayout(settingsPage);
    auto *doneSettings = new QPushButton(tr("Done"));
    settingsGrid->addWidget(cbInvert, 0, 0);
    settingsGrid->addWidget(doneSettings, 0, 1);
    settingsGrid->addWidget(new QLabel(tr("Name :")), 1, 0);
    settingsGrid->addWidget(leName, 1, 1);
    settingsGrid->addWidget(cbReport, 2, 0);
    settingsGrid->addWidget(cbGraph, 2, 1);
    settingsGrid->addWidget(cbNode, 3, 1);
    settingsGrid->addWidget(cbVector, 4, 1);
    tabs->addTab(settingsPage, tr("Settings"));

    auto *resultsPage = new QWidget;
    resultsGrid = new QGridLayout(resultsPage);
    auto *doneResults = new QPushButton(tr("Done"));
    tableWidget = new QTableWidget(0, 0);
    resultsGrid->addWidget(lbTitle, 0, 0);
    resultsGrid->addWidget(lbGivenName, 0, 1);
    resultsGrid->addWidget(doneResults, 0, 2, 1, 2);
    resultsGrid->addWidget(tableWidget, 2, 0, 1, 4);
    tabs->addTab(resultsPage, tr("Results"));

    auto *text = new QTextEdit;
    text->setReadOnly(true);
    text->setPlainText(description);
    tabs->addTab(text, tr("Description"));

    for (QPushButton *done : {doneSettings, doneResults}) {
        connect(done, &QPushButton::clicked, this, &QDialog::hide);
        connect(done, &QPushButton::clicked, this, &CalculusDisplay::slot_refresh);
    }
    connect(cbInvert, &QCheckBox::stateChanged, this, &CalculusDisplay::slot_apply);

    hide();
}

CalculusDisplay::~CalculusDisplay() = default;

void CalculusDisplay::buildSettingsWidgets(const QString &invertText, const QString &nodeText)
{
    lbTitle = new QLabel("NA");
    lbGivenName = new QLabel;
    leName = new QLineEdit;
    cbReport = new QCheckBox(tr("Insert in explorer"));
    cbInvert = new QCheckBox(invertText);
    cbNode = new QCheckBox(nodeText);
    cbVector = new QCheckBox(tr("Vector"));
    cbGraph = new QCheckBox(tr("Graph Value"));
    // Parented to the dialog so that widgets a dialog places on no page are still deleted
    // with it; placing one on a page moves it there.
    for (QWidget *w : std::initializer_list<QWidget *>{lbTitle, lbGivenName, leName, cbReport, cbInvert,
                                                      cbNode, cbVector, cbGraph})
        w->setParent(this);

    cbInvert->setEnabled(false);
    natureGroup = new QButtonGroup(this);
    natureGroup->setExclusive(true);
    for (QCheckBox *box : {cbGraph, cbNode, cbVector}) {
        natureGroup->addButton(box);
        box->setEnabled(false);
    }
    cbGraph->setChecked(true);

    connect(cbReport, &QCheckBox::toggled, this, [this](bool b) { mInReport.store(b); });
    connect(cbInvert, &QCheckBox::toggled, this, [this](bool b) { mInvert.store(b); });
    connect(cbGraph, &QCheckBox::toggled, this, [this](bool b) { mGraph.store(b); });
    connect(cbNode, &QCheckBox::toggled, this, [this](bool b) { mNode.store(b); });
    connect(cbVector, &QCheckBox::toggled, this, [this](bool b) { mVector.store(b); });
    connect(leName, &QLineEdit::textChanged, lbGivenName, &QLabel::setText);
    // Only a click couples the boxes: a tick set through setInReport leaves them as they are.
    reportCoupling = connect(cbReport, &QCheckBox::clicked, this, &CalculusDisplay::enableNatureInReport);
    syncMirrors();
}

void CalculusDisplay::syncMirrors()
{
    mInReport.store(cbReport && cbReport->isChecked());
    mInvert.store(cbInvert && cbInvert->isChecked());
    mGraph.store(cbGraph && cbGraph->isChecked());
    mNode.store(cbNode && cbNode->isChecked());
    mVector.store(cbVector && cbVector->isChecked());
}

bool CalculusDisplay::clone()
{
    return false;
}

void CalculusDisplay::setNbRows(int r)
{
    nbRows = r;
    if (tableWidget)
        tableWidget->setRowCount(r);
}

void CalculusDisplay::setNbColumns(int c)
{
    nbCols = c;
    if (tableWidget)
        tableWidget->setColumnCount(c);
}

void CalculusDisplay::setValues(const QVector<QVector<double>> &m, int rows, int cols)
{
    // The copy holds at most 32 x 32 entries, whatever the caller claims.
    rows = qBound(0, rows, 32);
    cols = qBound(0, cols, 32);
    setNbRows(rows);
    setNbColumns(cols);
    for (int i = 0; i < rows; ++i)
        for (int j = 0; j < cols; ++j) {
            const double v = m[i][j];
            matrix[i][j] = v;
            if (!tableWidget)
                continue;
            const QString text = QString::number(v, 'g', 6);
            if (QTableWidgetItem *cell = tableWidget->item(i, j))
                cell->setText(text);
            else
                tableWidget->setItem(i, j, new QTableWidgetItem(text));
        }
}

void CalculusDisplay::setObjMin(bool)
{
}

bool CalculusDisplay::getObjMin()
{
    return true;
}

void CalculusDisplay::setObjMax(bool)
{
}

bool CalculusDisplay::getObjMax()
{
    return true;
}

QVector<QVector<double>> &CalculusDisplay::getM()
{
    return matrix;
}

void CalculusDisplay::setGraph(Graph *g)
{
    graph = g;
}

void CalculusDisplay::loadData(int, int, QVector<double>)
{
}

void CalculusDisplay::slot_apply()
{
    if (graph)
        graph->changeBest();
}

void CalculusDisplay::slot_refresh()
{
    emit signal_refresh();
}

void CalculusDisplay::setInReport(bool b)
{
    if (cbReport)
        cbReport->setChecked(b);
}

void CalculusDisplay::setGraphInReport(bool b)
{
    if (cbGraph)
        cbGraph->setChecked(b);
}

void CalculusDisplay::setNodInReport(bool b)
{
    if (cbNode)
        cbNode->setChecked(b);
}

void CalculusDisplay::setVecInReport(bool b)
{
    if (cbVector)
        cbVector->setChecked(b);
}

void CalculusDisplay::setInvertGraph(bool b)
{
    if (cbInvert)
        cbInvert->setChecked(b);
}

void CalculusDisplay::enableReport(bool b)
{
    if (cbReport)
        cbReport->setEnabled(b);
}

void CalculusDisplay::enableNatureInReport(bool b)
{
    for (QCheckBox *box : {cbGraph, cbNode, cbVector})
        if (box)
            box->setEnabled(b);
}

void CalculusDisplay::enableInvertGraph(bool b)
{
    if (cbInvert)
        cbInvert->setEnabled(b);
}

void CalculusDisplay::disconnectReport()
{
    disconnect(reportCoupling);
}

QString CalculusDisplay::givenName()
{
    if (!leName) {
        std::cerr << title.toStdString() << " CalculusDisplay::givenName() => le_name not allocated" << std::endl;
        return title;
    }
    return leName->text();
}

void CalculusDisplay::setGivenName(QString text)
{
    if (leName)
        leName->setText(text);
    if (lbGivenName)
        lbGivenName->setText(text);
}

void CalculusDisplay::setTitle(QString text)
{
    title = text;
    if (lbTitle)
        lbTitle->setText(text);
}
