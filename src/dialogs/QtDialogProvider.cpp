#include "dialogs/QtDialogProvider.h"

#include <QFileDialog>
#include <QPrintDialog>

QString QtDialogProvider::getOpenFileName(QWidget *parent, const QString &caption, const QString &dir,
                                          const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, caption, dir, filter);
}

QString QtDialogProvider::getSaveFileName(QWidget *parent, const QString &caption, const QString &dir,
                                          const QString &filter)
{
    return QFileDialog::getSaveFileName(parent, caption, dir, filter);
}

void QtDialogProvider::warning(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox::warning(parent, title, text, QMessageBox::Ok);
}

QMessageBox::StandardButton QtDialogProvider::question(QWidget *parent, const QString &title, const QString &text,
                                                       QMessageBox::StandardButtons buttons,
                                                       QMessageBox::StandardButton defaultButton)
{
    return QMessageBox::question(parent, title, text, buttons, defaultButton);
}

bool QtDialogProvider::print(QPrinter *printer, QWidget *parent)
{
    QPrintDialog dialog(printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

void QtDialogProvider::about(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox::about(parent, title, text);
}

QString QtDialogProvider::getExistingDirectory(QWidget *parent, const QString &caption, const QString &dir)
{
    QFileDialog dialog(parent, caption, dir);
    dialog.setFileMode(QFileDialog::Directory);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}
