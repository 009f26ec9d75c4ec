#include "app/DownloadEngine.h"

#include "dialogs/DialogProvider.h"
#include "files/TextFile.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QWidget>

#include <cstdio>

#ifndef ORV_DOWNLOAD_DIR
#define ORV_DOWNLOAD_DIR ""
#endif

namespace {
QString &directory()
{
    static QString dir = QStringLiteral(ORV_DOWNLOAD_DIR);
    return dir;
}
} // namespace

DownloadEngine::DownloadEngine(QNetworkAccessManager *manager, QUrl url, QWidget *progressWindow)
    : manager(manager), url(std::move(url)), progress_window(progressWindow)
{
    QMetaObject::invokeMethod(progress_window, "set_nb_bars", Q_ARG(int, 1));
    connect(this, SIGNAL(signal_progress(int, qint64, qint64)), progress_window,
            SLOT(slot_progress(int, qint64, qint64)));
}

DownloadEngine::~DownloadEngine()
{
    delete progress_window;
}

void DownloadEngine::setDownloadDirectory(const QString &address)
{
    directory() = address;
}

QString DownloadEngine::downloadDirectory()
{
    return directory();
}

QUrl DownloadEngine::releaseUrl(const QString &name)
{
    return QUrl(directory() + QString::fromLatin1(QUrl::toPercentEncoding(name)), QUrl::TolerantMode);
}

DownloadEngine *DownloadEngine::offer(QWidget *parent, QNetworkAccessManager *manager, const QString &name,
                                      const std::function<QWidget *()> &makeProgressWindow)
{
    if (directory().isEmpty())
        return nullptr;
    const QString text = "A new version of ORV is available : " + name
                         + "\n Do you want to download the new version?"
                         + "\n Check \"Ignore updates\" in the preferences tab from the inspector to avoid this message.";
    const QMessageBox::StandardButton answer = DialogProvider::instance()->question(
        parent, "New Version", text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return nullptr;
    auto *engine = new DownloadEngine(manager, releaseUrl(name), makeProgressWindow());
    QTimer::singleShot(0, engine, &DownloadEngine::slot_start);
    return engine;
}

void DownloadEngine::slot_start()
{
    if (reply)
        return;
    reply = manager->get(QNetworkRequest(url));
    connect(progress_window, SIGNAL(signal_cancel()), reply, SLOT(abort()));
    connect(reply, &QNetworkReply::finished, this, &DownloadEngine::slot_download_complete);
    connect(reply, &QNetworkReply::downloadProgress, this, &DownloadEngine::slot_progress);
    connect(reply, &QNetworkReply::sslErrors, this, &DownloadEngine::sslErrors);
    emit signal_progress(0, 0, 100);
    progress_window->setWindowTitle("Downloading " + url.fileName(QUrl::FullyDecoded) + "..");
    progress_window->show();
}

void DownloadEngine::slot_progress(qint64 received, qint64 total)
{
    emit signal_progress(0, received, total);
}

void DownloadEngine::sslErrors(QList<QSslError> l)
{
    std::fprintf(stderr, "SSL ERRORS : %d\n", int(l.size()));
    std::fflush(stderr);
}

void DownloadEngine::slot_download_complete()
{
    progress_window->hide();
    if (reply->error() != QNetworkReply::NoError)
        DialogProvider::instance()->warning(nullptr, "Warning", reply->errorString());
    else
        save(reply->readAll());
    // Used once: the engine and its reply, which may hold a whole release, go now.
    reply->deleteLater();
    deleteLater();
}

void DownloadEngine::save(const QByteArray &data)
{
    const QString target =
        DialogProvider::instance()->getSaveFileName(nullptr, "Save file as", url.fileName(QUrl::FullyDecoded), QString());
    if (target.isEmpty())
        return;
    QString why;
    if (!TextFile::write(target, data, &why))
        DialogProvider::instance()->warning(nullptr, "Warning", "Failed to save file.\n" + target + "\n" + why);
}
