#pragma once

#include <QTextBrowser>

class ChmFile;

// Shows the pages of a help file: every page, picture and style sheet that a
// page refers to is read out of the file. Links to anything outside the help
// file go to the shell.
class ChmBrowser : public QTextBrowser
{
    Q_OBJECT

public:
    explicit ChmBrowser(const ChmFile &chm, QWidget *parent = nullptr);

    // The address of a topic inside the help file ("chm:/Settings.html").
    static QUrl topicUrl(const QString &topic);
    // The topic shown, without the leading "/"; empty while none is.
    QString currentTopic() const;

    // Shows the topic; a topic that the file does not hold shows a notice.
    void showTopic(const QString &topic);

    QVariant loadResource(int type, const QUrl &name) override;

protected:
    void changeEvent(QEvent *event) override;

private:
    void takeLinkColor();
    void followLink(const QUrl &link);

    const ChmFile &m_chm;
};
