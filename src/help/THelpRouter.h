#pragma once

#include "help/ApplicationHelp.h"

#include <QObject>
#include <QPoint>
#include <QString>

#include <functional>

enum THelpType { htWinhelp, htHTMLhelp, htMixedMode };
enum TShowType { stDefault, stMain, stPopup };

// Routes the application's help requests to HTML Help and opens topics of a
// help file. While a router exists it is the application's help handler; at
// most one router may exist at a time. Destroying it closes every HTML Help
// window the program opened and gives the handling back.
class THelpRouter : public QObject
{
    Q_OBJECT

public:
    // The program's help file, beside the executable.
    static inline const QString HelpFileName = QStringLiteral("TrevixStyleEditor.chm");

    using THelpEvent = ApplicationHelp::Handler;
    // An entry point shaped like HtmlHelpA: caller window, file, command, data.
    using HtmlHelpEntry = std::function<quintptr(quintptr caller, const char *file, unsigned command, quintptr data)>;
    // Loads the HTML Help layer; an empty entry point means it is not available.
    using HtmlHelpLoader = std::function<HtmlHelpEntry()>;

    // Throws "Multiple instances of THelpRouter are not allowed" while another router exists.
    explicit THelpRouter(QObject *parent = nullptr);
    ~THelpRouter() override;

    THelpType HelpType() const { return m_helpType; }
    // Choosing HTML Help loads it at once.
    void setHelpType(THelpType type);
    TShowType ShowType = stDefault;
    // The help file used when a request names none; empty: the active
    // window's "HelpFile" property, else the application's help file.
    QString Helpfile;
    QString CHMPopupTopics;
    // Called first for every routed request.
    THelpEvent OnHelp;
    // Clean topic names up before ".htm" is appended to them.
    bool ValidateID = false;

    // Opens a topic of a help file (fileName empty: the router's own). True
    // when the viewer showed it.
    bool ShowTopic(const QString &fileName, const QString &topic);

    // A topic name with the characters that cannot stand in one replaced or dropped.
    static QString cleanTopicName(const QString &topic);

    // Loads the HTML Help layer on first need, and again after a failed load.
    static bool htmlHelpAvailable();
    // Replaces the loader (tests) and drops the entry point loaded so far.
    static void setHtmlHelpLoader(HtmlHelpLoader loader);

private:
    bool routeHelp(quint16 command, qintptr data, bool &callHelp);
    bool callHtmlHelp(const QString &file, quint16 command, qintptr data);
    QString resolveHelpFile() const;

    THelpType m_helpType = htHTMLhelp;
    ApplicationHelp::Handler m_previousHandler;
    QPoint m_popupPos;
};
