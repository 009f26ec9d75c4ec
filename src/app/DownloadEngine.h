#ifndef DOWNLOADENGINE_H
#define DOWNLOADENGINE_H

#include <QList>
#include <QObject>
#include <QSslError>
#include <QString>
#include <QUrl>

#include <functional>

class QNetworkAccessManager;
class QNetworkReply;
class QWidget;

// Fetches one release file with a progress window and saves it where the user chooses. The
// file is only stored: nothing opens, unpacks or runs it.
//
// The progress window is any top-level widget with the slots set_nb_bars(int) and
// slot_progress(int,qint64,qint64) and the signal signal_cancel(); the engine owns it.
class DownloadEngine : public QObject
{
    Q_OBJECT

public:
    DownloadEngine(QNetworkAccessManager *manager, QUrl url, QWidget *progressWindow);
    ~DownloadEngine() override;

    // The folder release names are appended to; the build's setting by default, where empty
    // means that no download is offered.
    static void setDownloadDirectory(const QString &address);
    static QString downloadDirectory();
    // The address of a release file: the folder followed by the percent-encoded name.
    static QUrl releaseUrl(const QString &name);

    // Asks whether to fetch the release of that name and, on Yes, posts the start of a new
    // engine (which deletes itself once done) and returns it; returns null otherwise.
    static DownloadEngine *offer(QWidget *parent, QNetworkAccessManager *manager, const QString &name,
                                 const std::function<QWidget *()> &makeProgressWindow);

    QWidget *progressWindow() const { return progress_window; }

signals:
    void signal_progress(int, qint64, qint64);

public slots:
    void sslErrors(QList<QSslError> l);
    void slot_download_complete();
    void slot_start();
    void slot_progress(qint64 received, qint64 total);

private:
    void save(const QByteArray &data);

    QNetworkAccessManager *manager;
    QUrl url;
    QNetworkReply *reply = nullptr;
    QWidget *progress_window;
};

#endif
