#ifndef SHELLPROBE_H
#define SHELLPROBE_H

#include <QList>
#include <QStringList>

class QAction;
class QString;

// The entries of a menu or toolbar as the user reads them: each action's text, "|" for a
// separator.
QStringList actionTexts(const QList<QAction *> &actions);

// Names the application as the program does, loads the images, and keeps the settings store and
// the autosave files of the test inside the given folder.
void startShellIn(const QString &folder);

#endif
