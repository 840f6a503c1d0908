#include "help/ChmSitemap.h"

#include <QRegularExpression>

namespace {

// Character references that sitemap writers put into attribute values.
QString decodeEntities(const QString &value)
{
    static const QRegularExpression entityRe(
            QStringLiteral("&(#x[0-9a-fA-F]+|#[0-9]+|amp|lt|gt|quot|apos);"));
    QString result;
    qsizetype last = 0;
    for (auto it = entityRe.globalMatch(value); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        result += value.mid(last, m.capturedStart() - last);
        const QString name = m.captured(1);
        if (name.startsWith(QLatin1String("#x")))
            result += QChar(char16_t(name.mid(2).toUInt(nullptr, 16)));
        else if (name.startsWith(QLatin1Char('#')))
            result += QChar(char16_t(name.mid(1).toUInt()));
        else
            result += QLatin1Char(name == QLatin1String("amp")    ? '&'
                                  : name == QLatin1String("lt")   ? '<'
                                  : name == QLatin1String("gt")   ? '>'
                                  : name == QLatin1String("quot") ? '"'
                                                                  : '\'');
        last = m.capturedEnd();
    }
    return result + value.mid(last);
}

QString attribute(const QString &tag, const QString &name)
{
    const QRegularExpression
            re(QStringLiteral("\\b%1\\s*=\\s*(?:\"([^\"]*)\"|'([^']*)'|([^\\s>]+))").arg(name),
               QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = re.match(tag);
    if (!m.hasMatch())
        return {};
    const QString raw = !m.captured(1).isNull()   ? m.captured(1)
                        : !m.captured(2).isNull() ? m.captured(2)
                                                  : m.captured(3);
    return decodeEntities(raw);
}

} // namespace

QList<ChmSitemapEntry> ChmSitemap::parse(const QByteArray &sitemap)
{
    static const QRegularExpression tagRe(QStringLiteral("<\\s*(/?)\\s*(ul|object|param)\\b[^>]*>"),
                                          QRegularExpression::CaseInsensitiveOption);
    QList<ChmSitemapEntry> top;
    // The lists being filled, innermost last; the last entry of a list is the
    // parent of a list that opens after it.
    QList<QList<ChmSitemapEntry> *> open{&top};
    ChmSitemapEntry current;
    bool inSitemapObject = false;

    const QString text = QString::fromUtf8(sitemap);
    for (auto it = tagRe.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const bool closing = !m.captured(1).isEmpty();
        const QString tag = m.captured(2).toLower();
        const QString whole = m.captured(0);
        if (tag == QLatin1String("ul")) {
            if (closing) {
                if (open.size() > 1)
                    open.removeLast();
            } else {
                QList<ChmSitemapEntry> *list = open.last();
                open.append(list->isEmpty() ? list : &list->last().children);
            }
        } else if (tag == QLatin1String("object")) {
            if (!closing) {
                inSitemapObject = attribute(whole, QStringLiteral("type"))
                                          .compare(QLatin1String("text/sitemap"),
                                                   Qt::CaseInsensitive)
                                  == 0;
                current = {};
            } else if (inSitemapObject) {
                open.last()->append(current);
                inSitemapObject = false;
            }
        } else if (inSitemapObject) {
            const QString name = attribute(whole, QStringLiteral("name"));
            const QString value = attribute(whole, QStringLiteral("value"));
            if (name.compare(QLatin1String("Name"), Qt::CaseInsensitive) == 0
                && current.name.isEmpty())
                current.name = value;
            else if (name.compare(QLatin1String("Local"), Qt::CaseInsensitive) == 0
                     && current.local.isEmpty())
                current.local = value;
        }
    }
    return top;
}
