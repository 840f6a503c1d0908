#pragma once

#include <QWidget>

#include <memory>

class ChmBrowser;
class ChmFile;
class QLineEdit;
class QListWidget;
class QTabWidget;
class QTreeWidget;

// The help viewer window: the table of contents and the index of a help file
// on the left, its pages on the right.
class HelpViewer : public QWidget
{
    Q_OBJECT

public:
    // The viewer takes an opened help file.
    explicit HelpViewer(std::unique_ptr<ChmFile> chm, QWidget *parent = nullptr);
    ~HelpViewer() override;

    const ChmFile &chm() const { return *m_chm; }
    ChmBrowser *browser() const { return m_browser; }
    QTreeWidget *contentsTree() const { return m_contents; }
    QListWidget *indexList() const { return m_index; }
    QLineEdit *indexKeyword() const { return m_keyword; }
    QTabWidget *tabs() const { return m_tabs; }

    // An empty topic shows the file's default topic.
    void showTopic(const QString &topic);
    void showContents();
    // Shows the index with the first entry that starts with the keyword selected.
    void showIndex(const QString &keyword);

private:
    void fillContents();
    void fillIndex();
    void selectKeyword(const QString &keyword);
    void openIndexEntry();
    void bringToFront();

    std::unique_ptr<ChmFile> m_chm;
    QTabWidget *m_tabs = nullptr;
    QTreeWidget *m_contents = nullptr;
    QLineEdit *m_keyword = nullptr;
    QListWidget *m_index = nullptr;
    ChmBrowser *m_browser = nullptr;
};
