#include "app/ActionMaker.h"

#include <QAction>
#include <QIcon>
#include <QWidget>

QAction *ActionMaker::make(QObject *parent, const char *text, const char *icon, const char *tip)
{
    auto *action = new QAction(text, parent);
    if (icon)
        action->setIcon(QIcon(QString(":/src/images/%1.png").arg(icon)));
    if (tip)
        action->setStatusTip(tip);
    return action;
}

void ActionMaker::addGroups(QWidget *bar, const QVector<QList<QAction *>> &groups)
{
    for (int g = 0; g < groups.size(); ++g) {
        if (g > 0) {
            auto *separator = new QAction(bar);
            separator->setSeparator(true);
            bar->addAction(separator);
        }
        bar->addActions(groups[g]);
    }
}
