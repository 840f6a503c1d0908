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

namespace {

QGroupBox *groupBox(QWidget *parent, const char *name, const QString &title, const QRect &geometry)
{
    auto *box = new QGroupBox(title, parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(geometry);
    return box;
}

QPushButton *button(QWidget *parent, const char *name, const QString &text, int left)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(left, 184, 75, 25);
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
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    setFixedSize(392, 216);

    GroupBoxFile = groupBox(this, "GroupBoxFile", tr("SWF File"), QRect(8, 8, 377, 57));
    FilenameEdit = new QComboBox(GroupBoxFile);
    FilenameEdit->setObjectName(QStringLiteral("FilenameEdit"));
    FilenameEdit->setEditable(true);
    FilenameEdit->setInsertPolicy(QComboBox::NoInsert);
    FilenameEdit->setGeometry(8, 16, 361, 21);
    FilenameEdit->setEditText(QStringLiteral("trevix.swf"));

    GroupBoxSize = groupBox(this, "GroupBoxSize", tr("Area size"), QRect(8, 72, 377, 49));
    LabelWidth = new QLabel(tr("Width:"), GroupBoxSize);
    LabelWidth->setObjectName(QStringLiteral("LabelWidth"));
    LabelWidth->move(8, 20);
    SpinWidth = new RangeSpinEdit(MinSize, MaxSize, GroupBoxSize);
    SpinWidth->setObjectName(QStringLiteral("SpinWidth"));
    SpinWidth->setGeometry(56, 16, 121, 21);
    SpinWidth->setValue(400);
    LabelWidth->setBuddy(SpinWidth);
    LabelHeight = new QLabel(tr("Height:"), GroupBoxSize);
    LabelHeight->setObjectName(QStringLiteral("LabelHeight"));
    LabelHeight->move(200, 20);
    SpinHeight = new RangeSpinEdit(MinSize, MaxSize, GroupBoxSize);
    SpinHeight->setObjectName(QStringLiteral("SpinHeight"));
    SpinHeight->setGeometry(248, 16, 121, 21);
    SpinHeight->setValue(300);
    LabelHeight->setBuddy(SpinHeight);

    GroupBoxData = groupBox(this, "GroupBoxData", tr("Data File"), QRect(8, 128, 377, 49));
    DataFileEdit = new QLineEdit(QStringLiteral("data.txt"), GroupBoxData);
    DataFileEdit->setObjectName(QStringLiteral("DataFileEdit"));
    DataFileEdit->setGeometry(8, 16, 361, 21);

    OK = button(this, "OK", tr("OK"), 216);
    BtnCansel = button(this, "BtnCansel", tr("Cancel"), 304);
    BtnHelp = button(this, "BtnHelp", tr("Help"), 16);
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

    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    FormCreate();
}

TFormOptions::~TFormOptions() = default;

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
