#include "help/HelpRouter.h"

#include "base/EditorError.h"
#include "help/HtmlHelp.h"

#include <QApplication>
#include <QFile>
#include <QWidget>

using namespace HtmlHelp;

namespace {

HelpRouter *&liveRouter()
{
    static HelpRouter *router = nullptr;
    return router;
}

HelpRouter::HtmlHelpLoader &htmlHelpLoader()
{
    static HelpRouter::HtmlHelpLoader loader = [] {
        return HelpRouter::HtmlHelpEntry(&HtmlHelp::htmlHelpA);
    };
    return loader;
}

HelpRouter::HtmlHelpEntry &heldEntry()
{
    static HelpRouter::HtmlHelpEntry entry;
    return entry;
}

// The position of the file name's extension (its last "."), or -1 when it has none.
qsizetype extensionStart(const QString &fileName)
{
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    const qsizetype delimiter = qMax(fileName.lastIndexOf(QLatin1Char('/')),
                                     fileName.lastIndexOf(QLatin1Char('\\')));
    return dot > delimiter ? dot : -1;
}

QString withExtension(const QString &fileName, const QString &extension)
{
    const qsizetype start = extensionStart(fileName);
    return (start < 0 ? fileName : fileName.left(start)) + extension;
}

QByteArray requestString(const QString &file, const QString &topic)
{
    return QFile::encodeName(topic.isEmpty() ? file : file + QLatin1String("::/") + topic);
}

} // namespace

HelpRouter::HelpRouter(QObject *parent) : QObject(parent)
{
    if (liveRouter())
        throw EditorError(QStringLiteral("Multiple instances of THelpRouter are not allowed"));
    liveRouter() = this;
    m_chmPopupTopics = QStringLiteral("CSHelp.txt");
}

HelpRouter::~HelpRouter()
{
    // The topics the dialog opened close with it.
    if (qobject_cast<QApplication *>(QCoreApplication::instance())
        && m_helpType != HelpType::WinHelp && htmlHelpAvailable())
        heldEntry()(0, nullptr, HH_CLOSE_ALL, 0);
    liveRouter() = nullptr;
}

void HelpRouter::setHelpType(HelpType type)
{
    m_helpType = type;
    if (type != HelpType::WinHelp)
        htmlHelpAvailable();
}

bool HelpRouter::htmlHelpAvailable()
{
    if (!heldEntry())
        heldEntry() = htmlHelpLoader()();
    return bool(heldEntry());
}

void HelpRouter::setHtmlHelpLoader(HtmlHelpLoader loader)
{
    htmlHelpLoader() = std::move(loader);
    heldEntry() = nullptr;
}

QString HelpRouter::cleanTopicName(const QString &topic)
{
    QString clean;
    clean.reserve(topic.size());
    for (const QChar c : topic) {
        switch (c.unicode()) {
        case ' ':
        case '%':
        case '.':
            clean += QLatin1Char('_');
            break;
        case '&':
        case '*':
            clean += QLatin1Char('+');
            break;
        case '<':
        case '>':
            clean += QLatin1Char('~');
            break;
        case '[':
            clean += QLatin1Char('(');
            break;
        case ']':
            clean += QLatin1Char(')');
            break;
        case '"':
        case ',':
        case '/':
        case ':':
        case '?':
        case '\\':
        case '|':
        case 0xBF:
            break;
        case 0xC4:
        case 0xE4:
            clean += QLatin1Char('a');
            break; // A and a with diaeresis
        case 0xD6:
        case 0xF6:
            clean += QLatin1Char('o');
            break; // O and o with diaeresis
        case 0xDC:
        case 0xFC:
            clean += QLatin1Char('u');
            break; // U and u with diaeresis
        case 0xDF:
            clean += QLatin1Char('s');
            break; // sharp s
        default:
            clean += c;
            break;
        }
    }
    return clean;
}

bool HelpRouter::showTopic(const QString &fileName, const QString &topic)
{
    const QString file = fileName.isEmpty() ? resolveHelpFile() : fileName;
    // There is no WinHelp viewer on this platform.
    if (m_helpType == HelpType::WinHelp || !htmlHelpAvailable())
        return false;
    QString name = topic;
    if (!topic.isEmpty()) {
        const qsizetype start = extensionStart(topic);
        const QString extension = start < 0 ? QString() : topic.mid(start).toLower();
        if (!extension.startsWith(QLatin1String(".htm")))
            name = (m_validateId ? cleanTopicName(topic) : topic) + QLatin1String(".htm");
    }
    const QByteArray request = requestString(withExtension(file, QStringLiteral(".chm")), name);
    return heldEntry()(0, request.constData(), HH_DISPLAY_TOPIC, 0) != 0;
}

QString HelpRouter::resolveHelpFile() const
{
    if (!m_helpFile.isEmpty())
        return m_helpFile;
    const QWidget *window = QApplication::activeWindow();
    return window ? window->property("HelpFile").toString() : QString();
}
