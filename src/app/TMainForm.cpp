#include "app/TMainForm.h"

#include "app/ComparePanel.h"
#include "app/DocumentCommands.h"
#include "base/ErrorReport.h"
#include "app/ProblemsPanel.h"
#include "app/StyleFileDialogs.h"
#include "base/SystemText.h"
#include "app/TTBMRUList.h"
#include "app/TTBMRUListItem.h"
#include "app/TrevixApplication.h"
#include "app/GridLayoutStore.h"
#include "app/PreviewRefresh.h"
#include "app/ValueHistory.h"
#include "base/VariantConversion.h"
#include "editors/ProfileGrid.h"
#include "params/ProfileGridModel.h"
#include "editors/ProfilePanel.h"
#include "editors/ValueEditors.h"
#include "preview/TShockwaveFlash.h"
#include "settings/SettingsBackingStore.h"
#include "help/ShellOpen.h"
#include "help/TFormAbout.h"
#include "app/TFormOptions.h"
#include "help/THelpForm.h"
#include "settings/TFormStorage.h"
#include "help/THelpRouter.h"
#include "settings/WidgetFormWindow.h"
#include "style/ProblemListModel.h"
#include "style/StyleComparison.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QSessionManager>
#include <QShowEvent>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>

namespace {

const QString MainTitle = QStringLiteral("Trevix Style Editor");
// Long enough to be read; the panels come back afterwards.
constexpr int RestartMessageMs = 10000;

QIcon commandIcon(const char *name)
{
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
}

} // namespace

TMainForm::TMainForm(const QString &appDir, const QStringList &arguments, QWidget *parent)
    : QMainWindow(parent), m_arguments(arguments)
{
    m_document.setAppDir(QDir(appDir).absolutePath() + QLatin1Char('/'));
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(MainTitle);
    TrevixApplication::setTitle(MainTitle);
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

    OpenTimer.setInterval(10);
    OpenTimer.setSingleShot(true);
    connect(&OpenTimer, &QTimer::timeout, this, [this] { ErrorReport::guard([this] { OpenTimerTimer(); }); });
    connect(&m_document, &StyleDocument::stateChanged, this, &TMainForm::scheduleActionListUpdate);
    connect(&m_document, &StyleDocument::refreshRequested, this, &TMainForm::RefreshPreview);
    connect(qApp, &QGuiApplication::commitDataRequest, this, &TMainForm::commitSession);
    // An edit after the session's end was called off asks again at the next close.
    connect(&m_document.table(), &ParameterTable::afterPost, this, [this] { m_sessionCommitted = false; });

    ErrorReport::guard([this] { FormCreate(); });
    scheduleActionListUpdate();
    // The value popups are made at their first use, each belonging to the main window.
    m_valueEditors = new ValueEditors(&m_document, m_profileGrid, this);
    connect(m_profileGrid, &ProfileGrid::valueButtonClicked, this, &TMainForm::PValueButtonClick);
    createHelpPanel();
}

TMainForm::~TMainForm()
{
    // The document is a member, so it would go before the window's children;
    // the views and models that read it, some while they are torn down, go
    // first: views before their models.
    const QList<QObject *> readers = {takeCentralWidget(), m_comparePanel, m_problemsPanel, m_valueEditors,
                                      m_history, m_commands, m_comparison, m_problems, m_gridModel};
    qDeleteAll(readers);
}

void TMainForm::createActions()
{
    struct Command
    {
        QAction *&action;
        const char *caption;
        QKeySequence shortcut;
        const char *icon;
    };
    const Command commands[] = {
        {ANew, "New", QKeySequence(Qt::CTRL | Qt::Key_N), "new"},
        {AOpen, "Open...", QKeySequence(Qt::CTRL | Qt::Key_O), "open"},
        {ASave, "Save", QKeySequence(Qt::CTRL | Qt::Key_S), "save"},
        {ASaveas, "Save as...", QKeySequence(), "saveas"},
        {AOptions, "Options...", QKeySequence(), "options"},
        {AHelp, "Help", QKeySequence(Qt::Key_F1), "help"},
        {AExit, "Exit", QKeySequence(Qt::CTRL | Qt::Key_X), nullptr},
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
    ACompare = new QAction(tr("Compare with..."), this);
    ACompare->setObjectName(QStringLiteral("ACompare"));
    ACompare->setStatusTip(tr("List the parameters whose value differs in another style file"));
    connect(AExit, &QAction::triggered, this, &TMainForm::AExitExecute);
    connect(AHelp, &QAction::triggered, this, &TMainForm::AHelpExecute);
    connect(AOptions, &QAction::triggered, this, [this] { ErrorReport::guard([this] { AOptionsExecute(); }); });

    ItemStatusbar = new QAction(tr("Status bar"), this);
    ItemStatusbar->setCheckable(true);
    ItemStatusbar->setChecked(true);
    ItemStatusbar->setStatusTip(tr("Status bar"));
    connect(ItemStatusbar, &QAction::triggered, this, &TMainForm::ItemStatusbarClick);

    ItemFullPath = new QAction(tr("Full file path at title"), this);
    ItemFullPath->setObjectName(QStringLiteral("ItemFullPath"));
    ItemFullPath->setCheckable(true);
    ItemFullPath->setChecked(true);
    ItemFullPath->setStatusTip(tr("Full file path at title"));
    connect(ItemFullPath, &QAction::triggered, this, &TMainForm::ItemFullPathClick);

    ItemHelpWindow = new QAction(tr("Help Panel"), this);
    ItemHelpWindow->setObjectName(QStringLiteral("ItemHelpWindow"));
    ItemHelpWindow->setCheckable(true);
    ItemHelpWindow->setVisible(false);
    connect(ItemHelpWindow, &QAction::triggered, this, &TMainForm::ItemHelpWindowClick);

    ItemProblems = new QAction(tr("Problems"), this);
    ItemProblems->setObjectName(QStringLiteral("ItemProblems"));
    ItemProblems->setCheckable(true);
    ItemProblems->setStatusTip(tr("List what the style file holds that the profile does not allow"));

    // Clicks on the chart select the parameters of what was clicked; the movie gets no ordinary clicks meanwhile.
    ItemPickInPreview = new QAction(commandIcon("pick"), tr("Pick in preview"), this);
    ItemPickInPreview->setObjectName(QStringLiteral("ItemPickInPreview"));
    ItemPickInPreview->setCheckable(true);
    ItemPickInPreview->setToolTip(tr("Pick in preview: click the chart to select its parameters"));
    ItemPickInPreview->setStatusTip(tr("A click on the chart selects the parameters that style what was clicked"));

    ItemAbout = new QAction(tr("About..."), this);
    connect(ItemAbout, &QAction::triggered, this, &TMainForm::ItemAboutClick);
}

void TMainForm::createMenus()
{
    auto *menuBar = new QMenuBar;
    menuBar->setObjectName(QStringLiteral("MenuBar"));

    SubmenuFile = menuBar->addMenu(tr("&File"));
    SubmenuFile->addActions({ANew, AOpen, ASave, ASaveas, ACompare});
    SubmenuFile->addSeparator();
    // The recent files are listed between these two separators.
    m_recentFilesEnd = SubmenuFile->addSeparator();
    SubmenuFile->addAction(AExit);

    SubmenuEdit = menuBar->addMenu(tr("&Edit"));
    SubmenuEdit->addActions({m_history->undoAction(), m_history->redoAction()});
    SubmenuEdit->addSeparator();
    SubmenuEdit->addActions({m_history->resetAction(), m_history->resetAllAction()});
    SubmenuEdit->addSeparator();
    SubmenuEdit->addAction(m_profilePanel->findAction());

    SubmenuView = menuBar->addMenu(tr("&View"));
    SubmenuView->addActions({ItemStatusbar, ItemFullPath, ItemHelpWindow, ItemProblems, ItemPickInPreview});
    SubmenuView->addSeparator();
    SubmenuView->addAction(m_profilePanel->showModifiedAction());
    SubmenuView->addSeparator();
    SubmenuView->addAction(AOptions);
    connect(SubmenuView, &QMenu::aboutToShow, this, &TMainForm::SubmenuViewPopup);

    SubmenuAbout = menuBar->addMenu(tr("&About"));
    SubmenuAbout->addAction(AHelp);
    SubmenuAbout->addSeparator();
    SubmenuAbout->addAction(ItemAbout);

    // The menu bar sits in a bar of its own, so it can be docked or floated like the toolbar.
    Menu = new QToolBar(tr("Menu"), this);
    Menu->setObjectName(QStringLiteral("Menu"));
    Menu->setIconSize(QSize(16, 16));
    Menu->addWidget(menuBar);
    Menu->toggleViewAction()->setVisible(false);
    addToolBar(Qt::TopToolBarArea, Menu);
    addToolBarBreak(Qt::TopToolBarArea);
}

void TMainForm::createToolbar()
{
    Toolbar = new QToolBar(tr("Toolbar"), this);
    Toolbar->setObjectName(QStringLiteral("Toolbar"));
    Toolbar->setIconSize(QSize(32, 32));
    Toolbar->toggleViewAction()->setVisible(false);
    Toolbar->addAction(ANew);

    // The Open button has its own caption; it drops down the recent files once there are any.
    ItemOpen = new QToolButton(Toolbar);
    ItemOpen->setObjectName(QStringLiteral("ItemOpen"));
    ItemOpen->setText(tr("Open"));
    ItemOpen->setToolTip(tr("Open..."));
    ItemOpen->setIcon(commandIcon("open"));
    connect(ItemOpen, &QToolButton::clicked, AOpen, &QAction::trigger);
    Toolbar->addWidget(ItemOpen);

    Toolbar->addAction(ASave);
    Toolbar->addAction(ASaveas);
    Toolbar->addSeparator();
    Toolbar->addAction(m_history->undoAction());
    Toolbar->addAction(m_history->redoAction());
    Toolbar->addAction(m_profilePanel->showModifiedAction());
    Toolbar->addAction(ItemPickInPreview);
    Toolbar->addSeparator();
    Toolbar->addAction(AOptions);
    Toolbar->addAction(AHelp);
    addToolBar(Qt::TopToolBarArea, Toolbar);
}

void TMainForm::createClientArea()
{
    m_gridModel = new ProfileGridModel(&m_document.table(), this);
    m_profilePanel = new ProfilePanel(m_gridModel);
    m_profileGrid = m_profilePanel->grid();
    m_profileGrid->setObjectName(QStringLiteral("ProfileGrid"));
    connect(m_profileGrid, &ProfileGrid::currentRecordChanged, this, &TMainForm::ProfileGridChangeNode);
    connect(&m_document.table(), &ParameterTable::valueChanged, this, [this](int index) {
        if (index == m_profileGrid->currentRecord())
            showCurrentParameter();
    });

    m_history = new ValueHistory(&m_document, m_profileGrid, this);
    for (QAction *action : {m_history->undoAction(), m_history->redoAction(), m_history->resetAction(),
                            m_history->resetAllAction(), m_profilePanel->findAction()})
        addAction(action); // shortcuts work wherever the focus is
    m_profileGrid->setContextMenuPolicy(Qt::ActionsContextMenu);
    m_profileGrid->addActions({m_history->resetAction(), m_history->undoAction(), m_history->redoAction()});

    auto *previewSplitter = new QSplitter(Qt::Horizontal);
    previewSplitter->setObjectName(QStringLiteral("PreviewSplitter"));
    previewSplitter->addWidget(m_profilePanel);
    m_preview = new PreviewRefresh(previewSplitter, m_profileGrid, m_document.appDir(), [this](const QString &name) {
        return FormStorage->ReadStoredValue(name);
    }, this);
    m_preview->ShockwaveFlash()->setDeviceFontFamilies([this] {
        // The fonts the style names are the ones the chart asks for.
        QStringList fonts;
        const ParameterTable &table = m_document.table();
        for (int i = 0; i < table.count(); ++i) {
            if (table.record(i).pType() == QLatin1String("font"))
                fonts.append(table.record(i).pDefault());
        }
        return fonts;
    });
    TShockwaveFlash *player = m_preview->ShockwaveFlash();
    connect(ItemPickInPreview, &QAction::toggled, this, [this, player](bool picking) {
        player->setPicking(picking);
        if (!picking)
            m_gridModel->setHighlighted({});
    });
    connect(player, &TShockwaveFlash::picked, this, &TMainForm::ShockwaveFlashPicked);
    connect(player, &TShockwaveFlash::restarted, this, [this] {
        statusBar()->showMessage(tr("The preview stopped unexpectedly and was restarted."), RestartMessageMs);
    });
    setCentralWidget(previewSplitter);
}

void TMainForm::createProblemsPanel()
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
    connect(ItemProblems, &QAction::toggled, m_problemsPanel, &QWidget::setVisible);
    connect(m_problemsPanel->toggleViewAction(), &QAction::toggled, ItemProblems, &QAction::setChecked);
    // Closed until the user opens it: across the window's bottom it would take
    // the room the chart needs at the window's designed size.
    m_problemsPanel->hide();
}

void TMainForm::createComparePanel()
{
    m_comparison = new StyleComparison(&m_document, this);
    m_comparePanel = new ComparePanel(m_comparison, m_history, this);
    addDockWidget(Qt::BottomDockWidgetArea, m_comparePanel);
    m_comparePanel->hide();
    m_comparePanel->toggleViewAction()->setVisible(false);
}

void TMainForm::compareWith(const QString &fileName)
{
    m_comparison->compareWith(fileName);
    if (m_problemsPanel->isVisible() && !tabifiedDockWidgets(m_problemsPanel).contains(m_comparePanel))
        tabifyDockWidget(m_problemsPanel, m_comparePanel);
    m_comparePanel->show();
    m_comparePanel->raise();
    // Room for a few rows with their Take buttons.
    if (m_comparePanel->height() < 200)
        resizeDocks({m_comparePanel}, {200}, Qt::Vertical);
}

void TMainForm::createStatusBar()
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

void TMainForm::createFormStorage()
{
    // Inactive until FormCreate switches it on; restores at the first show, saves at close.
    FormStorage = new TFormStorage(this);
    FormStorage->setObjectName(QStringLiteral("FormStorage"));
    FormStorage->IniSection = QStringLiteral("Melbrin\\TrevixStyleEditor");
    FormStorage->Options = {TFormPlacement::fpState, TFormPlacement::fpPosition, TFormPlacement::fpActiveControl};
    FormStorage->StoredProps = {QStringLiteral("StatusBar.Visible"), QStringLiteral("ItemFullPath.Checked"),
                                QStringLiteral("ItemHelpWindow.Checked"), QStringLiteral("ItemProblems.Checked"),
                                QStringLiteral("ItemPickInPreview.Checked")};
    // The key strings must never change: values scrambled with one read back as other text with another.
    FormStorage->StoredValues = {
        TStoredValue(QStringLiteral("SWFFile"), QStringLiteral("trevix.swf"), QStringLiteral("Quillmarten")),
        TStoredValue(QStringLiteral("SWFWidth"), 400, QStringLiteral("Brosendaw")),
        TStoredValue(QStringLiteral("SWFHeight"), 300, QStringLiteral("Tavelnok")),
        TStoredValue(QStringLiteral("SWFDataFile"), QStringLiteral("data.txt"), QStringLiteral("Hemrquist")),
    };
    FormStorage->OnRestorePlacement = [this](SettingsBackingStore &store) { FormStorageRestorePlacement(store); };
    FormStorage->OnSavePlacement = [this](SettingsBackingStore &store) { FormStorageSavePlacement(store); };
    WidgetFormWindow::attach(*FormStorage, this);
}

void TMainForm::createDocumentCommands()
{
    MRUList = new TTBMRUList(this);
    MRUList->setObjectName(QStringLiteral("MRUList"));
    // The entries stand above "Clear list", which closes their group while there are any.
    m_clearRecentFiles = new QAction(tr("Clear list"), this);
    m_clearRecentFiles->setObjectName(QStringLiteral("ItemClearRecentFiles"));
    m_clearRecentFiles->setStatusTip(tr("Forget the recently opened files"));
    m_clearRecentFiles->setVisible(false);
    SubmenuFile->insertAction(m_recentFilesEnd, m_clearRecentFiles);
    MRUItem = new TTBMRUListItem(SubmenuFile, m_clearRecentFiles, this);
    MRUItem->setMRUList(MRUList);
    m_openMenu = new QMenu(ItemOpen);
    MRUListItem = new TTBMRUListItem(m_openMenu, nullptr, this);
    MRUListItem->setMRUList(MRUList);
    connect(MRUList, &TTBMRUList::OnChange, this, &TMainForm::MRUListChange);
    connect(m_clearRecentFiles, &QAction::triggered, MRUList, &TTBMRUList::Clear);

    m_dialogs = std::make_unique<StyleFileDialogs>(this);
    m_commands = new DocumentCommands(m_document, *MRUList, *m_dialogs, this);
    connect(m_commands, &DocumentCommands::updateTitleRequested, this, &TMainForm::UpdateTitle);
    connect(m_commands, &DocumentCommands::movieRequested, m_preview->ShockwaveFlash(), &TShockwaveFlash::setMovie);
    connect(m_commands, &DocumentCommands::bringToFrontRequested, this, &TMainForm::bringToFront);

    const auto guarded = [this](void (DocumentCommands::*command)()) {
        return [this, command] { ErrorReport::guard([this, command] { (m_commands->*command)(); }); };
    };
    connect(ANew, &QAction::triggered, this, guarded(&DocumentCommands::ANewExecute));
    connect(AOpen, &QAction::triggered, this, guarded(&DocumentCommands::AOpenExecute));
    connect(ASave, &QAction::triggered, this, guarded(&DocumentCommands::ASaveExecute));
    connect(ASaveas, &QAction::triggered, this, guarded(&DocumentCommands::ASaveasExecute));
    connect(ACompare, &QAction::triggered, this, guarded(&DocumentCommands::ACompareExecute));
    connect(m_commands, &DocumentCommands::compareRequested, this,
            [this](const QString &fileName) { ErrorReport::guard([this, &fileName] { compareWith(fileName); }); });
    connect(MRUList, &TTBMRUList::OnClick, this, [this](const QString &fileName) {
        ErrorReport::guard([this, &fileName] { m_commands->MRUListClick(fileName); });
    });
    // Files dropped anywhere on the window.
    setAcceptDrops(true);
}

void TMainForm::createHelpPanel()
{
    // The last window made at start-up; it lives, shown or hidden, until the end.
    HelpForm = new THelpForm(this);
    connect(HelpForm, &THelpForm::closedByUser, ItemHelpWindow, [this] { ItemHelpWindow->setChecked(false); });
    connect(&m_document.table(), &ParameterTable::afterScroll, this,
            [this] { ErrorReport::guard([this] { XMLMemoryDataAfterScroll(); }); });
}

void TMainForm::FormStorageRestorePlacement(SettingsBackingStore &store)
{
    MRUList->LoadFromStore(store, FormStorage->IniSection + QStringLiteral("\\ReopenList"));
    // The help panel is offered only where its pictures are.
    if (QDir(m_document.appDir() + QStringLiteral("img")).exists()) {
        ItemHelpWindow->setVisible(true);
        HelpForm->setVisible(ItemHelpWindow->isChecked());
    }
    GridLayoutStore::restore(store, FormStorage->IniSection, *m_profileGrid, *m_preview);
}

void TMainForm::FormCreate()
{
    StyleDocument &doc = m_document;
    doc.setInValueEditor(false);
    FormStorage->Active = true;
    doc.loadProfile(doc.appDir() + QStringLiteral("Style.xml"));
    doc.LoadStyleValues(doc.styleTxtPath());
    UpdateTitle();
    doc.setModified(false);
}

void TMainForm::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TMainForm::FormShow()
{
    OpenTimer.start();
}

void TMainForm::OpenTimerTimer()
{
    OpenTimer.stop();
    if (!m_arguments.isEmpty() && QFileInfo(m_arguments.first()).isFile())
        m_commands->OpenStyleFile(m_arguments.first());
    RefreshPreview();
}

void TMainForm::closeEvent(QCloseEvent *event)
{
    bool canClose = true;
    // The end of a session closes the window once it has asked itself.
    if (!m_sessionCommitted)
        ErrorReport::guard([this, &canClose] { m_commands->FormCloseQuery(canClose); });
    event->setAccepted(canClose);
}

void TMainForm::commitSession(QSessionManager &manager)
{
    // The user logs off or shuts down: the question about unsaved changes
    // where the session manager lets the program ask (Cancel, or a save that
    // fails, asks it to stay), then the settings, as at a close.
    if (manager.allowsInteraction()) {
        bool canEnd = true;
        const bool asked = ErrorReport::guard([this, &canEnd] { m_commands->FormCloseQuery(canEnd); });
        if (!asked || !canEnd) {
            manager.cancel();
            return;
        }
    }
    m_sessionCommitted = true;
    ErrorReport::guard([this] { FormStorage->SaveSettings(); });
}

void TMainForm::dragEnterEvent(QDragEnterEvent *event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (std::any_of(urls.cbegin(), urls.cend(), [](const QUrl &url) { return url.isLocalFile(); }))
        event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent *event)
{
    QStringList fileNames;
    for (const QUrl &url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            fileNames.append(QDir::toNativeSeparators(url.toLocalFile()));
    }
    event->acceptProposedAction();
    ErrorReport::guard([this, &fileNames] { m_commands->FileDropDrop(fileNames); });
}

void TMainForm::bringToFront()
{
    setWindowState(windowState() & ~Qt::WindowMinimized);
    raise();
    activateWindow();
}

void TMainForm::MRUListChange()
{
    // The Open button drops down the recent files while there are any.
    const bool any = !MRUList->Items().isEmpty();
    ItemOpen->setMenu(any ? m_openMenu : nullptr);
    ItemOpen->setPopupMode(any ? QToolButton::MenuButtonPopup : QToolButton::DelayedPopup);
    m_clearRecentFiles->setVisible(any);
}

void TMainForm::FormStorageSavePlacement(SettingsBackingStore &store)
{
    MRUList->SaveToStore(store, FormStorage->IniSection + QStringLiteral("\\ReopenList"));
    GridLayoutStore::save(store, FormStorage->IniSection, *m_profileGrid, *m_preview);
}

void TMainForm::UpdateTitle()
{
    const QString &fileName = m_document.fileName();
    QString shown = QStringLiteral("Untitled");
    if (!fileName.isEmpty())
        shown = ItemFullPath->isChecked() ? fileName : QFileInfo(fileName).fileName();
    const QString caption = QStringLiteral("%1 - [%2]").arg(MainTitle, shown);
    setWindowTitle(caption);
    TrevixApplication::setTitle(caption);
}

void TMainForm::scheduleActionListUpdate()
{
    // Status panel 0 follows the document state at the next idle moment.
    if (m_actionUpdatePending)
        return;
    m_actionUpdatePending = true;
    QTimer::singleShot(0, this, [this] {
        m_actionUpdatePending = false;
        ActionListUpdate();
    });
}

void TMainForm::ActionListUpdate()
{
    if (m_document.isModified())
        m_statusPanel0->setText(tr("Modified"));
    else if (!m_document.fileName().isEmpty())
        m_statusPanel0->setText(tr("Saved"));
    else
        m_statusPanel0->clear();
}

void TMainForm::SubmenuViewPopup()
{
    ItemStatusbar->setChecked(!statusBar()->isHidden());
}

void TMainForm::ItemStatusbarClick()
{
    statusBar()->setVisible(ItemStatusbar->isChecked());
}

void TMainForm::ItemFullPathClick()
{
    UpdateTitle();
}

void TMainForm::ItemHelpWindowClick()
{
    HelpForm->setVisible(ItemHelpWindow->isChecked());
}

void TMainForm::XMLMemoryDataAfterScroll()
{
    const StyleDocument &doc = m_document;
    // Walks over the whole table suspend the views: only the user's own moves change the picture.
    if (!doc.isTableReady() || !ItemHelpWindow->isChecked() || doc.isInValueEditor()
        || doc.table().controlsDisabled())
        return;
    const QString picture = doc.appDir() + QStringLiteral("img/") + doc.table().current().pName()
                            + QStringLiteral(".gif");
    if (QFileInfo::exists(picture))
        HelpForm->LoadPicture(picture);
    else
        HelpForm->ClearPicture();
}

void TMainForm::AHelpExecute()
{
    ShellOpen(m_document.appDir() + THelpRouter::HelpFileName);
}

void TMainForm::AOptionsExecute()
{
    // A stored size that is no number shows as its design value, so the user can repair it here.
    const auto storedSize = [this](const QString &name) -> double {
        try {
            return VariantConversion::toDouble(FormStorage->ReadStoredValue(name));
        } catch (const EditorError &) {
            return FormStorage->ReadStoredInteger(name);
        }
    };
    const PreviewSettings stored{FormStorage->ReadStoredValue(QStringLiteral("SWFFile")).toString(),
                                 storedSize(QStringLiteral("SWFWidth")), storedSize(QStringLiteral("SWFHeight")),
                                 FormStorage->ReadStoredValue(QStringLiteral("SWFDataFile")).toString()};
    const std::optional<PreviewSettings> chosen = TFormOptions::edit(m_document.appDir(), stored, this);
    if (!chosen)
        return;
    FormStorage->WriteStoredValue(QStringLiteral("SWFFile"), chosen->SWFFile);
    FormStorage->WriteStoredValue(QStringLiteral("SWFWidth"), int(chosen->SWFWidth));
    FormStorage->WriteStoredValue(QStringLiteral("SWFHeight"), int(chosen->SWFHeight));
    FormStorage->WriteStoredValue(QStringLiteral("SWFDataFile"), chosen->SWFDataFile);
    // Options fit the panel to the movie again, whatever the splitter was left at.
    m_preview->fitToMovieAgain();
    RefreshPreview();
}

void TMainForm::ItemAboutClick()
{
    TFormAbout about(this);
    about.exec();
}

void TMainForm::AExitExecute()
{
    close();
}

void TMainForm::PValueButtonClick()
{
    m_valueEditors->PValueButtonClick();
}

void TMainForm::ProfileGridChangeNode(int recordIndex)
{
    if (recordIndex < 0)
        return;
    m_document.table().setRecNo(recordIndex + 1);
    showCurrentParameter();
}

void TMainForm::ShockwaveFlashPicked(const QStringList &keys)
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

void TMainForm::showCurrentParameter()
{
    const ParameterTable &table = m_document.table();
    if (table.currentIndex() < 0)
        return;
    const ParameterRecord &r = table.current();
    m_statusPanel1->setText(SystemText::displayed(r.pGroup() + QStringLiteral(" : ") + r.pText() + QStringLiteral(" = ") + r.pDefault()));
}

void TMainForm::RefreshPreview()
{
    m_preview->RefreshPreview();
}
