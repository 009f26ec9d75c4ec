#ifndef PROGRESSBAR_H
#define PROGRESSBAR_H

#include <QVector>
#include <QWidget>

class QGridLayout;
class QLabel;
class QProgressBar;
class QPushButton;

// A small top-level window that shows long work: a caption, one bar per parallel task and a
// "Cancel" button. It knows nothing of the work; its owner sets the caption and the bars and
// connects the reports and the cancel signal.
class ProgressBar : public QWidget
{
    Q_OBJECT

public:
    ProgressBar();

    void setName(QString caption);
    int nbBars() const { return bars.size(); }
    QProgressBar *bar(int i) const { return bars.value(i, nullptr); }
    QString name() const;

signals:
    void signal_cancel();

public slots:
    void slot_progress(int index, qint64 value, qint64 maximum);
    void slot_cancel();
    void set_nb_bars(int n);

private:
    QVector<QProgressBar *> bars;
    QPushButton *bt_cancel;
    QLabel *lb_name;
    QGridLayout *grid_layout;
};

#endif
