#ifndef ACTIONMAKER_H
#define ACTIONMAKER_H

#include <QList>
#include <QVector>

class QAction;
class QObject;
class QWidget;

// What the shell's menus and toolbars are made of: commands with a text, a drawn icon and a
// status tip, laid out in groups between separators.
class ActionMaker
{
public:
    // A null icon name gives no icon, a null tip no status tip.
    static QAction *make(QObject *parent, const char *text, const char *icon, const char *tip);
    // Adds the groups to a menu or toolbar, a separator between two groups.
    static void addGroups(QWidget *bar, const QVector<QList<QAction *>> &groups);
};

#endif
