#ifndef SCRIPTEDDIALOGS_H
#define SCRIPTEDDIALOGS_H

#include "dialogs/DialogProvider.h"

#include <QList>
#include <QStringList>

// Answers every modal dialog from a script and records what was asked; installs itself for
// its lifetime, so a test never blocks on a real dialog.
class ScriptedDialogs : public DialogProvider
{
public:
    struct Call {
        QString kind; // "open", "save", "warning", "question", "print", "about" or "folder"
        QString title; // caption or title
        QString text;  // filter of a file dialog, text of a message box
        QString dir;   // start folder of a file dialog
    };

    ScriptedDialogs();
    ~ScriptedDialogs() override;

    // Answers of the file dialogs in order; when none is left the dialog is cancelled ("").
    QStringList fileNames;
    // Answers of the questions in order; when none is left the question is escaped (NoButton).
    QList<QMessageBox::StandardButton> answers;
    bool acceptPrint = false;
    // When set, an accepted print dialog sends the print into this PDF file, as a user
    // choosing to print to a file would.
    QString printFile;
    QList<Call> calls;

    QStringList kinds() const;

    QString getOpenFileName(QWidget *parent, const QString &caption, const QString &dir,
                            const QString &filter) override;
    QString getSaveFileName(QWidget *parent, const QString &caption, const QString &dir,
                            const QString &filter) override;
    void warning(QWidget *parent, const QString &title, const QString &text) override;
    QMessageBox::StandardButton question(QWidget *parent, const QString &title, const QString &text,
                                         QMessageBox::StandardButtons buttons,
                                         QMessageBox::StandardButton defaultButton) override;
    bool print(QPrinter *printer, QWidget *parent) override;
    void about(QWidget *parent, const QString &title, const QString &text) override;
    // Answered from fileNames, like the file dialogs.
    QString getExistingDirectory(QWidget *parent, const QString &caption, const QString &dir) override;

private:
    QString nextFileName();
    DialogProvider *previous;
};

#endif
