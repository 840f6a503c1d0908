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

OptionsDialog::OptionsDialog(const QString &appDir, QWidget *parent) : QDialog(parent), m_appDir(appDir)
{
    setObjectName(QStringLiteral("FormOptions"));
    setWindowTitle(tr("Options"));
    auto *layout = new QVBoxLayout(this);

    groupBoxFile = groupBox(this, "GroupBoxFile", tr("SWF File"));
    filenameEdit = new QComboBox(groupBoxFile);
    filenameEdit->setObjectName(QStringLiteral("FilenameEdit"));
    filenameEdit->setEditable(true);
    filenameEdit->setInsertPolicy(QComboBox::NoInsert);
    filenameEdit->setEditText(QStringLiteral("trevix.swf"));
    (new QVBoxLayout(groupBoxFile))->addWidget(filenameEdit);
    layout->addWidget(groupBoxFile);

    groupBoxSize = groupBox(this, "GroupBoxSize", tr("Area size"));
    labelWidth = new QLabel(tr("Width:"), groupBoxSize);
    labelWidth->setObjectName(QStringLiteral("LabelWidth"));
    spinWidth = new RangeSpinEdit(MinSize, MaxSize, groupBoxSize);
    spinWidth->setObjectName(QStringLiteral("SpinWidth"));
    spinWidth->setValue(400);
    labelWidth->setBuddy(spinWidth);
    labelHeight = new QLabel(tr("Height:"), groupBoxSize);
    labelHeight->setObjectName(QStringLiteral("LabelHeight"));
    spinHeight = new RangeSpinEdit(MinSize, MaxSize, groupBoxSize);
    spinHeight->setObjectName(QStringLiteral("SpinHeight"));
    spinHeight->setValue(300);
    labelHeight->setBuddy(spinHeight);
    auto *sizeRow = new QHBoxLayout(groupBoxSize);
    sizeRow->addWidget(labelWidth);
    sizeRow->addWidget(spinWidth, 1);
    sizeRow->addSpacing(16);
    sizeRow->addWidget(labelHeight);
    sizeRow->addWidget(spinHeight, 1);
    layout->addWidget(groupBoxSize);

    groupBoxData = groupBox(this, "GroupBoxData", tr("Data File"));
    dataFileEdit = new QLineEdit(QStringLiteral("data.txt"), groupBoxData);
    dataFileEdit->setObjectName(QStringLiteral("DataFileEdit"));
    (new QVBoxLayout(groupBoxData))->addWidget(dataFileEdit);
    layout->addWidget(groupBoxData);
    layout->addStretch();

    okButton = button(this, "OK", tr("OK"));
    cancelButton = button(this, "BtnCansel", tr("Cancel"));
    helpButton = button(this, "BtnHelp", tr("Help"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(helpButton);
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    layout->addLayout(buttons);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(helpButton, &QPushButton::clicked, this, &OptionsDialog::showHelp);

    setTabOrder(filenameEdit, spinWidth);
    setTabOrder(spinWidth, spinHeight);
    setTabOrder(spinHeight, dataFileEdit);
    setTabOrder(dataFileEdit, okButton);
    setTabOrder(okButton, cancelButton);
    setTabOrder(cancelButton, helpButton);

    helpRouter = new HelpRouter(this);
    helpRouter->setObjectName(QStringLiteral("HelpRouter"));
    helpRouter->setHelpType(htHTMLhelp);
    helpRouter->chmPopupTopics = QStringLiteral("CSHelp.txt");
    helpRouter->validateId = false;

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
}

OptionsDialog::~OptionsDialog() = default;

std::optional<PreviewSettings> OptionsDialog::edit(const QString &appDir, const PreviewSettings &settings,
                                                  QWidget *parent)
{
    OptionsDialog options(appDir, parent);
    options.setSettings(settings);
    if (options.exec() != QDialog::Accepted)
        return std::nullopt;
    return options.settings();
}

void OptionsDialog::setSettings(const PreviewSettings &settings)
{
    filenameEdit->setEditText(settings.swfFile);
    spinWidth->setNumber(settings.swfWidth);
    spinHeight->setNumber(settings.swfHeight);
    dataFileEdit->setText(settings.swfDataFile);
}

PreviewSettings OptionsDialog::settings() const
{
    return {filenameEdit->currentText(), double(spinWidth->value()), double(spinHeight->value()),
            dataFileEdit->text()};
}

void OptionsDialog::loadDocument()
{
    // The movies of the application directory in the order the directory
    // lists them, without the blank movie.
    const QDir dir(m_appDir);
    const QStringList movies = dir.entryList({QStringLiteral("*.swf")},
                                             QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                             QDir::Unsorted);
    for (const QString &name : movies) {
        if (name.toLower() != QLatin1String("empty.swf"))
            filenameEdit->addItem(name);
    }
    filenameEdit->setEditText(QStringLiteral("trevix.swf"));
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
    if (auto *focused = qobject_cast<QPushButton *>(focusWidget()); focused && focused->parent() == this) {
        focused->click();
        return true;
    }
    // A number typed and not yet left is read within the range.
    spinWidth->interpretText();
    spinHeight->interpretText();
    accept();
    return true;
}

void OptionsDialog::showHelp()
{
    helpRouter->showTopic(m_appDir + HelpRouter::helpFileName, QStringLiteral("Settings.html"));
}
