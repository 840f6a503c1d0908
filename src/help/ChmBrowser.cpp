#include "help/ChmBrowser.h"

#include "help/ChmFile.h"
#include "help/ShellOpen.h"
#include "widgets/ReadableColor.h"

#include <QEvent>
#include <QTextDocument>

namespace {
const QString TopicScheme = QStringLiteral("chm");
}

ChmBrowser::ChmBrowser(const ChmFile &chm, QWidget *parent) : QTextBrowser(parent), m_chm(chm)
{
    setOpenLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, &ChmBrowser::followLink);
    takeLinkColor();
}

void ChmBrowser::takeLinkColor()
{
    // Pages draw links in the application's link colour unless told otherwise;
    // on a dark scheme that colour may hardly show on the page.
    const QColor link = ReadableColor::on(palette().color(QPalette::Base),
                                          palette().color(QPalette::Link));
    document()->setDefaultStyleSheet(QStringLiteral("a { color: %1; }").arg(link.name()));
}

void ChmBrowser::changeEvent(QEvent *event)
{
    QTextBrowser::changeEvent(event);
    if (event->type() != QEvent::PaletteChange)
        return;
    takeLinkColor();
    if (!source().isEmpty())
        reload();
}

QUrl ChmBrowser::topicUrl(const QString &topic)
{
    QUrl url;
    url.setScheme(TopicScheme);
    url.setPath(topic.startsWith(QLatin1Char('/')) ? topic : QLatin1Char('/') + topic);
    return url;
}

QString ChmBrowser::currentTopic() const
{
    const QUrl url = source();
    return url.scheme() == TopicScheme ? url.path().mid(1) : QString();
}

void ChmBrowser::showTopic(const QString &topic)
{
    const QUrl url = topicUrl(topic);
    if (m_chm.read(url.path())) {
        setSource(url);
        return;
    }
    setHtml(tr("<h2>Topic not found</h2><p>The help file %1 holds no topic %2.</p>")
                    .arg(m_chm.fileName().toHtmlEscaped(), topic.toHtmlEscaped()));
}

QVariant ChmBrowser::loadResource(int type, const QUrl &name)
{
    if (name.scheme() != TopicScheme)
        return {};
    const std::optional<QByteArray> data = m_chm.read(name.path());
    if (!data)
        return {};
    // The manual is written in UTF-8; pictures stay bytes.
    if (type == QTextDocument::HtmlResource || type == QTextDocument::StyleSheetResource)
        return QString::fromUtf8(*data);
    return *data;
}

void ChmBrowser::followLink(const QUrl &link)
{
    const QUrl target = source().resolved(link);
    if (target.scheme() == TopicScheme)
        setSource(target);
    else
        shellOpen(target.toString());
}
