#include "ShellProbe.h"

#include "app/ImageResources.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QSettings>

QStringList actionTexts(const QList<QAction *> &actions)
{
    QStringList t;
    for (QAction *a : actions)
        t << (a->isSeparator() ? QString("|") : a->text());
    return t;
}

void startShellIn(const QString &folder)
{
    ImageResources::init();
    QCoreApplication::setOrganizationName("QUARN");
    QCoreApplication::setApplicationName("Orvalith-III");
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder);
    QDir::setCurrent(folder);
}
