#pragma once

#include "app/PreviewArea.h"
#include "style/StyleDocument.h"

#include <QMainWindow>
#include <QTimer>

#include <memory>

class DocumentCommands;
class QAction;
class QFrame;
class QLabel;
class QMenu;
class QSessionManager;
class QToolBar;
class QToolButton;
class PreviewArea;
class ProfileGrid;
class ProfileGridModel;
class ProfilePanel;
class ProblemListModel;
class ProblemsPanel;
class ComparePanel;
class StyleComparison;
class SettingsBackingStore;
class StyleFileDialogs;
class WindowStateStore;
class HelpPanel;
class RecentFileList;
class RecentFilesMenu;
class ValueEditors;
class ValueHistory;
class FlashPlayerView;

// The editor's main window: menu bar and toolbar, the parameter grid on the
// left, the chart preview on the right and the status bar. It owns the
// document and runs the start-up sequence.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // The window edits document, which is made before it and goes after it, so
    // that the views and models reading it never outlive it. appDir holds the
    // editor's own files; arguments are the command line's arguments after the
    // program name.
    MainWindow(StyleDocument &document, const QString &appDir, const QStringList &arguments,
               QWidget *parent = nullptr);
    ~MainWindow() override;

    StyleDocument &document() { return m_document; }
    DocumentCommands &documentCommands() { return *m_commands; }
    ProfileGrid *profileGrid() const { return m_profileGrid; }
    ProfilePanel *profilePanel() const { return m_profilePanel; }
    ProblemsPanel *problemsPanel() const { return m_problemsPanel; }
    ComparePanel *comparePanel() const { return m_comparePanel; }
    ValueHistory *history() const { return m_history; }
    PreviewArea *preview() const { return m_preview; }
    FlashPlayerView *player() const { return m_preview->player(); }
    QFrame *playerPanel() const { return m_preview->playerPanel(); }
    QLabel *statusPanel(int panel) const { return panel == 0 ? m_statusPanel0 : m_statusPanel1; }

    ValueEditors *valueEditors() const { return m_valueEditors; }
    QAction *newAction() const { return m_newAction; }
    QAction *openAction() const { return m_openAction; }
    QAction *saveAction() const { return m_saveAction; }
    QAction *saveAsAction() const { return m_saveAsAction; }
    QAction *compareAction() const { return m_compareAction; }
    QAction *optionsAction() const { return m_optionsAction; }
    QAction *helpAction() const { return m_helpAction; }
    QAction *exitAction() const { return m_exitAction; }
    QAction *statusBarAction() const { return m_statusBarAction; }
    QAction *fullPathAction() const { return m_fullPathAction; }
    QAction *helpPanelAction() const { return m_helpPanelAction; }
    QAction *problemsAction() const { return m_problemsAction; }
    QAction *pickInPreviewAction() const { return m_pickInPreviewAction; }
    QAction *aboutAction() const { return m_aboutAction; }
    QMenu *fileMenu() const { return m_fileMenu; }
    QMenu *editMenu() const { return m_editMenu; }
    QMenu *viewMenu() const { return m_viewMenu; }
    QMenu *aboutMenu() const { return m_aboutMenu; }
    QToolBar *menuToolBar() const { return m_menuToolBar; }
    QToolBar *toolBar() const { return m_toolBar; }
    QToolButton *openButton() const { return m_openButton; }
    QTimer &openTimer() { return m_openTimer; }
    WindowStateStore *stateStore() const { return m_stateStore; }
    HelpPanel *helpPanel() const { return m_helpPanel; }
    RecentFileList *recentFiles() const { return m_recentFiles; }
    RecentFilesMenu *recentFilesMenu() const
    {
        return m_recentFilesMenu;
    } // the recent files in the File menu
    RecentFilesMenu *openButtonRecentFiles() const
    {
        return m_openButtonRecentFiles;
    } // ... and under the toolbar's Open button

    void updateTitle();
    void updateDocumentState();
    void refreshPreview();

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void createActions();
    void createMenus();
    void createToolbar();
    void createClientArea();
    void createProblemsPanel();
    void createComparePanel();
    void compareWith(const QString &fileName);
    void createStatusBar();
    void createFormStorage();
    void createDocumentCommands();

    void loadDocument();
    void scheduleCommandLineOpen();
    void openCommandLineFile();
    // The style file named on the command line, if it is a file; empty otherwise.
    QString commandLineFile() const;
    void syncViewMenu();
    void toggleStatusBar();
    void updateOpenButtonMenu();
    void restoreLayout(SettingsBackingStore &store);
    void saveLayout(SettingsBackingStore &store);
    void bringToFront();
    void exit();
    void showHelp();
    void editOptions();
    void toggleHelpPanel();
    void showCurrentPicture();
    void createHelpPanel();
    void showAbout();
    void commitSession(QSessionManager &manager);
    void selectRecord(int recordIndex);
    void selectPickedParameters(const QStringList &keys);
    void openValueEditor();
    void showCurrentParameter();
    // Panel 1 shows the hint under the pointer, else the current parameter.
    void showStatusPanel1();
    void scheduleActionListUpdate();

    StyleDocument &m_document;
    QStringList m_arguments;
    ProfileGridModel *m_gridModel = nullptr;
    ProfilePanel *m_profilePanel = nullptr;
    ProfileGrid *m_profileGrid = nullptr;
    ProblemListModel *m_problems = nullptr;
    ProblemsPanel *m_problemsPanel = nullptr;
    StyleComparison *m_comparison = nullptr;
    ComparePanel *m_comparePanel = nullptr;
    ValueHistory *m_history = nullptr;
    PreviewArea *m_preview = nullptr;
    QLabel *m_statusPanel0 = nullptr;
    QLabel *m_statusPanel1 = nullptr;
    QString m_parameterStatus;
    QString m_statusTip;
    bool m_actionUpdatePending = false;
    bool m_sessionCommitted = false; // the session's end has asked about unsaved changes
    QAction *m_recentFilesEnd = nullptr;
    QAction *m_clearRecentFiles = nullptr;
    QMenu *m_openMenu = nullptr;
    QAction *m_noRecentFiles = nullptr;
    std::unique_ptr<StyleFileDialogs> m_dialogs;
    DocumentCommands *m_commands = nullptr;
    ValueEditors *m_valueEditors = nullptr;
    QAction *m_newAction = nullptr;
    QAction *m_openAction = nullptr;
    QAction *m_saveAction = nullptr;
    QAction *m_saveAsAction = nullptr;
    QAction *m_compareAction = nullptr;
    QAction *m_optionsAction = nullptr;
    QAction *m_helpAction = nullptr;
    QAction *m_exitAction = nullptr;
    QAction *m_statusBarAction = nullptr;
    QAction *m_fullPathAction = nullptr;
    QAction *m_helpPanelAction = nullptr;
    QAction *m_problemsAction = nullptr;
    QAction *m_pickInPreviewAction = nullptr;
    QAction *m_aboutAction = nullptr;
    QMenu *m_fileMenu = nullptr;
    QMenu *m_editMenu = nullptr;
    QMenu *m_viewMenu = nullptr;
    QMenu *m_aboutMenu = nullptr;
    QToolBar *m_menuToolBar = nullptr;
    QToolBar *m_toolBar = nullptr;
    QToolButton *m_openButton = nullptr;
    QTimer m_openTimer;
    WindowStateStore *m_stateStore = nullptr;
    HelpPanel *m_helpPanel = nullptr;
    RecentFileList *m_recentFiles = nullptr;
    RecentFilesMenu *m_recentFilesMenu = nullptr;       // the recent files in the File menu
    RecentFilesMenu *m_openButtonRecentFiles = nullptr; // ... and under the toolbar's Open button
};
