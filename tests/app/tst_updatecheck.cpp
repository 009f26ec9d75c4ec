#include "LoopbackHttpServer.h"
#include "ScriptedDialogs.h"
#include "app/DownloadEngine.h"
#include "app/VersionChecker.h"

#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

#include <csignal>
#include <memory>
#include <sys/resource.h>

// Stands in for the progress window: records what the engine shows on it.
class RecordingProgress : public QWidget
{
    Q_OBJECT

public:
    int nbBars = 0;
    QList<qint64> received;

signals:
    void signal_cancel();
    // Shown, with the caption it then has: the engine may delete the window before a test looks.
    void shown(const QString &caption);

public slots:
    void set_nb_bars(int n) { nbBars = n; }
    void slot_progress(int, qint64 value, qint64) { received << value; }

protected:
    void showEvent(QShowEvent *) override { emit shown(windowTitle()); }
};

namespace {
QByteArray releaseBytes(int size)
{
    QByteArray data(size, '\0');
    for (int i = 0; i < size; ++i)
        data[i] = char((unsigned(i) * 7919u + unsigned(i) / 251u) & 0xffu);
    return data;
}

// Limits the size of any file this process writes, as a full disk does, for its lifetime.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &old);
        previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = old;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, previousHandler);
    }

private:
    rlimit old;
    void (*previousHandler)(int);
};
} // namespace

class TestUpdateCheck : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { qRegisterMetaType<QNetworkReply *>(); }
    void init();
    void queryAddress_data();
    void queryAddress();
    void releaseName_data();
    void releaseName();
    void answers_data();
    void answers();
    void nothingSentWhenSwitchedOff_data();
    void nothingSentWhenSwitchedOff();
    void offer_data();
    void offer();
    void downloadIsByteIdentical();
    void downloadEnds_data();
    void downloadEnds();
    void cancelMidTransfer();

private:
    // Accepts the offer of "ab" and runs its download to the end.
    void download(ScriptedDialogs &dialogs, QString *caption = nullptr);

    QNetworkAccessManager *manager = nullptr;
    LoopbackHttpServer *server = nullptr;
};

void TestUpdateCheck::init()
{
    delete manager;
    delete server;
    manager = new QNetworkAccessManager(this);
    // Only the loopback server is ever contacted, whatever the environment says about proxies.
    manager->setProxy(QNetworkProxy::NoProxy);
    server = new LoopbackHttpServer;
    DownloadEngine::setDownloadDirectory(server->base() + "/releases/");
}

void TestUpdateCheck::queryAddress_data()
{
    QTest::addColumn<QString>("endpoint");
    QTest::addColumn<QString>("address");
    QTest::newRow("not configured") << "" << "";
    QTest::newRow("script") << "https://example.org/v.php" << "https://example.org/v.php?current=3.00026&os=Linux";
    QTest::newRow("own query mark") << "https://example.org/v.php?" << "https://example.org/v.php?current=3.00026&os=Linux";
}

void TestUpdateCheck::queryAddress()
{
    QFETCH(QString, endpoint);
    QFETCH(QString, address);
    VersionChecker checker(manager);
    checker.setEndpoint(endpoint);
    QCOMPARE(checker.queryAddress(), address);
}

void TestUpdateCheck::releaseName_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("name");
    QTest::newRow("cut at NUL") << QByteArray("ab\0cd", 5) << "ab";
    QTest::newRow("trimmed") << QByteArray(" \tORV-3.0.27_osx.zip\r\n") << "ORV-3.0.27_osx.zip";
    QTest::newRow("blank inside") << QByteArray("a b") << "";
    QTest::newRow("path") << QByteArray("../../etc/passwd") << "";
    QTest::newRow("dots only") << QByteArray("..") << "";
    QTest::newRow("query") << QByteArray("a?b=c") << "";
    QTest::newRow("markup") << QByteArray("<b>ab</b>") << "";
    QTest::newRow("non-ASCII letter") << QByteArray("\xc3\xa9t\xc3\xa9") << "";
    QTest::newRow("100 characters") << QByteArray(100, 'a') << QString(100, 'a');
    QTest::newRow("101 characters") << QByteArray(101, 'a') << "";
}

void TestUpdateCheck::releaseName()
{
    QFETCH(QByteArray, body);
    QFETCH(QString, name);
    QCOMPARE(VersionChecker::releaseName(body), name);
}

void TestUpdateCheck::answers_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("contentType");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("offered");
    QTest::newRow("empty") << 200 << QByteArray("text/plain") << QByteArray() << "";
    QTest::newRow("one character") << 200 << QByteArray("text/plain") << QByteArray("x") << "";
    QTest::newRow("NUL first") << 200 << QByteArray("text/plain") << QByteArray("\0abc", 4) << "";
    QTest::newRow("two letters") << 200 << QByteArray("text/plain") << QByteArray("ab") << "ab";
    QTest::newRow("not found") << 404 << QByteArray("text/plain") << QByteArray("ab") << "";
    QTest::newRow("server error") << 500 << QByteArray("text/plain") << QByteArray("ab") << "";
    QTest::newRow("HTML page") << 200 << QByteArray("text/html")
                               << QByteArray("<html><body><h1>Maintenance</h1></body></html>") << "";
}

void TestUpdateCheck::answers()
{
    QFETCH(int, status);
    QFETCH(QByteArray, contentType);
    QFETCH(QByteArray, body);
    QFETCH(QString, offered);
    LoopbackHttpServer::Reply reply;
    reply.status = status;
    reply.contentType = contentType;
    reply.body = body;
    server->script("/version", reply);

    VersionChecker checker(manager);
    checker.setEndpoint(server->base() + "/version");
    QSignalSpy offers(&checker, &VersionChecker::signal_new_version_available);
    QSignalSpy finished(manager, &QNetworkAccessManager::finished);
    checker.slot_start();
    checker.slot_start(); // one query per run
    QTRY_COMPARE(finished.count(), 1);
    QCoreApplication::processEvents();

    QCOMPARE(server->requests.size(), 1);
    QVERIFY(server->requests[0].endsWith("current=3.00026&os=Linux"));
    QCOMPARE(offers.count(), offered.isEmpty() ? 0 : 1);
    if (!offered.isEmpty())
        QCOMPARE(offers[0][0].toString(), offered);
}

void TestUpdateCheck::nothingSentWhenSwitchedOff_data()
{
    QTest::addColumn<bool>("endpointSet");
    QTest::addColumn<bool>("ignore");
    QTest::newRow("Ignore updates ticked") << true << true;
    QTest::newRow("no endpoint configured") << false << false;
}

void TestUpdateCheck::nothingSentWhenSwitchedOff()
{
    QFETCH(bool, endpointSet);
    QFETCH(bool, ignore);
    server->script("/version", {200, "ab", "text/plain", 0});
    VersionChecker checker(manager);
    checker.setEndpoint(endpointSet ? server->base() + "/version" : QString());
    checker.setIgnoreUpdates(ignore);
    QSignalSpy offers(&checker, &VersionChecker::signal_new_version_available);
    QSignalSpy finished(manager, &QNetworkAccessManager::finished);
    checker.slot_start();
    QTest::qWait(200);
    QCOMPARE(finished.count(), 0);
    QVERIFY(server->requests.isEmpty());
    QCOMPARE(offers.count(), 0);
}

void TestUpdateCheck::offer_data()
{
    QTest::addColumn<bool>("directorySet");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("started");
    QTest::newRow("Yes") << true << int(QMessageBox::Yes) << true << true;
    QTest::newRow("No") << true << int(QMessageBox::No) << true << false;
    QTest::newRow("box closed") << true << int(QMessageBox::NoButton) << true << false;
    QTest::newRow("no download folder configured") << false << int(QMessageBox::Yes) << false << false;
}

void TestUpdateCheck::offer()
{
    QFETCH(bool, directorySet);
    QFETCH(int, answer);
    QFETCH(bool, asked);
    QFETCH(bool, started);
    if (!directorySet)
        DownloadEngine::setDownloadDirectory(QString());
    ScriptedDialogs dialogs;
    dialogs.answers << QMessageBox::StandardButton(answer);
    QPointer<DownloadEngine> engine =
        DownloadEngine::offer(nullptr, manager, "ab", [] { return new RecordingProgress; });
    QCOMPARE(!engine.isNull(), started);
    QCOMPARE(dialogs.kinds(), asked ? QStringList{"question"} : QStringList());
    if (asked) {
        QCOMPARE(dialogs.calls[0].title, QString("New Version"));
        QCOMPARE(dialogs.calls[0].text,
                 QString("A new version of ORV is available : ab\n Do you want to download the new version?\n Check "
                         "\"Ignore updates\" in the preferences tab from the inspector to avoid this message."));
    }
    if (engine) {
        // The start is posted; the file of that name is asked for in the download folder.
        QTRY_COMPARE(server->requests, QStringList{"/releases/ab"});
        QTRY_VERIFY(engine.isNull());
    }
}

void TestUpdateCheck::download(ScriptedDialogs &dialogs, QString *caption)
{
    dialogs.answers << QMessageBox::Yes;
    // The engine deletes its window with itself, and the download may end inside any wait: the
    // window is read before the first event runs, and its showing is recorded as it happens.
    QPointer<RecordingProgress> window;
    std::unique_ptr<QSignalSpy> shown;
    QPointer<DownloadEngine> engine = DownloadEngine::offer(nullptr, manager, "ab", [&window, &shown] {
        window = new RecordingProgress;
        shown.reset(new QSignalSpy(window.data(), &RecordingProgress::shown));
        return window.data();
    });
    QVERIFY(engine && window);
    QCOMPARE(window->nbBars, 1);
    QTRY_VERIFY_WITH_TIMEOUT(engine.isNull(), 60000);
    QVERIFY(window.isNull()); // the engine takes its window with it
    QCOMPARE(shown->count(), 1);
    if (caption)
        *caption = shown->at(0).at(0).toString();
}

void TestUpdateCheck::downloadIsByteIdentical()
{
    const QByteArray release = releaseBytes(300000);
    server->script("/releases/ab", {200, release, "application/octet-stream", 0});
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    dialogs.fileNames << dir.filePath("saved.zip");
    QString caption;
    download(dialogs, &caption);

    QCOMPARE(caption, QString("Downloading ab.."));
    QCOMPARE(dialogs.kinds(), (QStringList{"question", "save"}));
    QCOMPARE(dialogs.calls[1].title, QString("Save file as"));
    QCOMPARE(dialogs.calls[1].dir, QString("ab"));
    QFile saved(dir.filePath("saved.zip"));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QVERIFY(saved.readAll() == release);
}

void TestUpdateCheck::downloadEnds_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("target"); // relative to a temporary folder; "" cancels the dialog
    QTest::addColumn<bool>("diskFull");
    QTest::addColumn<QStringList>("kinds");
    QTest::addColumn<QString>("warning");
    const QStringList asked{"question", "save"};
    QTest::newRow("not found") << 404 << "saved.zip" << false << QStringList{"question", "warning"} << "";
    QTest::newRow("save dialog cancelled") << 200 << "" << false << asked << "";
    // The system's reason after the file.
    QTest::newRow("folder missing") << 200 << "no/such/folder/saved.zip" << false << (asked + QStringList{"warning"})
                                    << "Failed to save file.\n%1\nNo such file or directory";
    QTest::newRow("disk full") << 200 << "saved.zip" << true << (asked + QStringList{"warning"})
                               << "Failed to save file.\n%1\nFile too large";
}

void TestUpdateCheck::downloadEnds()
{
    QFETCH(int, status);
    QFETCH(QString, target);
    QFETCH(bool, diskFull);
    QFETCH(QStringList, kinds);
    QFETCH(QString, warning);
    server->script("/releases/ab", {status, releaseBytes(3000), "application/octet-stream", 0});
    QTemporaryDir dir;
    // What was there before a failed save stays as it was.
    const QByteArray old = "previous contents";
    {
        QFile f(dir.filePath("saved.zip"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(old);
    }
    ScriptedDialogs dialogs;
    if (!target.isEmpty())
        dialogs.fileNames << dir.filePath(target);
    {
        std::unique_ptr<FileSizeLimit> limit(diskFull ? new FileSizeLimit(1024) : nullptr);
        download(dialogs);
    }
    QCOMPARE(dialogs.kinds(), kinds);
    if (kinds.last() == "warning") {
        QCOMPARE(dialogs.calls.last().title, QString("Warning"));
        if (!warning.isEmpty())
            QCOMPARE(dialogs.calls.last().text, warning.arg(dir.filePath(target)));
        else
            QVERIFY(!dialogs.calls.last().text.isEmpty());
    }
    QFile f(dir.filePath("saved.zip"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::NoDotAndDotDot), QStringList{"saved.zip"});
}

void TestUpdateCheck::cancelMidTransfer()
{
    LoopbackHttpServer::Reply slow;
    slow.body = releaseBytes(200000);
    slow.slowChunk = 1000; // 200 chunks, 50 ms apart: ten seconds if never cancelled
    server->script("/releases/ab", slow);
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    dialogs.fileNames << dir.filePath("saved.zip");
    dialogs.answers << QMessageBox::Yes;

    QPointer<RecordingProgress> window;
    QPointer<DownloadEngine> engine = DownloadEngine::offer(nullptr, manager, "ab", [&window] {
        window = new RecordingProgress;
        return window.data();
    });
    QTRY_VERIFY(window && window->received.size() >= 2 && window->received.last() > 0);
    QVERIFY(window->received.last() < slow.body.size());
    emit window->signal_cancel();
    QTRY_VERIFY(engine.isNull());

    QCOMPARE(dialogs.kinds(), (QStringList{"question", "warning"}));
    QCOMPARE(dialogs.calls[1].title, QString("Warning"));
    QCOMPARE(dialogs.calls[1].text, QString("Operation canceled"));
    QVERIFY(QDir(dir.path()).entryList(QDir::Files | QDir::NoDotAndDotDot).isEmpty());
}

QTEST_MAIN(TestUpdateCheck)
#include "tst_updatecheck.moc"
