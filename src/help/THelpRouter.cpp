#include "help/THelpRouter.h"

#include "base/EditorError.h"
#include "help/HtmlHelp.h"

#include <QApplication>
#include <QCursor>
#include <QFile>
#include <QWidget>

using namespace HtmlHelp;

namespace {

THelpRouter *&liveRouter()
{
    static THelpRouter *router = nullptr;
    return router;
}

THelpRouter::HtmlHelpLoader &htmlHelpLoader()
{
    static THelpRouter::HtmlHelpLoader loader = [] { return THelpRouter::HtmlHelpEntry(&HtmlHelp::HtmlHelpA); };
    return loader;
}

THelpRouter::HtmlHelpEntry &heldEntry()
{
    static THelpRouter::HtmlHelpEntry entry;
    return entry;
}

// The position of the file name's extension (its last "."), or -1 when it has none.
qsizetype extensionStart(const QString &fileName)
{
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    const qsizetype delimiter = qMax(fileName.lastIndexOf(QLatin1Char('/')), fileName.lastIndexOf(QLatin1Char('\\')));
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

THelpRouter::THelpRouter(QObject *parent) : QObject(parent)
{
    if (liveRouter())
        throw EditorError(QStringLiteral("Multiple instances of THelpRouter are not allowed"));
    m_previousHandler = ApplicationHelp::setHandler(
        [this](quint16 command, qintptr data, bool &callHelp) { return routeHelp(command, data, callHelp); });
    liveRouter() = this;
    ShowType = stDefault;
    CHMPopupTopics = QStringLiteral("CSHelp.txt");
}

THelpRouter::~THelpRouter()
{
    // Closes the HTML Help windows through the router, which is still installed.
    if (qobject_cast<QApplication *>(QCoreApplication::instance()) && ApplicationHelp::helpFile().isEmpty())
        ApplicationHelp::helpCommand(ApplicationHelp::HELP_QUIT, 0);
    ApplicationHelp::setHandler(m_previousHandler);
    liveRouter() = nullptr;
}

void THelpRouter::setHelpType(THelpType type)
{
    m_helpType = type;
    if (type != htWinhelp)
        htmlHelpAvailable();
}

bool THelpRouter::htmlHelpAvailable()
{
    if (!heldEntry())
        heldEntry() = htmlHelpLoader()();
    return bool(heldEntry());
}

void THelpRouter::setHtmlHelpLoader(HtmlHelpLoader loader)
{
    htmlHelpLoader() = std::move(loader);
    heldEntry() = nullptr;
}

QString THelpRouter::cleanTopicName(const QString &topic)
{
    QString clean;
    clean.reserve(topic.size());
    for (const QChar c : topic) {
        switch (c.unicode()) {
        case ' ': case '%': case '.': clean += QLatin1Char('_'); break;
        case '&': case '*': clean += QLatin1Char('+'); break;
        case '<': case '>': clean += QLatin1Char('~'); break;
        case '[': clean += QLatin1Char('('); break;
        case ']': clean += QLatin1Char(')'); break;
        case '"': case ',': case '/': case ':': case '?': case '\\': case '|': case 0xBF: break;
        case 0xC4: case 0xE4: clean += QLatin1Char('a'); break; // A and a with diaeresis
        case 0xD6: case 0xF6: clean += QLatin1Char('o'); break; // O and o with diaeresis
        case 0xDC: case 0xFC: clean += QLatin1Char('u'); break; // U and u with diaeresis
        case 0xDF: clean += QLatin1Char('s'); break;            // sharp s
        default: clean += c; break;
        }
    }
    return clean;
}

bool THelpRouter::ShowTopic(const QString &fileName, const QString &topic)
{
    const QString file = fileName.isEmpty() ? resolveHelpFile() : fileName;
    // There is no WinHelp viewer on this platform.
    if (m_helpType == htWinhelp || !htmlHelpAvailable())
        return false;
    QString name = topic;
    if (!topic.isEmpty()) {
        const qsizetype start = extensionStart(topic);
        const QString extension = start < 0 ? QString() : topic.mid(start).toLower();
        if (!extension.startsWith(QLatin1String(".htm")))
            name = (ValidateID ? cleanTopicName(topic) : topic) + QLatin1String(".htm");
    }
    const QByteArray request = requestString(withExtension(file, QStringLiteral(".chm")), name);
    return heldEntry()(0, request.constData(), HH_DISPLAY_TOPIC, 0) != 0;
}

bool THelpRouter::routeHelp(quint16 command, qintptr data, bool &callHelp)
{
    bool result = false;
    if (OnHelp)
        result = OnHelp(command, data, callHelp);
    if (callHelp && m_previousHandler)
        result = m_previousHandler(command, data, callHelp);
    if (!callHelp)
        return result;
    const bool popupCommand = command == ApplicationHelp::HELP_CONTEXTPOPUP
                              || command == ApplicationHelp::HELP_SETPOPUP_POS;
    const bool html = m_helpType == htHTMLhelp || (m_helpType == htMixedMode && !popupCommand);
    // Anything else would go to WinHelp, which this platform does not have.
    if (!html || !htmlHelpAvailable())
        return result;
    result = callHtmlHelp(withExtension(resolveHelpFile(), QStringLiteral(".chm")), command, data);
    callHelp = false;
    return result;
}

bool THelpRouter::callHtmlHelp(const QString &file, quint16 command, qintptr data)
{
    const HtmlHelpEntry &htmlHelp = heldEntry();
    const QByteArray request = requestString(file, QString());
    if (ShowType == stMain && command == ApplicationHelp::HELP_CONTEXTPOPUP)
        command = ApplicationHelp::HELP_CONTEXT;

    switch (command) {
    case ApplicationHelp::HELP_CONTEXT:
        htmlHelp(0, request.constData(), HH_HELP_CONTEXT, quintptr(data));
        return true;
    case ApplicationHelp::HELP_QUIT:
        htmlHelp(0, nullptr, HH_CLOSE_ALL, 0);
        return true;
    case ApplicationHelp::HELP_CONTENTS:
    case ApplicationHelp::HELP_FINDER:
        htmlHelp(0, request.constData(), HH_DISPLAY_TOC, 0);
        return true;
    case ApplicationHelp::HELP_FORCEFILE:
        htmlHelp(0, request.constData(), data != 0 ? HH_DISPLAY_INDEX : HH_DISPLAY_TOC, 0);
        return true;
    case ApplicationHelp::HELP_KEY:
    case ApplicationHelp::HELP_PARTIALKEY:
        htmlHelp(0, request.constData(), HH_DISPLAY_INDEX, quintptr(data));
        return true;
    case ApplicationHelp::HELP_CONTEXTPOPUP: {
        HH_POPUP popup;
        popup.idString = quint32(data);
        popup.pt = m_popupPos.isNull() ? QCursor::pos() : m_popupPos;
        popup.pszFont = "MS Sans Serif, 8";
        const QWidget *window = QApplication::activeWindow();
        const QByteArray popupRequest = requestString(file, CHMPopupTopics);
        htmlHelp(reinterpret_cast<quintptr>(window), popupRequest.constData(), HH_DISPLAY_TEXT_POPUP,
                 reinterpret_cast<quintptr>(&popup));
        m_popupPos = QPoint();
        return true;
    }
    case ApplicationHelp::HELP_SETPOPUP_POS:
        if (ShowType == stMain)
            return false;
        // The position comes as two 16-bit signed numbers, x in the low half.
        m_popupPos = QPoint(qint16(data & 0xFFFF), qint16((data >> 16) & 0xFFFF));
        return true;
    default:
        return false;
    }
}

QString THelpRouter::resolveHelpFile() const
{
    if (!Helpfile.isEmpty())
        return Helpfile;
    if (const QWidget *window = QApplication::activeWindow()) {
        const QString own = window->property("HelpFile").toString();
        if (!own.isEmpty())
            return own;
    }
    return ApplicationHelp::helpFile();
}
