#pragma once

#include <QObject>
#include <QString>

#include <functional>

enum class HelpType { WinHelp, HtmlHelp, MixedMode };

// Opens topics of a help file in HTML Help, for the Options dialog's Help
// button. At most one router may exist at a time; destroying it closes every
// HTML Help window the program opened. The program asks for no context help
// (no control carries a help context), so the router routes no other requests.
class HelpRouter : public QObject
{
    Q_OBJECT

public:
    // The program's help file, beside the executable.
    static inline const QString helpFileName = QStringLiteral("TrevixStyleEditor.chm");

    // An entry point shaped like htmlHelpA: caller window, file, command, data.
    using HtmlHelpEntry = std::function<quintptr(quintptr caller, const char *file,
                                                 unsigned command, quintptr data)>;
    // Loads the HTML Help layer; an empty entry point means it is not available.
    using HtmlHelpLoader = std::function<HtmlHelpEntry()>;

    // Throws "Multiple instances of HelpRouter are not allowed" while another router exists.
    explicit HelpRouter(QObject *parent = nullptr);
    ~HelpRouter() override;

    HelpType helpType() const { return m_helpType; }
    // Choosing HTML Help loads it at once.
    void setHelpType(HelpType type);
    // The help file used when a request names none; empty: the active
    // window's "HelpFile" property.
    QString helpFile() const { return m_helpFile; }
    void setHelpFile(const QString &fileName) { m_helpFile = fileName; }
    // The text-popup topics inside the help file, as the Options dialog names
    // them; kept for that dialog only: without context help no popup is shown.
    QString chmPopupTopics() const { return m_chmPopupTopics; }
    void setChmPopupTopics(const QString &topics) { m_chmPopupTopics = topics; }
    // Clean topic names up before ".htm" is appended to them.
    bool validateId() const { return m_validateId; }
    void setValidateId(bool validate) { m_validateId = validate; }

    // Opens a topic of a help file (fileName empty: the router's own). True
    // when the viewer showed it.
    bool showTopic(const QString &fileName, const QString &topic);

    // A topic name with the characters that cannot stand in one replaced or dropped.
    static QString cleanTopicName(const QString &topic);

    // Loads the HTML Help layer on first need, and again after a failed load.
    static bool htmlHelpAvailable();
    // Replaces the loader (tests) and drops the entry point loaded so far.
    static void setHtmlHelpLoader(HtmlHelpLoader loader);

private:
    QString resolveHelpFile() const;

    HelpType m_helpType = HelpType::HtmlHelp;
    QString m_helpFile;
    QString m_chmPopupTopics;
    bool m_validateId = false;
};
