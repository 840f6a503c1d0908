#include "help/HelpViewer.h"

#include "help/ChmBrowser.h"
#include "help/ChmFile.h"
#include "help/ChmSitemap.h"

#include <QAction>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <functional>

namespace {

constexpr int TopicRole = Qt::UserRole;

void addEntries(QTreeWidgetItem *parent, QTreeWidget *tree, const QList<ChmSitemapEntry> &entries)
{
    for (const ChmSitemapEntry &entry : entries) {
        auto *item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree);
        item->setText(0, entry.name);
        item->setData(0, TopicRole, entry.local);
        addEntries(item, tree, entry.children);
    }
}

QList<ChmSitemapEntry> readSitemap(const ChmFile &chm, const QString &file)
{
    if (file.isEmpty())
        return {};
    return ChmSitemap::parse(chm.read(QLatin1Char('/') + file).value_or(QByteArray()));
}

} // namespace

HelpViewer::HelpViewer(std::unique_ptr<ChmFile> chm, QWidget *parent)
    : QWidget(parent, Qt::Window), m_chm(std::move(chm))
{
    setObjectName(QStringLiteral("HtmlHelpViewer"));
    setAttribute(Qt::WA_DeleteOnClose);
    // Help left open does not keep the program running once its main window has closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(m_chm->title().isEmpty() ? tr("Help") : m_chm->title());
    resize(780, 540);

    m_browser = new ChmBrowser(*m_chm);
    m_browser->setObjectName(QStringLiteral("Topic"));
    m_browser->setAccessibleName(tr("Topic"));

    m_contents = new QTreeWidget;
    m_contents->setObjectName(QStringLiteral("Contents"));
    m_contents->setAccessibleName(tr("Contents"));
    m_contents->header()->hide();
    connect(m_contents, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *item) {
        const QString topic = item->data(0, TopicRole).toString();
        if (!topic.isEmpty())
            m_browser->showTopic(topic);
    });
    connect(m_contents, &QTreeWidget::itemActivated, m_contents, &QTreeWidget::itemClicked);

    m_keyword = new QLineEdit;
    m_keyword->setObjectName(QStringLiteral("Keyword"));
    m_keyword->setAccessibleName(tr("Keyword"));
    m_keyword->setPlaceholderText(tr("Type the keyword to find"));
    m_index = new QListWidget;
    m_index->setObjectName(QStringLiteral("Index"));
    m_index->setAccessibleName(tr("Index"));
    connect(m_keyword, &QLineEdit::textEdited, this, &HelpViewer::selectKeyword);
    connect(m_keyword, &QLineEdit::returnPressed, this, &HelpViewer::openIndexEntry);
    connect(m_index, &QListWidget::itemActivated, this, &HelpViewer::openIndexEntry);
    connect(m_index, &QListWidget::itemClicked, this, &HelpViewer::openIndexEntry);
    auto *indexPage = new QWidget;
    auto *indexLayout = new QVBoxLayout(indexPage);
    indexLayout->setContentsMargins(4, 4, 4, 4);
    indexLayout->addWidget(m_keyword);
    indexLayout->addWidget(m_index);

    m_tabs = new QTabWidget;
    m_tabs->addTab(m_contents, tr("Contents"));
    m_tabs->addTab(indexPage, tr("Index"));

    auto *splitter = new QSplitter;
    splitter->addWidget(m_tabs);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({220, 560});

    auto *toolbar = new QToolBar;
    QAction *back = toolbar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), tr("Back"),
                                       m_browser, &QTextBrowser::backward);
    QAction *forward = toolbar->addAction(style()->standardIcon(QStyle::SP_ArrowForward),
                                          tr("Forward"), m_browser, &QTextBrowser::forward);
    toolbar->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), tr("Home"), this,
                       [this] { showTopic(QString()); });
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolbar);
    layout->addWidget(splitter, 1);

    fillContents();
    fillIndex();
}

HelpViewer::~HelpViewer() = default;

void HelpViewer::fillContents()
{
    addEntries(nullptr, m_contents, readSitemap(*m_chm, m_chm->contentsFile()));
    m_contents->expandAll();
}

void HelpViewer::fillIndex()
{
    // Sub-keywords follow their keyword in one flat list.
    const std::function<void(const QList<ChmSitemapEntry> &)> add =
            [&](const QList<ChmSitemapEntry> &entries) {
                for (const ChmSitemapEntry &entry : entries) {
                    auto *item = new QListWidgetItem(entry.name, m_index);
                    item->setData(TopicRole, entry.local);
                    add(entry.children);
                }
            };
    add(readSitemap(*m_chm, m_chm->indexFile()));
}

void HelpViewer::showTopic(const QString &topic)
{
    m_browser->showTopic(topic.isEmpty() ? m_chm->defaultTopic() : topic);
    bringToFront();
}

void HelpViewer::showContents()
{
    m_tabs->setCurrentIndex(0);
    if (m_browser->currentTopic().isEmpty())
        m_browser->showTopic(m_chm->defaultTopic());
    bringToFront();
}

void HelpViewer::showIndex(const QString &keyword)
{
    m_tabs->setCurrentIndex(1);
    m_keyword->setText(keyword);
    selectKeyword(keyword);
    if (m_browser->currentTopic().isEmpty())
        m_browser->showTopic(m_chm->defaultTopic());
    bringToFront();
    m_keyword->setFocus();
}

void HelpViewer::selectKeyword(const QString &keyword)
{
    for (int row = 0; row < m_index->count(); ++row) {
        if (m_index->item(row)->text().startsWith(keyword, Qt::CaseInsensitive)) {
            m_index->setCurrentRow(row);
            m_index->scrollToItem(m_index->item(row), QAbstractItemView::PositionAtTop);
            return;
        }
    }
}

void HelpViewer::openIndexEntry()
{
    if (const QListWidgetItem *item = m_index->currentItem())
        m_browser->showTopic(item->data(TopicRole).toString());
}

void HelpViewer::bringToFront()
{
    show();
    setWindowState(windowState() & ~Qt::WindowMinimized);
    raise();
    activateWindow();
}
