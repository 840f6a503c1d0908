#include "app/TFormOptions.h"

#include "app/RangeSpinEdit.h"
#include "help/THelpRouter.h"

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

TFormOptions::TFormOptions(const QString &appDir, QWidget *parent) : QDialog(parent), m_appDir(appDir)
{
    setObjectName(QStringLiteral("FormOptions"));
    setWindowTitle(tr("Options"));
    auto *layout = new QVBoxLayout(this);

    GroupBoxFile = groupBox(this, "GroupBoxFile", tr("SWF File"));
    FilenameEdit = new QComboBox(GroupBoxFile);
    FilenameEdit->setObjectName(QStringLiteral("FilenameEdit"));
    FilenameEdit->setEditable(true);
    FilenameEdit->setInsertPolicy(QComboBox::NoInsert);
    FilenameEdit->setEditText(QStringLiteral("trevix.swf"));
    (new QVBoxLayout(GroupBoxFile))->addWidget(FilenameEdit);
    layout->addWidget(GroupBoxFile);

    GroupBoxSize = groupBox(this, "GroupBoxSize", tr("Area size"));
    LabelWidth = new QLabel(tr("Width:"), GroupBoxSize);
    LabelWidth->setObjectName(QStringLiteral("LabelWidth"));
    SpinWidth = new RangeSpinEdit(MinSize, MaxSize, GroupBoxSize);
    SpinWidth->setObjectName(QStringLiteral("SpinWidth"));
    SpinWidth->setValue(400);
    LabelWidth->setBuddy(SpinWidth);
    LabelHeight = new QLabel(tr("Height:"), GroupBoxSize);
    LabelHeight->setObjectName(QStringLiteral("LabelHeight"));
    SpinHeight = new RangeSpinEdit(MinSize, MaxSize, GroupBoxSize);
    SpinHeight->setObjectName(QStringLiteral("SpinHeight"));
    SpinHeight->setValue(300);
    LabelHeight->setBuddy(SpinHeight);
    auto *sizeRow = new QHBoxLayout(GroupBoxSize);
    sizeRow->addWidget(LabelWidth);
    sizeRow->addWidget(SpinWidth, 1);
    sizeRow->addSpacing(16);
    sizeRow->addWidget(LabelHeight);
    sizeRow->addWidget(SpinHeight, 1);
    layout->addWidget(GroupBoxSize);

    GroupBoxData = groupBox(this, "GroupBoxData", tr("Data File"));
    DataFileEdit = new QLineEdit(QStringLiteral("data.txt"), GroupBoxData);
    DataFileEdit->setObjectName(QStringLiteral("DataFileEdit"));
    (new QVBoxLayout(GroupBoxData))->addWidget(DataFileEdit);
    layout->addWidget(GroupBoxData);
    layout->addStretch();

    OK = button(this, "OK", tr("OK"));
    BtnCansel = button(this, "BtnCansel", tr("Cancel"));
    BtnHelp = button(this, "BtnHelp", tr("Help"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(BtnHelp);
    buttons->addStretch();
    buttons->addWidget(OK);
    buttons->addWidget(BtnCansel);
    layout->addLayout(buttons);
    connect(OK, &QPushButton::clicked, this, &QDialog::accept);
    connect(BtnCansel, &QPushButton::clicked, this, &QDialog::reject);
    connect(BtnHelp, &QPushButton::clicked, this, &TFormOptions::BtnHelpClick);

    setTabOrder(FilenameEdit, SpinWidth);
    setTabOrder(SpinWidth, SpinHeight);
    setTabOrder(SpinHeight, DataFileEdit);
    setTabOrder(DataFileEdit, OK);
    setTabOrder(OK, BtnCansel);
    setTabOrder(BtnCansel, BtnHelp);

    HelpRouter = new THelpRouter(this);
    HelpRouter->setObjectName(QStringLiteral("HelpRouter"));
    HelpRouter->setHelpType(htHTMLhelp);
    HelpRouter->CHMPopupTopics = QStringLiteral("CSHelp.txt");
    HelpRouter->ValidateID = false;

    // The window sees every key before the focused control.
    for (QWidget *child : findChildren<QWidget *>())
        child->installEventFilter(this);

    // At least the designed size, more when the font needs it; only wider by hand.
    setMinimumSize(layout->totalSizeHint().expandedTo(MinimumClientSize));
    resize(minimumSize());
    setMaximumHeight(minimumHeight());
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    FormCreate();
}

TFormOptions::~TFormOptions() = default;

std::optional<PreviewSettings> TFormOptions::edit(const QString &appDir, const PreviewSettings &settings,
                                                  QWidget *parent)
{
    TFormOptions options(appDir, parent);
    options.setSettings(settings);
    if (options.exec() != QDialog::Accepted)
        return std::nullopt;
    return options.settings();
}

void TFormOptions::setSettings(const PreviewSettings &settings)
{
    FilenameEdit->setEditText(settings.SWFFile);
    SpinWidth->setNumber(settings.SWFWidth);
    SpinHeight->setNumber(settings.SWFHeight);
    DataFileEdit->setText(settings.SWFDataFile);
}

PreviewSettings TFormOptions::settings() const
{
    return {FilenameEdit->currentText(), double(SpinWidth->value()), double(SpinHeight->value()),
            DataFileEdit->text()};
}

void TFormOptions::FormCreate()
{
    // The movies of the application directory in the order the directory
    // lists them, without the blank movie.
    const QDir dir(m_appDir);
    const QStringList movies = dir.entryList({QStringLiteral("*.swf")},
                                             QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                             QDir::Unsorted);
    for (const QString &name : movies) {
        if (name.toLower() != QLatin1String("empty.swf"))
            FilenameEdit->addItem(name);
    }
    FilenameEdit->setEditText(QStringLiteral("trevix.swf"));
}

bool TFormOptions::eventFilter(QObject *watched, QEvent *event)
{
    // An open drop-down list keeps its own keys.
    const auto *widget = qobject_cast<QWidget *>(watched);
    if (event->type() == QEvent::KeyPress && widget && widget->window() == this
        && FormKeyDown(static_cast<QKeyEvent *>(event)->key()))
        return true;
    return QDialog::eventFilter(watched, event);
}

bool TFormOptions::FormKeyDown(int key)
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
    SpinWidth->interpretText();
    SpinHeight->interpretText();
    accept();
    return true;
}

void TFormOptions::BtnHelpClick()
{
    HelpRouter->ShowTopic(m_appDir + THelpRouter::HelpFileName, QStringLiteral("Settings.html"));
}
