#ifndef CALCULUSDISPLAY_H
#define CALCULUSDISPLAY_H

#include <QDialog>
#include <QString>
#include <QVector>
#include <atomic>

class Graph;
class QButtonGroup;
class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QTableWidget;

// The property window of one white-board item: its value as a table, its given name, the
// report options for the results explorer and the complement option.
//
// The dialog is a widget and lives in the GUI thread. Items computed in other threads read
// the state of the option boxes through atomic mirrors that the boxes keep up to date, so
// the getters of the report options may be called from any thread.
class CalculusDisplay : public QDialog
{
    Q_OBJECT

public:
    CalculusDisplay(QString name, QString description);
    // Builds no widgets; for derived dialogs that lay out their own pages.
    CalculusDisplay();
    ~CalculusDisplay() override;

    virtual bool clone();
    virtual void setNbRows(int r);
    virtual void setNbColumns(int c);
    virtual void setValues(const QVector<QVector<double>> &m, int rows, int cols);
    virtual void setObjMin(bool on);
    virtual bool getObjMin();
    virtual void setObjMax(bool on);
    virtual bool getObjMax();
    virtual QVector<QVector<double>> &getM();
    virtual void setGraph(Graph *g);
    virtual void loadData(int rows, int cols, QVector<double> values);

    // Report options; the getters read the mirrors and are safe in any thread.
    bool inReport() const { return mInReport.load(std::memory_order_relaxed); }
    bool invertGraph() const { return mInvert.load(std::memory_order_relaxed); }
    bool graphInReport() const { return mGraph.load(std::memory_order_relaxed); }
    bool nodInReport() const { return mNode.load(std::memory_order_relaxed); }
    bool vecInReport() const { return mVector.load(std::memory_order_relaxed); }
    void setInReport(bool b);
    void setGraphInReport(bool b);
    void setNodInReport(bool b);
    void setVecInReport(bool b);
    void setInvertGraph(bool b);
    void enableReport(bool b);
    void enableNatureInReport(bool b);
    void enableInvertGraph(bool b);
    void disconnectReport();

    QString givenName();
    void setGivenName(QString text);
    void setTitle(QString text);
    QString getTitle() const { return title; }
    int getNbRows() const { return nbRows; }
    int getNbCols() const { return nbCols; }
    double getValue() const { return matrix[0][0]; }
    void setDescription(QString text) { description = text; }
    QString getDescription() const { return description; }
    Graph *getGraph() const { return graph; }

    // The widgets, for the owning item's painting and for tests.
    QCheckBox *reportBox() const { return cbReport; }
    QCheckBox *invertBox() const { return cbInvert; }
    QCheckBox *graphBox() const { return cbGraph; }
    QCheckBox *nodeBox() const { return cbNode; }
    QCheckBox *vectorBox() const { return cbVector; }
    QLineEdit *nameEdit() const { return leName; }
    QLabel *titleLabel() const { return lbTitle; }
    QLabel *givenNameLabel() const { return lbGivenName; }
    QTableWidget *table() const { return tableWidget; }

signals:
    void signal_refresh();

protected slots:
    virtual void slot_apply();
    void slot_refresh();

protected:
    // Creates the option boxes and the name edit, connected to their mirrors, the label
    // and the coupling of "Insert in explorer"; each dialog places them on its own pages.
    void buildSettingsWidgets(const QString &invertText, const QString &nodeText);

    QString title;
    QString description;
    QLabel *lbTitle = nullptr;
    QLineEdit *leName = nullptr;
    QCheckBox *cbReport = nullptr;
    QCheckBox *cbInvert = nullptr;
    QCheckBox *cbNode = nullptr;
    QCheckBox *cbVector = nullptr;
    QCheckBox *cbGraph = nullptr;
    QTableWidget *tableWidget = nullptr;
    QVector<QVector<double>> matrix;
    int nbRows = 0;
    int nbCols = 0;
    Graph *graph = nullptr;
    QGridLayout *resultsGrid = nullptr;
    QGridLayout *settingsGrid = nullptr;
    QLabel *lbGivenName = nullptr;

private:
    void syncMirrors();

    QButtonGroup *natureGroup = nullptr;
    QMetaObject::Connection reportCoupling;
    std::atomic<bool> mInReport{false};
    std::atomic<bool> mInvert{false};
    std::atomic<bool> mGraph{false};
    std::atomic<bool> mNode{false};
    std::atomic<bool> mVector{false};
};

#endif
