#include "dialogs/QtDialogProvider.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

// The real save dialog, answered as a user who types a bare name.
class TestSaveDialog : public QObject
{
    Q_OBJECT

private slots:
    void bareNameTakesTheFilterExtension();

private:
    // The name the dialog returns when the user types `typed` and accepts.
    static QString answer(const QString &dir, const QString &filter, const QString &typed);
};

QString TestSaveDialog::answer(const QString &dir, const QString &filter, const QString &typed)
{
    QTimer typist;
    typist.setInterval(10);
    QObject::connect(&typist, &QTimer::timeout, [&typist, typed] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        typist.stop();
        dialog->findChild<QLineEdit *>("fileNameEdit")->setText(typed);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    typist.start();
    QtDialogProvider dialogs;
    return dialogs.getSaveFileName(nullptr, "Save results as", dir, filter);
}

void TestSaveDialog::bareNameTakesTheFilterExtension()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    // Otherwise the open dialog's "*.orv3" list would not show the file.
    QCOMPARE(answer(dir.path(), "*.orv3", "prob"), dir.filePath("prob.orv3"));
    // A name with an extension of its own, and a dialog without a filter, keep the name.
    QCOMPARE(answer(dir.path(), "*.orv3", "prob.old"), dir.filePath("prob.old"));
    QCOMPARE(answer(dir.path(), QString(), "release"), dir.filePath("release"));
}

QTEST_MAIN(TestSaveDialog)
#include "tst_savedialog.moc"
