#pragma once

#include <QObject>
#include <QUrl>

// Stands in for the desktop's browser and mail program: a URL handler
// (QDesktopServices::setUrlHandler) that keeps the URLs it is given.
class UrlRecorder : public QObject
{
    Q_OBJECT

public:
    const QList<QUrl> &urls() const { return m_urls; }
    void clear() { m_urls.clear(); }

public slots:
    void openUrl(const QUrl &url) { m_urls.append(url); }

private:
    QList<QUrl> m_urls;
};
