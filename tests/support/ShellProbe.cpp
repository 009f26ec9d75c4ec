#include "ShellProbe.h"

#include <QAction>

QStringList actionTexts(const QList<QAction *> &actions)
{
    QStringList t;
    for (QAction *a : actions)
        t << (a->isSeparator() ? QString("|") : a->text());
    return t;
}
