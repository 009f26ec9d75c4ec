#ifndef QTDIALOGPROVIDER_H
#define QTDIALOGPROVIDER_H

#include "dialogs/DialogProvider.h"

// The real modal Qt dialogs.
class QtDialogProvider : public DialogProvider
{
public:
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
    QString getExistingDirectory(QWidget *parent, const QString &caption, const QString &dir) override;
};

#endif
