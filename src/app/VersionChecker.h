#ifndef VERSIONCHECKER_H
#define VERSIONCHECKER_H

#include <QList>
#include <QObject>
#include <QSslError>
#include <QString>

class QNetworkAccessManager;
class QNetworkReply;

// Asks the release server once per run whether a newer release exists. The answer is the bare
// file name of that release, or nothing when this one is current; anything else is ignored,
// since the name is later shown to the user and becomes part of a download address.
class VersionChecker : public QObject
{
    Q_OBJECT

public:
    explicit VersionChecker(QNetworkAccessManager *manager);

    // The running version as the server compares it.
    static constexpr double version = 3.00026;
    // The word the server reads for the platform this build runs on.
    static QString osWord();
    // The release name a reply body announces, or "" when it announces none.
    static QString releaseName(const QByteArray &body);

    // The address the query is appended to; the build's setting by default, where empty means
    // that releases are not looked up at all.
    void setEndpoint(const QString &address) { endpoint = address; }
    QString getEndpoint() const { return endpoint; }
    // The full query address, or an empty address when no endpoint is set.
    QString queryAddress() const;
    // "Ignore updates": with it set the query is not sent.
    void setIgnoreUpdates(bool on) { ignore_updates = on; }

signals:
    void signal_new_version_available(QString name);

public slots:
    void sslErrors(QList<QSslError>);
    void slot_download_complete();
    void slot_start();

private:
    QNetworkAccessManager *manager;
    QNetworkReply *reply = nullptr;
    QString endpoint;
    bool ignore_updates = false;
};

#endif
