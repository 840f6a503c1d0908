#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class DocumentPrompts;
class StyleDocument;
class RecentFileList;

// The commands that change the document as a whole: New, Open, Save,
// Save as, opening a recent, dropped or command-line file, and the prompt
// that guards unsaved changes. Failures are EditorErrors that end the
// command; the caller reports them.
class DocumentCommands : public QObject
{
    Q_OBJECT

public:
    DocumentCommands(StyleDocument &document, RecentFileList &recentFiles, DocumentPrompts &prompts,
                     QObject *parent = nullptr);

    void setPrompts(DocumentPrompts &prompts) { m_prompts = &prompts; }

    void newDocument();
    void open();
    void save();
    void saveAs();
    // Asks for another style file to compare the document with.
    void compare();
    // Makes the file the current document and adds it to the recent files.
    void openStyleFile(const QString &fileName);
    // True when the current values may be discarded: unchanged, saved or given up.
    bool querySaveChanges();
    // The window is about to close: canClose stays true only when nothing unsaved is lost.
    void queryClose(bool &canClose);
    // Opens the first dropped file; the window comes to the front either way.
    void openDroppedFiles(const QStringList &fileNames);
    // A recent-files entry was chosen (it is already at the top of the list).
    void openRecentFile(const QString &fileName);

    static QString saveChangesMessage(const QString &fileName);

signals:
    void updateTitleRequested();
    // The preview should show this movie.
    void movieRequested(const QString &movie);
    void bringToFrontRequested();
    void compareRequested(const QString &fileName);

private:
    StyleDocument &m_document;
    RecentFileList &m_recentFiles;
    DocumentPrompts *m_prompts;
};
