#include "help/HtmlHelp.h"

#include "help/ChmFile.h"
#include "help/HelpViewer.h"
#include "help/HelpViewerSet.h"
#include "help/PopupTopics.h"

#include <QApplication>
#include <QFile>
#include <QToolTip>
#include <QWidget>

namespace HtmlHelp {

namespace {

struct Request
{
    QString chmFile;
    QString topic;
};

Request splitRequest(const char *file)
{
    const QString text = QFile::decodeName(file ? QByteArray(file) : QByteArray());
    const qsizetype separator = text.indexOf(QLatin1String("::"));
    if (separator < 0)
        return {text, {}};
    QString topic = text.mid(separator + 2);
    while (topic.startsWith(QLatin1Char('/')))
        topic.remove(0, 1);
    return {text.left(separator), topic};
}

quintptr handleOf(const QWidget *window)
{
    return reinterpret_cast<quintptr>(window);
}

quintptr showTextPopup(const Request &request, const HH_POPUP *popup)
{
    if (!popup)
        return 0;
    QString text = QString::fromLocal8Bit(popup->pszText);
    if (popup->idString != 0) {
        const ChmFile chm(request.chmFile);
        text = PopupTopics::text(chm.read(QLatin1Char('/') + request.topic).value_or(QByteArray()),
                                 popup->idString);
    }
    if (text.isEmpty())
        return 0;
    QToolTip::showText(popup->pt, text);
    // The popup is the tool tip window, which has no handle of its own to give.
    return 1;
}

} // namespace

HelpViewerSet &viewers()
{
    static HelpViewerSet set;
    return set;
}

quintptr htmlHelpA(quintptr /*caller*/, const char *file, unsigned command, quintptr data)
{
    if (command == HH_CLOSE_ALL) {
        viewers().closeAll();
        QToolTip::hideText();
        return 0;
    }
    const Request request = splitRequest(file);
    if (command == HH_DISPLAY_TEXT_POPUP)
        return showTextPopup(request, reinterpret_cast<const HH_POPUP *>(data));

    QString topic = request.topic;
    if (command == HH_HELP_CONTEXT) {
        topic = ChmFile(request.chmFile).topicForContext(quint32(data));
        if (topic.isEmpty())
            return 0;
    } else if (command != HH_DISPLAY_TOPIC && command != HH_DISPLAY_TOC
               && command != HH_DISPLAY_INDEX) {
        return 0;
    }

    // Help asked for from a modal dialog is read while the dialog stays open.
    HelpViewer *viewer = viewers().open(request.chmFile, QApplication::activeModalWidget());
    if (!viewer)
        return 0;
    switch (command) {
    case HH_DISPLAY_TOC:
        viewer->showContents();
        if (!topic.isEmpty())
            viewer->showTopic(topic);
        break;
    case HH_DISPLAY_INDEX:
        viewer->showIndex(data ? QString::fromLocal8Bit(reinterpret_cast<const char *>(data))
                               : QString());
        break;
    default:
        viewer->showTopic(topic);
        break;
    }
    return handleOf(viewer);
}

} // namespace HtmlHelp
