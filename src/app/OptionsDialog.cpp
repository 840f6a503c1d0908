#include "app/OptionsDialog.h"

#include "app/RangeSpinEdit.h"
#include "help/HelpRouter.h"

#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

QGroupBox *groupBox(QWidget *parent, const char *name, const QString &title)
{
    auto *box = new QGroupBox(title, parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

QPushButton *button(QWidget *parent, const char *name, const QString &text)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setMinimumWidth(75);
    // Enter and Escape belong to the window's key handler, not to a default button.
    b->setAutoDefault(false);
    b->setDefault(false);
    return b;
}

} // namespace

OptionsDialog::OptionsDialog(const QString &appDir, QWidget *parent)
    : QDialog(parent), m_appDir(appDir)
{
    setObjectName(QStringLiteral("FormOptions"));
    setWindowTitle(tr("Options"));
    auto *layout = new QVBoxLayout(this);

    m_movieGroup = groupBox(this, "GroupBoxFile", tr("SWF File"));
    m_movieEdit = new QComboBox(m_movieGroup);
    m_movieEdit->setObjectName(QStringLiteral("FilenameEdit"));
    m_movieEdit->setAccessibleName(m_movieGroup->title());
    m_movieEdit->setEditable(true);
    m_movieEdit->setInsertPolicy(QComboBox::NoInsert);
    (new QVBoxLayout(m_movieGroup))->addWidget(m_movieEdit);
    layout->addWidget(m_movieGroup);

    m_sizeGroup = groupBox(this, "GroupBoxSize", tr("Area size"));
    m_widthLabel = new QLabel(tr("Width:"), m_sizeGroup);
    m_widthLabel->setObjectName(QStringLiteral("LabelWidth"));
    m_widthEdit = new RangeSpinEdit(PreviewSettings::MinimumSize, PreviewSettings::MaximumSize,
                                    m_sizeGroup);
    m_widthEdit->setObjectName(QStringLiteral("SpinWidth"));
    m_widthLabel->setBuddy(m_widthEdit);
    m_heightLabel = new QLabel(tr("Height:"), m_sizeGroup);
    m_heightLabel->setObjectName(QStringLiteral("LabelHeight"));
    m_heightEdit = new RangeSpinEdit(PreviewSettings::MinimumSize, PreviewSettings::MaximumSize,
                                     m_sizeGroup);
    m_heightEdit->setObjectName(QStringLiteral("SpinHeight"));
    m_heightLabel->setBuddy(m_heightEdit);
    auto *sizeRow = new QHBoxLayout(m_sizeGroup);
    sizeRow->addWidget(m_widthLabel);
    sizeRow->addWidget(m_widthEdit, 1);
    sizeRow->addSpacing(16);
    sizeRow->addWidget(m_heightLabel);
    sizeRow->addWidget(m_heightEdit, 1);
    layout->addWidget(m_sizeGroup);

    m_dataGroup = groupBox(this, "GroupBoxData", tr("Data File"));
    m_dataFileEdit = new QLineEdit(m_dataGroup);
    m_dataFileEdit->setObjectName(QStringLiteral("DataFileEdit"));
    m_dataFileEdit->setAccessibleName(m_dataGroup->title());
    (new QVBoxLayout(m_dataGroup))->addWidget(m_dataFileEdit);
    layout->addWidget(m_dataGroup);
    layout->addStretch();

    m_okButton = button(this, "OK", tr("OK"));
    m_cancelButton = button(this, "BtnCansel", tr("Cancel"));
    m_helpButton = button(this, "BtnHelp", tr("Help"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_helpButton);
    buttons->addStretch();
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_cancelButton);
    layout->addLayout(buttons);
    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_helpButton, &QPushButton::clicked, this, &OptionsDialog::showHelp);

    setTabOrder(m_movieEdit, m_widthEdit);
    setTabOrder(m_widthEdit, m_heightEdit);
    setTabOrder(m_heightEdit, m_dataFileEdit);
    setTabOrder(m_dataFileEdit, m_okButton);
    setTabOrder(m_okButton, m_cancelButton);
    setTabOrder(m_cancelButton, m_helpButton);

    m_helpRouter = new HelpRouter(this);
    m_helpRouter->setObjectName(QStringLiteral("HelpRouter"));
    m_helpRouter->setHelpType(HelpType::HtmlHelp);

    // The window sees every key before the focused control.
    for (QWidget *child : findChildren<QWidget *>())
        child->installEventFilter(this);

    // At least the designed size, more when the font needs it; only wider by hand.
    setMinimumSize(layout->totalSizeHint().expandedTo(MinimumClientSize));
    resize(minimumSize());
    setMaximumHeight(minimumHeight());
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    loadDocument();
    setSettings(PreviewSettings());
}

OptionsDialog::~OptionsDialog() = default;

std::optional<PreviewSettings> OptionsDialog::edit(const QString &appDir,
                                                   const PreviewSettings &settings, QWidget *parent)
{
    OptionsDialog options(appDir, parent);
    options.setSettings(settings);
    if (options.exec() != QDialog::Accepted)
        return std::nullopt;
    return options.settings();
}

void OptionsDialog::setSettings(const PreviewSettings &settings)
{
    m_movieEdit->setEditText(settings.movieFile());
    m_widthEdit->setValue(settings.size().width());
    m_heightEdit->setValue(settings.size().height());
    m_dataFileEdit->setText(settings.dataFile());
}

PreviewSettings OptionsDialog::settings() const
{
    return PreviewSettings(m_movieEdit->currentText(),
                           QSize(m_widthEdit->value(), m_heightEdit->value()),
                           m_dataFileEdit->text());
}

void OptionsDialog::loadDocument()
{
    // The movies of the application directory in the order the directory
    // lists them, without the blank movie.
    const QDir dir(m_appDir);
    const QStringList movies = dir.entryList({QStringLiteral("*.swf")},
                                             QDir::AllEntries | QDir::Hidden | QDir::System
                                                     | QDir::NoDotAndDotDot,
                                             QDir::Unsorted);
    for (const QString &name : movies) {
        if (name.toLower() != QLatin1String("empty.swf"))
            m_movieEdit->addItem(name);
    }
}

bool OptionsDialog::eventFilter(QObject *watched, QEvent *event)
{
    // An open drop-down list keeps its own keys.
    const auto *widget = qobject_cast<QWidget *>(watched);
    if (event->type() == QEvent::KeyPress && widget && widget->window() == this
        && handleKey(static_cast<QKeyEvent *>(event)->key()))
        return true;
    return QDialog::eventFilter(watched, event);
}

bool OptionsDialog::handleKey(int key)
{
    if (key == Qt::Key_Escape) {
        reject();
        return true;
    }
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    if (auto *focused = qobject_cast<QPushButton *>(focusWidget());
        focused && focused->parent() == this) {
        focused->click();
        return true;
    }
    // A number typed and not yet left is read within the range.
    m_widthEdit->interpretText();
    m_heightEdit->interpretText();
    accept();
    return true;
}

void OptionsDialog::showHelp()
{
    m_helpRouter->showTopic(m_appDir + HelpRouter::helpFileName, QStringLiteral("Settings.html"));
}
