#ifndef DIALOGPROVIDER_H
#define DIALOGPROVIDER_H

#include <QMessageBox>
#include <QString>

class QPrinter;
class QWidget;

// Every modal dialog of the application (file choosers, message boxes, the print dialog)
// is asked for through the one installed provider, so that tests can answer them from a
// script instead of blocking on a real dialog.
class DialogProvider
{
public:
    virtual ~DialogProvider();

    // An empty name means the user cancelled.
    virtual QString getOpenFileName(QWidget *parent, const QString &caption, const QString &dir,
                                    const QString &filter) = 0;
    virtual QString getSaveFileName(QWidget *parent, const QString &caption, const QString &dir,
                                    const QString &filter) = 0;
    // A warning with one OK button.
    virtual void warning(QWidget *parent, const QString &title, const QString &text) = 0;
    virtual QMessageBox::StandardButton question(QWidget *parent, const QString &title, const QString &text,
                                                 QMessageBox::StandardButtons buttons,
                                                 QMessageBox::StandardButton defaultButton) = 0;
    // Shows the print dialog over the printer; true when the user accepted it.
    virtual bool print(QPrinter *printer, QWidget *parent) = 0;
    // The application's "about" box (rich text), with one OK button.
    virtual void about(QWidget *parent, const QString &title, const QString &text) = 0;
    // A folder chooser; an empty path means the user cancelled.
    virtual QString getExistingDirectory(QWidget *parent, const QString &caption, const QString &dir) = 0;

    // The provider in use: the real Qt dialogs unless another one is installed.
    static DialogProvider *instance();
    // Installs a provider (not owned; null restores the Qt dialogs) and returns the previous one.
    static DialogProvider *install(DialogProvider *provider);
};

#endif
