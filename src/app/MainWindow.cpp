#include "app/MainWindow.h"

#include "app/ComparePanel.h"
#include "app/DocumentCommands.h"
#include "app/GridLayoutStore.h"
#include "app/OptionsDialog.h"
#include "app/PreviewArea.h"
#include "app/ProblemsPanel.h"
#include "app/RecentFileList.h"
#include "app/RecentFilesMenu.h"
#include "app/StyleFileDialogs.h"
#include "app/TrevixApplication.h"
#include "app/ValueHistory.h"
#include "base/AboutText.h"
#include "base/ErrorReport.h"
#include "base/LocalFile.h"
#include "base/SystemText.h"
#include "editors/ProfileGrid.h"
#include "editors/ProfilePanel.h"
#include "editors/ValueEditors.h"
#include "help/AboutDialog.h"
#include "help/HelpPanel.h"
#include "help/HelpRouter.h"
#include "help/ShellOpen.h"
#include "params/ProfileGridModel.h"
#include "preview/FlashPlayerView.h"
#include "settings/SettingsBackingStore.h"
#include "settings/WidgetFormWindow.h"
#include "settings/WindowStateStore.h"
#include "style/ProblemListModel.h"
#include "style/StyleComparison.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QSessionManager>
#include <QShowEvent>
#include <QSplitter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>

namespace {

// Long enough to be read; the panels come back afterwards.
constexpr int StatusMessageMs = 10000;

QIcon commandIcon(const char *name)
{
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
}

} // namespace

MainWindow::MainWindow(StyleDocument &document, const QString &appDir, const QStringList &arguments,
                       QWidget *parent)
    : QMainWindow(parent), m_document(document), m_arguments(arguments)
{
    m_document.setAppDir(QDir(appDir).absolutePath() + QLatin1Char('/'));
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(AboutText::title());
    TrevixApplication::setTitle(AboutText::title());
    resize(700, 400);
    setMinimumWidth(700);
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());

    createActions();
    createClientArea();
    createProblemsPanel();
    createComparePanel();
    createMenus();
    createToolbar();
    createStatusBar();
    createDocumentCommands();
    createFormStorage();
    // The window opens with the grid focused, not the filter box above it.
    m_profileGrid->setFocus(Qt::OtherFocusReason);

    m_openTimer.setInterval(10);
    m_openTimer.setSingleShot(true);
    connect(&m_openTimer, &QTimer::timeout, this,
            [this] { ErrorReport::guard([this] { openCommandLineFile(); }); });
    connect(&m_document, &StyleDocument::stateChanged, this, &MainWindow::scheduleActionListUpdate);
    connect(&m_document, &StyleDocument::refreshRequested, this, &MainWindow::refreshPreview);
    connect(qApp, &QGuiApplication::commitDataRequest, this, &MainWindow::commitSession);
    // An edit after the session's end was called off asks again at the next close.
    connect(&m_document.table(), &ParameterTable::afterPost, this,
            [this] { m_sessionCommitted = false; });

    ErrorReport::guard([this] { loadDocument(); });
    scheduleActionListUpdate();
    // The value popups are made at their first use, each belonging to the main window.
    m_valueEditors = new ValueEditors(&m_document, m_profileGrid, this);
    connect(m_profileGrid, &ProfileGrid::valueButtonClicked, this, &MainWindow::openValueEditor);
    createHelpPanel();
}

MainWindow::~MainWindow() = default;

void MainWindow::createActions()
{
    struct Command
    {
        QAction *&action;
        const char *caption;
        QKeySequence shortcut;
        const char *icon;
    };
    const Command commands[] = {
            {m_newAction, "New", QKeySequence(Qt::CTRL | Qt::Key_N), "new"},
            {m_openAction, "Open...", QKeySequence(Qt::CTRL | Qt::Key_O), "open"},
            {m_saveAction, "Save", QKeySequence(Qt::CTRL | Qt::Key_S), "save"},
            {m_saveAsAction, "Save as...", QKeySequence(), "saveas"},
            {m_optionsAction, "Options...", QKeySequence(), "options"},
            {m_helpAction, "Help", QKeySequence(Qt::Key_F1), "help"},
            {m_exitAction, "Exit", QKeySequence(Qt::CTRL | Qt::Key_X), nullptr},
    };
    for (const Command &c : commands) {
        c.action = new QAction(QString::fromLatin1(c.caption), this);
        c.action->setToolTip(QString::fromLatin1(c.caption));
        c.action->setStatusTip(QString::fromLatin1(c.caption));
        c.action->setShortcut(c.shortcut);
        if (c.icon)
            c.action->setIcon(commandIcon(c.icon));
        addAction(c.action); // shortcuts work wherever the focus is
    }
    m_compareAction = new QAction(tr("Compare with..."), this);
    m_compareAction->setObjectName(QStringLiteral("ACompare"));
    m_compareAction->setStatusTip(
            tr("List the parameters whose value differs in another style file"));
    connect(m_exitAction, &QAction::triggered, this, &MainWindow::exit);
    connect(m_helpAction, &QAction::triggered, this, &MainWindow::showHelp);
    connect(m_optionsAction, &QAction::triggered, this,
            [this] { ErrorReport::guard([this] { editOptions(); }); });

    m_statusBarAction = new QAction(tr("Status bar"), this);
    m_statusBarAction->setCheckable(true);
    m_statusBarAction->setChecked(true);
    m_statusBarAction->setStatusTip(tr("Status bar"));
    connect(m_statusBarAction, &QAction::triggered, this, &MainWindow::toggleStatusBar);

    m_fullPathAction = new QAction(tr("Full file path at title"), this);
    m_fullPathAction->setObjectName(QStringLiteral("ItemFullPath"));
    m_fullPathAction->setCheckable(true);
    m_fullPathAction->setChecked(true);
    m_fullPathAction->setStatusTip(tr("Full file path at title"));
    connect(m_fullPathAction, &QAction::triggered, this, &MainWindow::updateTitle);

    m_helpPanelAction = new QAction(tr("Help Panel"), this);
    m_helpPanelAction->setObjectName(QStringLiteral("ItemHelpWindow"));
    m_helpPanelAction->setCheckable(true);
    m_helpPanelAction->setVisible(false);
    connect(m_helpPanelAction, &QAction::triggered, this, &MainWindow::toggleHelpPanel);

    m_problemsAction = new QAction(tr("Problems"), this);
    m_problemsAction->setObjectName(QStringLiteral("ItemProblems"));
    m_problemsAction->setCheckable(true);
    m_problemsAction->setStatusTip(
            tr("List what the style file holds that the profile does not allow"));

    // Clicks on the chart select the parameters of what was clicked; the movie gets no ordinary clicks meanwhile.
    m_pickInPreviewAction = new QAction(commandIcon("pick"), tr("Pick in preview"), this);
    m_pickInPreviewAction->setObjectName(QStringLiteral("ItemPickInPreview"));
    m_pickInPreviewAction->setCheckable(true);
    m_pickInPreviewAction->setToolTip(
            tr("Pick in preview: click the chart to select its parameters"));
    m_pickInPreviewAction->setStatusTip(
            tr("A click on the chart selects the parameters that style what was clicked"));

    m_aboutAction = new QAction(tr("About..."), this);
    connect(m_aboutAction, &QAction::triggered, this, &MainWindow::showAbout);
}

void MainWindow::createMenus()
{
    auto *menuBar = new QMenuBar;
    menuBar->setObjectName(QStringLiteral("MenuBar"));

    m_fileMenu = menuBar->addMenu(tr("&File"));
    m_fileMenu->addActions(
            {m_newAction, m_openAction, m_saveAction, m_saveAsAction, m_compareAction});
    m_fileMenu->addSeparator();
    // The recent files are listed between these two separators.
    m_recentFilesEnd = m_fileMenu->addSeparator();
    m_fileMenu->addAction(m_exitAction);

    m_editMenu = menuBar->addMenu(tr("&Edit"));
    m_editMenu->addActions({m_history->undoAction(), m_history->redoAction()});
    m_editMenu->addSeparator();
    m_editMenu->addActions({m_history->resetAction(), m_history->resetAllAction()});
    m_editMenu->addSeparator();
    m_editMenu->addAction(m_profilePanel->findAction());

    m_viewMenu = menuBar->addMenu(tr("&View"));
    m_viewMenu->addActions({m_statusBarAction, m_fullPathAction, m_helpPanelAction,
                            m_problemsAction, m_pickInPreviewAction});
    m_viewMenu->addSeparator();
    m_viewMenu->addAction(m_profilePanel->showModifiedAction());
    m_viewMenu->addSeparator();
    m_viewMenu->addAction(m_optionsAction);
    connect(m_viewMenu, &QMenu::aboutToShow, this, &MainWindow::syncViewMenu);

    m_aboutMenu = menuBar->addMenu(tr("&About"));
    m_aboutMenu->addAction(m_helpAction);
    m_aboutMenu->addSeparator();
    m_aboutMenu->addAction(m_aboutAction);

    // The menu bar sits in a bar of its own, so it can be docked or floated like the toolbar.
    m_menuToolBar = new QToolBar(tr("Menu"), this);
    m_menuToolBar->setObjectName(QStringLiteral("Menu"));
    m_menuToolBar->setIconSize(QSize(16, 16));
    m_menuToolBar->addWidget(menuBar);
    m_menuToolBar->toggleViewAction()->setVisible(false);
    addToolBar(Qt::TopToolBarArea, m_menuToolBar);
    addToolBarBreak(Qt::TopToolBarArea);
}

void MainWindow::createToolbar()
{
    m_toolBar = new QToolBar(tr("Toolbar"), this);
    m_toolBar->setObjectName(QStringLiteral("Toolbar"));
    m_toolBar->setIconSize(QSize(32, 32));
    m_toolBar->toggleViewAction()->setVisible(false);
    m_toolBar->addAction(m_newAction);

    // The Open button has its own caption; it drops down the recent files once there are any.
    m_openButton = new QToolButton(m_toolBar);
    m_openButton->setObjectName(QStringLiteral("ItemOpen"));
    m_openButton->setText(tr("Open"));
    m_openButton->setToolTip(tr("Open..."));
    m_openButton->setIcon(commandIcon("open"));
    connect(m_openButton, &QToolButton::clicked, m_openAction, &QAction::trigger);
    m_toolBar->addWidget(m_openButton);

    m_toolBar->addAction(m_saveAction);
    m_toolBar->addAction(m_saveAsAction);
    m_toolBar->addSeparator();
    m_toolBar->addAction(m_history->undoAction());
    m_toolBar->addAction(m_history->redoAction());
    m_toolBar->addAction(m_profilePanel->showModifiedAction());
    m_toolBar->addAction(m_pickInPreviewAction);
    m_toolBar->addSeparator();
    m_toolBar->addAction(m_optionsAction);
    m_toolBar->addAction(m_helpAction);
    addToolBar(Qt::TopToolBarArea, m_toolBar);
}

void MainWindow::createClientArea()
{
    m_gridModel = new ProfileGridModel(&m_document.table(), this);
    m_profilePanel = new ProfilePanel(m_gridModel);
    m_profileGrid = m_profilePanel->grid();
    m_profileGrid->setObjectName(QStringLiteral("ProfileGrid"));
    connect(m_profileGrid, &ProfileGrid::currentRecordChanged, this, &MainWindow::selectRecord);
    connect(&m_document.table(), &ParameterTable::valueChanged, this, [this](int index) {
        if (index == m_profileGrid->currentRecord())
            showCurrentParameter();
    });
    // New, Open and the like change every value in one walk of the table.
    connect(&m_document.table(), &ParameterTable::controlsEnabled, this,
            &MainWindow::showCurrentParameter);

    m_history = new ValueHistory(&m_document, m_profileGrid, this);
    for (QAction *action :
         {m_history->undoAction(), m_history->redoAction(), m_history->resetAction(),
          m_history->resetAllAction(), m_profilePanel->findAction()})
        addAction(action); // shortcuts work wherever the focus is
    m_profileGrid->setContextMenuPolicy(Qt::ActionsContextMenu);
    m_profileGrid->addActions(
            {m_history->resetAction(), m_history->undoAction(), m_history->redoAction()});

    auto *previewSplitter = new QSplitter(Qt::Horizontal);
    previewSplitter->setObjectName(QStringLiteral("PreviewSplitter"));
    previewSplitter->addWidget(m_profilePanel);
    m_preview = new PreviewArea(
            previewSplitter, m_profileGrid, m_document.appDir(),
            [this](const QString &name) { return m_stateStore->readStoredValue(name); }, this);
    m_preview->player()->setDeviceFontFamilies([this] {
        // The fonts the style names are the ones the chart asks for.
        QStringList fonts;
        const ParameterTable &table = m_document.table();
        for (int i = 0; i < table.count(); ++i) {
            if (table.record(i).type() == QLatin1String("font"))
                fonts.append(table.record(i).value());
        }
        return fonts;
    });
    FlashPlayerView *player = m_preview->player();
    connect(m_pickInPreviewAction, &QAction::toggled, this, [this, player](bool picking) {
        player->setPicking(picking);
        if (!picking)
            m_gridModel->setHighlighted({});
    });
    connect(player, &FlashPlayerView::picked, this, &MainWindow::selectPickedParameters);
    connect(player, &FlashPlayerView::restarted, this, [this] {
        statusBar()->showMessage(tr("The preview stopped unexpectedly and was restarted."),
                                 StatusMessageMs);
    });
    setCentralWidget(previewSplitter);
}

void MainWindow::createProblemsPanel()
{
    m_problems = new ProblemListModel(&m_document, this);
    m_problemsPanel = new ProblemsPanel(m_problems, this);
    addDockWidget(Qt::BottomDockWidgetArea, m_problemsPanel);
    resizeDocks({m_problemsPanel}, {90}, Qt::Vertical);
    connect(m_problemsPanel, &ProblemsPanel::parameterChosen, this, [this](int record) {
        m_profilePanel->showRecord(record);
        m_profileGrid->setFocus(Qt::OtherFocusReason);
    });
    // The View menu's check and the dock's visibility follow each other, the
    // dock's close button included; the stored check restores the dock.
    connect(m_problemsAction, &QAction::toggled, m_problemsPanel, &QWidget::setVisible);
    connect(m_problemsPanel->toggleViewAction(), &QAction::toggled, m_problemsAction,
            &QAction::setChecked);
    // Closed until the user opens it: across the window's bottom it would take
    // the room the chart needs at the window's designed size.
    m_problemsPanel->hide();
}

void MainWindow::createComparePanel()
{
    m_comparison = new StyleComparison(&m_document, this);
    m_comparePanel = new ComparePanel(m_comparison, m_history, this);
    addDockWidget(Qt::BottomDockWidgetArea, m_comparePanel);
    m_comparePanel->hide();
    m_comparePanel->toggleViewAction()->setVisible(false);
}

void MainWindow::compareWith(const QString &fileName)
{
    m_comparison->compareWith(fileName);
    if (m_problemsPanel->isVisible()
        && !tabifiedDockWidgets(m_problemsPanel).contains(m_comparePanel))
        tabifyDockWidget(m_problemsPanel, m_comparePanel);
    m_comparePanel->show();
    m_comparePanel->raise();
    // Room for a few rows with their Take buttons.
    if (m_comparePanel->height() < 200)
        resizeDocks({m_comparePanel}, {200}, Qt::Vertical);
}

void MainWindow::createStatusBar()
{
    m_statusPanel0 = new QLabel;
    m_statusPanel0->setObjectName(QStringLiteral("StatusPanel0"));
    m_statusPanel0->setFixedWidth(100);
    m_statusPanel1 = new QLabel;
    m_statusPanel1->setObjectName(QStringLiteral("StatusPanel1"));
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    statusBar()->addWidget(m_statusPanel0);
    statusBar()->addWidget(m_statusPanel1, 1);
}

void MainWindow::createFormStorage()
{
    // Inactive until loadDocument switches it on; restores at the first show, saves at close.
    m_stateStore = new WindowStateStore(this);
    m_stateStore->setObjectName(QStringLiteral("FormStorage"));
    m_stateStore->setSection(QStringLiteral("Melbrin\\TrevixStyleEditor"));
    m_stateStore->setOptions(
            {FormPlacement::State, FormPlacement::Position, FormPlacement::ActiveControl});
    m_stateStore->setStoredProperties(
            {QStringLiteral("StatusBar.Visible"), QStringLiteral("ItemFullPath.Checked"),
             QStringLiteral("ItemHelpWindow.Checked"), QStringLiteral("ItemProblems.Checked"),
             QStringLiteral("ItemPickInPreview.Checked")});
    const PreviewSettings defaults;
    for (const PreviewSettings::Item item : PreviewSettings::items())
        m_stateStore->addStoredValue(StoredValue(PreviewSettings::storedName(item),
                                                 defaults.storedValue(item),
                                                 PreviewSettings::scrambleKey(item)));
    m_stateStore->setRestoreHandler([this](SettingsBackingStore &store) { restoreLayout(store); });
    m_stateStore->setSaveHandler([this](SettingsBackingStore &store) { saveLayout(store); });
    WidgetFormWindow::attach(*m_stateStore, this);
}

void MainWindow::createDocumentCommands()
{
    m_recentFiles = new RecentFileList(this);
    m_recentFiles->setObjectName(QStringLiteral("MRUList"));
    // The entries stand above "Clear list", which closes their group while there are any.
    m_clearRecentFiles = new QAction(tr("Clear list"), this);
    m_clearRecentFiles->setObjectName(QStringLiteral("ItemClearRecentFiles"));
    m_clearRecentFiles->setStatusTip(tr("Forget the recently opened files"));
    m_clearRecentFiles->setVisible(false);
    m_fileMenu->insertAction(m_recentFilesEnd, m_clearRecentFiles);
    m_recentFilesMenu = new RecentFilesMenu(m_fileMenu, m_clearRecentFiles, this);
    m_recentFilesMenu->setMRUList(m_recentFiles);
    // The Open button keeps its arrow with an empty list too: the buttons
    // beside it stay where the pointer expects them.
    m_openMenu = new QMenu(m_openButton);
    m_noRecentFiles = m_openMenu->addAction(tr("No recent files"));
    m_noRecentFiles->setEnabled(false);
    m_openButtonRecentFiles = new RecentFilesMenu(m_openMenu, m_noRecentFiles, this);
    m_openButton->setMenu(m_openMenu);
    m_openButton->setPopupMode(QToolButton::MenuButtonPopup);
    m_openButtonRecentFiles->setMRUList(m_recentFiles);
    connect(m_recentFiles, &RecentFileList::changed, this, &MainWindow::updateOpenButtonMenu);
    connect(m_clearRecentFiles, &QAction::triggered, m_recentFiles, &RecentFileList::clear);

    m_dialogs = std::make_unique<StyleFileDialogs>(this);
    m_commands = new DocumentCommands(m_document, *m_recentFiles, *m_history, *m_dialogs, this);
    connect(m_commands, &DocumentCommands::updateTitleRequested, this, &MainWindow::updateTitle);
    connect(m_commands, &DocumentCommands::movieRequested, m_preview->player(),
            &FlashPlayerView::setMovie);
    connect(m_commands, &DocumentCommands::bringToFrontRequested, this, &MainWindow::bringToFront);
    connect(m_commands, &DocumentCommands::statusMessage, this, [this](const QString &message) {
        statusBar()->showMessage(SystemText::displayed(message), StatusMessageMs);
    });
    // Other programs' changes to the open file: as they happen, and when the
    // user comes back from another program (where no notice comes, a network drive say).
    const auto checkOutsideChange = [this] {
        ErrorReport::guard([this] { m_commands->checkOutsideChange(); });
    };
    connect(m_commands, &DocumentCommands::outsideChangeNoticed, this, checkOutsideChange);
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            [checkOutsideChange](Qt::ApplicationState state) {
                if (state == Qt::ApplicationActive)
                    checkOutsideChange();
            });

    const auto guarded = [this](void (DocumentCommands::*command)()) {
        return [this, command] {
            ErrorReport::guard([this, command] { (m_commands->*command)(); });
        };
    };
    connect(m_newAction, &QAction::triggered, this, guarded(&DocumentCommands::newDocument));
    connect(m_openAction, &QAction::triggered, this, guarded(&DocumentCommands::open));
    connect(m_saveAction, &QAction::triggered, this, guarded(&DocumentCommands::save));
    connect(m_saveAsAction, &QAction::triggered, this, guarded(&DocumentCommands::saveAs));
    connect(m_compareAction, &QAction::triggered, this, guarded(&DocumentCommands::compare));
    connect(m_commands, &DocumentCommands::compareRequested, this, [this](const QString &fileName) {
        ErrorReport::guard([this, &fileName] { compareWith(fileName); });
    });
    connect(m_recentFiles, &RecentFileList::clicked, this, [this](const QString &fileName) {
        ErrorReport::guard([this, &fileName] { m_commands->openRecentFile(fileName); });
    });
    // Files dropped anywhere on the window.
    setAcceptDrops(true);
}

void MainWindow::createHelpPanel()
{
    // The last window made at start-up; it lives, shown or hidden, until the end.
    m_helpPanel = new HelpPanel(this);
    connect(m_helpPanel, &HelpPanel::closedByUser, m_helpPanelAction,
            [this] { m_helpPanelAction->setChecked(false); });
    connect(&m_document.table(), &ParameterTable::currentChanged, this,
            [this] { ErrorReport::guard([this] { showCurrentPicture(); }); });
}

void MainWindow::restoreLayout(SettingsBackingStore &store)
{
    m_recentFiles->loadFromStore(store, m_stateStore->section() + QStringLiteral("\\ReopenList"));
    // The help panel is offered only where its pictures are.
    if (QDir(m_document.appDir() + QStringLiteral("img")).exists()) {
        m_helpPanelAction->setVisible(true);
        m_helpPanel->setVisible(m_helpPanelAction->isChecked());
    }
    GridLayoutStore::restore(store, m_stateStore->section(), *m_profileGrid, *m_preview);
}

void MainWindow::loadDocument()
{
    StyleDocument &doc = m_document;
    m_stateStore->setActive(true);
    doc.loadProfile(doc.appDir() + QStringLiteral("Style.xml"));
    doc.loadStyleValues(doc.styleTxtPath());
    updateTitle();
    doc.setModified(false);
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (event->spontaneous())
        return;
    // Without a file to open the chart is known now: a picture the preview kept of it shows
    // from the first paint.
    if (commandLineFile().isEmpty())
        ErrorReport::guard([this] { refreshPreview(); });
    scheduleCommandLineOpen();
}

QString MainWindow::commandLineFile() const
{
    return !m_arguments.isEmpty() && LocalFile::isFile(m_arguments.first()) ? m_arguments.first()
                                                                            : QString();
}

void MainWindow::scheduleCommandLineOpen()
{
    m_openTimer.start();
}

void MainWindow::openCommandLineFile()
{
    m_openTimer.stop();
    // Edits an editor that ended left unsaved come first; another file of
    // the command line then opens as any other, asking about them.
    const std::optional<QString> restored = m_commands->offerLeftOverEdits();
    // Without a file named the preview was refreshed when the window showed.
    if (m_arguments.isEmpty())
        return;
    const QString file = commandLineFile();
    if (!file.isEmpty()) {
        if (!restored)
            m_commands->openStyleFile(file);
        else if (QFileInfo(file) != QFileInfo(*restored) && m_commands->querySaveChanges())
            m_commands->openStyleFile(file);
    }
    refreshPreview();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    bool canClose = true;
    // The end of a session closes the window once it has asked itself.
    if (!m_sessionCommitted)
        ErrorReport::guard([this, &canClose] { m_commands->queryClose(canClose); });
    event->setAccepted(canClose);
}

void MainWindow::commitSession(QSessionManager &manager)
{
    // The user logs off or shuts down: the question about unsaved changes
    // where the session manager lets the program ask (Cancel, or a save that
    // fails, asks it to stay), then the settings, as at a close.
    if (manager.allowsInteraction()) {
        bool canEnd = true;
        const bool asked = ErrorReport::guard([this, &canEnd] { m_commands->queryClose(canEnd); });
        if (!asked || !canEnd) {
            manager.cancel();
            return;
        }
    }
    m_sessionCommitted = true;
    ErrorReport::guard([this] { m_stateStore->saveSettings(); });
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (std::any_of(urls.cbegin(), urls.cend(), [](const QUrl &url) { return url.isLocalFile(); }))
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    QStringList fileNames;
    for (const QUrl &url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            fileNames.append(LocalFile::nameOf(url));
    }
    event->acceptProposedAction();
    ErrorReport::guard([this, &fileNames] { m_commands->openDroppedFiles(fileNames); });
}

void MainWindow::bringToFront()
{
    setWindowState(windowState() & ~Qt::WindowMinimized);
    raise();
    activateWindow();
}

void MainWindow::updateOpenButtonMenu()
{
    const bool any = !m_recentFiles->items().isEmpty();
    m_noRecentFiles->setVisible(!any);
    m_clearRecentFiles->setVisible(any);
}

void MainWindow::saveLayout(SettingsBackingStore &store)
{
    m_recentFiles->saveToStore(store, m_stateStore->section() + QStringLiteral("\\ReopenList"));
    GridLayoutStore::save(store, m_stateStore->section(), *m_profileGrid, *m_preview);
}

void MainWindow::updateTitle()
{
    const QString &fileName = m_document.fileName();
    QString shown = QStringLiteral("Untitled");
    if (!fileName.isEmpty())
        shown = m_fullPathAction->isChecked() ? fileName : QFileInfo(fileName).fileName();
    const QString caption
            = QStringLiteral("%1 - [%2]").arg(AboutText::title(), SystemText::displayed(shown));
    setWindowTitle(caption);
    TrevixApplication::setTitle(caption);
}

void MainWindow::scheduleActionListUpdate()
{
    // Status panel 0 follows the document state at the next idle moment.
    if (m_actionUpdatePending)
        return;
    m_actionUpdatePending = true;
    QTimer::singleShot(0, this, [this] {
        m_actionUpdatePending = false;
        updateDocumentState();
    });
}

void MainWindow::updateDocumentState()
{
    if (m_document.isModified())
        m_statusPanel0->setText(tr("Modified"));
    else if (!m_document.fileName().isEmpty())
        m_statusPanel0->setText(tr("Saved"));
    else
        m_statusPanel0->clear();
}

void MainWindow::syncViewMenu()
{
    m_statusBarAction->setChecked(!statusBar()->isHidden());
}

void MainWindow::toggleStatusBar()
{
    statusBar()->setVisible(m_statusBarAction->isChecked());
}

void MainWindow::toggleHelpPanel()
{
    m_helpPanel->setVisible(m_helpPanelAction->isChecked());
}

void MainWindow::showCurrentPicture()
{
    const StyleDocument &doc = m_document;
    // Walks over the whole table suspend the views: only the user's own moves change the picture.
    if (!doc.isTableReady() || !m_helpPanelAction->isChecked() || doc.isInValueEditor()
        || doc.table().controlsDisabled())
        return;
    const QString picture = doc.appDir() + QStringLiteral("img/") + doc.table().current().name()
                            + QStringLiteral(".gif");
    if (QFileInfo::exists(picture))
        m_helpPanel->loadPicture(picture);
    else
        m_helpPanel->clearPicture();
}

void MainWindow::showHelp()
{
    shellOpen(m_document.appDir() + HelpRouter::helpFileName);
}

void MainWindow::editOptions()
{
    const PreviewSettings stored = PreviewSettings::read(
            [this](const QString &name) { return m_stateStore->readStoredValue(name); });
    const std::optional<PreviewSettings> chosen = OptionsDialog::edit(m_document.appDir(), stored,
                                                                      this);
    if (!chosen)
        return;
    for (const PreviewSettings::Item item : PreviewSettings::items())
        m_stateStore->writeStoredValue(PreviewSettings::storedName(item), chosen->storedValue(item));
    // Options fit the panel to the movie again, whatever the splitter was left at.
    m_preview->fitToMovieAgain();
    refreshPreview();
}

void MainWindow::showAbout()
{
    AboutDialog about(this);
    about.exec();
}

void MainWindow::exit()
{
    close();
}

void MainWindow::openValueEditor()
{
    m_valueEditors->openValueEditor();
}

void MainWindow::selectRecord(int recordIndex)
{
    if (recordIndex >= 0)
        m_document.table().setCurrentIndex(recordIndex);
    showCurrentParameter();
}

void MainWindow::selectPickedParameters(const QStringList &keys)
{
    // The first parameter the profile knows is selected, the others it knows are highlighted.
    const QList<int> records = m_document.table().recordsOfKeys(keys);
    if (records.isEmpty())
        return;
    m_gridModel->setHighlighted(records.mid(1));
    // In the middle of the grid, the others of its section are in sight too.
    m_profilePanel->showRecord(records.first(), QAbstractItemView::PositionAtCenter);
    m_profileGrid->setFocus(Qt::OtherFocusReason);
    showCurrentParameter();
}

void MainWindow::showCurrentParameter()
{
    // No parameter is shown for a section row or for a row the filter hid.
    const int record = m_profileGrid->currentRecord();
    m_parameterStatus.clear();
    if (record >= 0) {
        const ParameterRecord &r = m_document.table().record(record);
        m_parameterStatus = SystemText::displayed(r.group() + QStringLiteral(" : ") + r.caption()
                                                  + QStringLiteral(" = ") + r.value());
    }
    showStatusPanel1();
}

void MainWindow::showStatusPanel1()
{
    m_statusPanel1->setText(m_statusTip.isEmpty() ? m_parameterStatus : m_statusTip);
}

bool MainWindow::event(QEvent *event)
{
    // A hint takes the current parameter's place in panel 1 while it shows,
    // rather than the whole bar: the document's state stays in sight.
    if (event->type() == QEvent::StatusTip) {
        m_statusTip = static_cast<QStatusTipEvent *>(event)->tip();
        showStatusPanel1();
        return true;
    }
    return QMainWindow::event(event);
}

void MainWindow::refreshPreview()
{
    m_preview->refreshPreview();
}
