#ifndef CONJECTURESETTINGS_H
#define CONJECTURESETTINGS_H

#include <QStringList>
#include <QVector>
#include <QWidget>

class QButtonGroup;
class QGridLayout;
class QPushButton;
class QRadioButton;

// The window in which the user chooses, per column of an explorer table, which bounds the
// conjecture search looks for: "Lower", "Both" (the default) or "Upper".
class ConjectureSettings : public QWidget
{
    Q_OBJECT

public:
    ConjectureSettings();

    // Rebuilds one row per name, every column back on "Both".
    void setVariables(QStringList names);
    // Per column: -1 "Lower", +1 "Upper", 0 otherwise.
    QVector<int> getPatterns() const;
    QStringList getVariables() const { return names; }

private:
    QStringList names;
    QVector<QRadioButton *> lowerButtons;
    QVector<QRadioButton *> bothButtons;
    QVector<QRadioButton *> upperButtons;
    QVector<QButtonGroup *> groups;
    QGridLayout *grid;
    QVector<QWidget *> rowWidgets;
    QPushButton *closeButton;
};

#endif
