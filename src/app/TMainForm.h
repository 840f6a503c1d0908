#pragma once

#include "app/PreviewRefresh.h"
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
class PreviewRefresh;
class ProfileGrid;
class ProfileGridModel;
class ProfilePanel;
class ProblemListModel;
class ProblemsPanel;
class ComparePanel;
class StyleComparison;
class SettingsBackingStore;
class StyleFileDialogs;
class TFormStorage;
class THelpForm;
class TTBMRUList;
class TTBMRUListItem;
class ValueEditors;
class ValueHistory;
class TShockwaveFlash;

// The editor's main window: menu bar and toolbar, the parameter grid on the
// left, the chart preview on the right and the status bar. It owns the
// document and runs the start-up sequence.
class TMainForm : public QMainWindow
{
    Q_OBJECT

public:
    // appDir holds the editor's own files; arguments are the command line's
    // arguments after the program name.
    TMainForm(const QString &appDir, const QStringList &arguments, QWidget *parent = nullptr);
    ~TMainForm() override;

    StyleDocument &document() { return m_document; }
    DocumentCommands &documentCommands() { return *m_commands; }
    ProfileGrid *ProfileGridView() const { return m_profileGrid; }
    ProfilePanel *profilePanel() const { return m_profilePanel; }
    ProblemsPanel *problemsPanel() const { return m_problemsPanel; }
    ComparePanel *comparePanel() const { return m_comparePanel; }
    ValueHistory *history() const { return m_history; }
    PreviewRefresh *preview() const { return m_preview; }
    TShockwaveFlash *ShockwaveFlash() const { return m_preview->ShockwaveFlash(); }
    QFrame *PanelFlash() const { return m_preview->PanelFlash(); }
    QLabel *statusPanel(int panel) const { return panel == 0 ? m_statusPanel0 : m_statusPanel1; }

    QAction *ANew = nullptr;
    QAction *AOpen = nullptr;
    QAction *ASave = nullptr;
    QAction *ASaveas = nullptr;
    QAction *ACompare = nullptr;
    QAction *AOptions = nullptr;
    QAction *AHelp = nullptr;
    QAction *AExit = nullptr;
    QAction *ItemStatusbar = nullptr;
    QAction *ItemFullPath = nullptr;
    QAction *ItemHelpWindow = nullptr;
    QAction *ItemProblems = nullptr;
    QAction *ItemPickInPreview = nullptr;
    QAction *ItemAbout = nullptr;
    QMenu *SubmenuFile = nullptr;
    QMenu *SubmenuEdit = nullptr;
    QMenu *SubmenuView = nullptr;
    QMenu *SubmenuAbout = nullptr;
    QToolBar *Menu = nullptr;
    QToolBar *Toolbar = nullptr;
    QToolButton *ItemOpen = nullptr;
    QTimer OpenTimer;
    TFormStorage *FormStorage = nullptr;
    THelpForm *HelpForm = nullptr;
    TTBMRUList *MRUList = nullptr;
    TTBMRUListItem *MRUItem = nullptr;     // the recent files in the File menu
    TTBMRUListItem *MRUListItem = nullptr; // ... and under the toolbar's Open button
    ValueEditors *valueEditors() const { return m_valueEditors; }

    void UpdateTitle();
    void ActionListUpdate();
    void RefreshPreview();

protected:
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

    void FormCreate();
    void FormShow();
    void OpenTimerTimer();
    void SubmenuViewPopup();
    void ItemStatusbarClick();
    void ItemFullPathClick();
    void MRUListChange();
    void FormStorageRestorePlacement(SettingsBackingStore &store);
    void FormStorageSavePlacement(SettingsBackingStore &store);
    void bringToFront();
    void AExitExecute();
    void AHelpExecute();
    void AOptionsExecute();
    void ItemHelpWindowClick();
    void XMLMemoryDataAfterScroll();
    void createHelpPanel();
    void ItemAboutClick();
    void commitSession(QSessionManager &manager);
    void ProfileGridChangeNode(int recordIndex);
    void ShockwaveFlashPicked(const QStringList &keys);
    void PValueButtonClick();
    void showCurrentParameter();
    void scheduleActionListUpdate();

    StyleDocument m_document;
    QStringList m_arguments;
    ProfileGridModel *m_gridModel = nullptr;
    ProfilePanel *m_profilePanel = nullptr;
    ProfileGrid *m_profileGrid = nullptr;
    ProblemListModel *m_problems = nullptr;
    ProblemsPanel *m_problemsPanel = nullptr;
    StyleComparison *m_comparison = nullptr;
    ComparePanel *m_comparePanel = nullptr;
    ValueHistory *m_history = nullptr;
    PreviewRefresh *m_preview = nullptr;
    QLabel *m_statusPanel0 = nullptr;
    QLabel *m_statusPanel1 = nullptr;
    bool m_actionUpdatePending = false;
    bool m_sessionCommitted = false; // the session's end has asked about unsaved changes
    QAction *m_recentFilesEnd = nullptr;
    QAction *m_clearRecentFiles = nullptr;
    QMenu *m_openMenu = nullptr;
    std::unique_ptr<StyleFileDialogs> m_dialogs;
    DocumentCommands *m_commands = nullptr;
    ValueEditors *m_valueEditors = nullptr;
};
