#include "app/VersionChecker.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

#ifndef ORV_UPDATE_ENDPOINT
#define ORV_UPDATE_ENDPOINT ""
#endif

namespace {
const int maxNameLength = 100;

bool plainNameChar(QChar c)
{
    const ushort u = c.unicode();
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '.' || u == '-'
           || u == '_';
}
} // namespace

VersionChecker::VersionChecker(QNetworkAccessManager *manager)
    : manager(manager), endpoint(QStringLiteral(ORV_UPDATE_ENDPOINT))
{
}

QString VersionChecker::osWord()
{
#if defined(Q_OS_MACOS)
    return QStringLiteral("OSX");
#elif defined(Q_OS_WIN)
    return QStringLiteral("Windows");
#else
    return QStringLiteral("Linux");
#endif
}

QString VersionChecker::releaseName(const QByteArray &body)
{
    const int nul = body.indexOf('\0');
    const QString text = QString::fromUtf8(nul < 0 ? body : body.left(nul)).trimmed();
    if (text.size() < 2 || text.size() > maxNameLength)
        return QString();
    bool onlyDots = true;
    for (QChar c : text) {
        if (!plainNameChar(c))
            return QString();
        onlyDots = onlyDots && c == '.';
    }
    // "." and ".." would climb out of the download folder.
    return onlyDots ? QString() : text;
}

QString VersionChecker::queryAddress() const
{
    if (endpoint.isEmpty())
        return QString();
    const QString separator = endpoint.contains('?') ? QString() : QStringLiteral("?");
    return endpoint + separator + "current=" + QString::number(version, 'g', 6) + "&os=" + osWord();
}

void VersionChecker::slot_start()
{
    const QString address = queryAddress();
    if (ignore_updates || address.isEmpty() || reply)
        return;
    reply = manager->get(QNetworkRequest(QUrl(address, QUrl::TolerantMode)));
    connect(reply, &QNetworkReply::finished, this, &VersionChecker::slot_download_complete);
    connect(reply, &QNetworkReply::sslErrors, this, &VersionChecker::sslErrors);
}

void VersionChecker::sslErrors(QList<QSslError>)
{
    // Not ignored: the query fails and no offer follows.
}

void VersionChecker::slot_download_complete()
{
    if (!reply)
        return;
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply->error() != QNetworkReply::NoError || status != 200)
        return;
    const QString name = releaseName(reply->readAll());
    if (!name.isEmpty())
        emit signal_new_version_available(name);
}
