#include "app/ProgressBar.h"

#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

ProgressBar::ProgressBar() : QWidget(nullptr)
{
    setMinimumWidth(300);
    grid_layout = new QGridLayout(this);
    lb_name = new QLabel("Progress", this);
    bt_cancel = new QPushButton("Cancel", this);
    grid_layout->addWidget(lb_name, 0, 0);
    grid_layout->addWidget(bt_cancel, 1, 0);
    connect(bt_cancel, &QPushButton::clicked, this, &ProgressBar::slot_cancel);
}

void ProgressBar::setName(QString caption)
{
    lb_name->setText(caption);
}

QString ProgressBar::name() const
{
    return lb_name->text();
}

void ProgressBar::set_nb_bars(int n)
{
    for (QProgressBar *b : bars) {
        grid_layout->removeWidget(b);
        delete b;
    }
    bars.clear();
    grid_layout->removeWidget(bt_cancel);
    for (int i = 0; i < n; ++i) {
        QProgressBar *b = new QProgressBar(this);
        bars.append(b);
        grid_layout->addWidget(b, i + 1, 0);
        b->setMinimum(0);
        b->setMaximum(100);
        b->setValue(0);
    }
    grid_layout->addWidget(bt_cancel, n + 1, 0);
}

void ProgressBar::slot_progress(int index, qint64 value, qint64 maximum)
{
    if (index < 0 || index >= bars.size())
        return;
    QProgressBar *bar = bars[index];
    bar->setValue(int(value));
    // A size not known yet (0 or less) is a busy bar; the toolkit shows one only for the
    // range 0 to 0, and a negative maximum would drag the minimum below 0 with it.
    if (maximum <= 0)
        bar->setRange(0, 0);
    else
        bar->setMaximum(int(maximum));
}

void ProgressBar::slot_cancel()
{
    emit signal_cancel();
}
