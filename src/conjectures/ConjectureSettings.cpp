#include "conjectures/ConjectureSettings.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

ConjectureSettings::ConjectureSettings() : QWidget(nullptr)
{
    setWindowTitle("Conjectures settings");
    setMinimumWidth(200);
    setMinimumHeight(50);
    grid = new QGridLayout(this);
    closeButton = new QPushButton("Close", this);
    grid->addWidget(closeButton, 0, 0, 1, 4);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::hide);
    hide();
}

void ConjectureSettings::setVariables(QStringList newNames)
{
    grid->removeWidget(closeButton);
    for (QWidget *w : rowWidgets) {
        grid->removeWidget(w);
        delete w;
    }
    rowWidgets.clear();
    lowerButtons.clear();
    bothButtons.clear();
    upperButtons.clear();
    qDeleteAll(groups);
    groups.clear();
    names = newNames;

    // Blocks of 21 columns, side by side.
    int row = 0, column = 0, rowsUsed = 0;
    for (const QString &name : names) {
        QLabel *label = new QLabel(name, this);
        QRadioButton *lower = new QRadioButton("Lower", this);
        QRadioButton *both = new QRadioButton("Both", this);
        QRadioButton *upper = new QRadioButton("Upper", this);
        both->setChecked(true);
        grid->addWidget(label, row, column);
        grid->addWidget(lower, row, column + 1);
        grid->addWidget(both, row, column + 2);
        grid->addWidget(upper, row, column + 3);
        rowWidgets << label << lower << both << upper;
        lowerButtons << lower;
        bothButtons << both;
        upperButtons << upper;
        QButtonGroup *group = new QButtonGroup(this);
        group->setExclusive(true);
        group->addButton(lower);
        group->addButton(both);
        group->addButton(upper);
        groups << group;
        if (row >= rowsUsed)
            rowsUsed = row + 1;
        if (row <= 19) {
            ++row;
        } else {
            row = 0;
            column += 4;
        }
    }
    grid->addWidget(closeButton, rowsUsed, 0, 1, 4);
}

QVector<int> ConjectureSettings::getPatterns() const
{
    QVector<int> patterns;
    for (int i = 0; i < names.size(); ++i)
        patterns << (lowerButtons[i]->isChecked() ? -1 : (upperButtons[i]->isChecked() ? 1 : 0));
    return patterns;
}
