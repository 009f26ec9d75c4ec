#ifndef SHELLPROBE_H
#define SHELLPROBE_H

#include <QList>
#include <QStringList>

class QAction;

// The entries of a menu or toolbar as the user reads them: each action's text, "|" for a
// separator.
QStringList actionTexts(const QList<QAction *> &actions);

#endif
