#include "ScriptedDialogs.h"

#include <QPrinter>

ScriptedDialogs::ScriptedDialogs() : previous(DialogProvider::install(this)) {}

ScriptedDialogs::~ScriptedDialogs()
{
    DialogProvider::install(previous);
}

QStringList ScriptedDialogs::kinds() const
{
    QStringList k;
    for (const Call &c : calls)
        k << c.kind;
    return k;
}

QString ScriptedDialogs::nextFileName()
{
    return fileNames.isEmpty() ? QString() : fileNames.takeFirst();
}

QString ScriptedDialogs::getOpenFileName(QWidget *, const QString &caption, const QString &dir, const QString &filter)
{
    calls.append({"open", caption, filter, dir});
    return nextFileName();
}

QString ScriptedDialogs::getSaveFileName(QWidget *, const QString &caption, const QString &dir, const QString &filter)
{
    calls.append({"save", caption, filter, dir});
    return nextFileName();
}

void ScriptedDialogs::warning(QWidget *, const QString &title, const QString &text)
{
    calls.append({"warning", title, text, QString()});
}

QMessageBox::StandardButton ScriptedDialogs::question(QWidget *, const QString &title, const QString &text,
                                                      QMessageBox::StandardButtons, QMessageBox::StandardButton)
{
    calls.append({"question", title, text, QString()});
    return answers.isEmpty() ? QMessageBox::NoButton : answers.takeFirst();
}

bool ScriptedDialogs::print(QPrinter *printer, QWidget *)
{
    calls.append({"print", QString(), QString(), QString()});
    if (acceptPrint && !printFile.isEmpty()) {
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(printFile);
    }
    return acceptPrint;
}

void ScriptedDialogs::about(QWidget *, const QString &title, const QString &text)
{
    calls.append({"about", title, text, QString()});
}

QString ScriptedDialogs::getExistingDirectory(QWidget *, const QString &caption, const QString &dir)
{
    calls.append({"folder", caption, QString(), dir});
    return nextFileName();
}
