#include "calculus/ZDisplay.h"

#include <QCheckBox>
#include <QGridLayout>

ZDisplay::ZDisplay(QString name, QString description) : CalculusDisplay(name, description)
{
    cbMin = new QCheckBox(tr("Minimization"));
    cbMax = new QCheckBox(tr("Maximization"));
    cbMin->setChecked(true);
    cbMin->setEnabled(false);
    cbMax->setChecked(false);
    cbMax->setEnabled(true);
    // Below the other settings: the rows under "Complement" are taken by the name and the
    // report boxes.
    settingsGrid->addWidget(cbMin, 5, 0);
    settingsGrid->addWidget(cbMax, 5, 1);
    connect(cbMin, &QCheckBox::toggled, this, [this](bool b) { mMin.store(b); });
    connect(cbMax, &QCheckBox::toggled, this, [this](bool b) { mMax.store(b); });
    connect(cbMin, &QCheckBox::clicked, this, &ZDisplay::slot_min_clicked);
    connect(cbMax, &QCheckBox::clicked, this, &ZDisplay::slot_max_clicked);
    hide();
}

void ZDisplay::setObjMin(bool on)
{
    cbMin->setChecked(on);
    cbMax->setEnabled(on);
}

void ZDisplay::setObjMax(bool on)
{
    cbMax->setChecked(on);
    cbMin->setEnabled(on);
}

void ZDisplay::slot_min_clicked(bool on)
{
    cbMax->setEnabled(on);
}

void ZDisplay::slot_max_clicked(bool on)
{
    cbMin->setEnabled(on);
}
