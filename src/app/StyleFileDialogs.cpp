#include "app/StyleFileDialogs.h"

#include "app/TrevixApplication.h"
#include "base/SystemText.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>

namespace {

// The places at the dialog's side: home, desktop, documents and the whole computer.
QList<QUrl> places()
{
    QList<QUrl> urls;
    for (const auto location : {QStandardPaths::HomeLocation, QStandardPaths::DesktopLocation,
                                QStandardPaths::DocumentsLocation}) {
        const QString path = QStandardPaths::writableLocation(location);
        if (QDir(path).exists() && !urls.contains(QUrl::fromLocalFile(path)))
            urls.append(QUrl::fromLocalFile(path));
    }
    urls.append(QUrl(QStringLiteral("file:")));
    return urls;
}

} // namespace

StyleFileDialogs::StyleFileDialogs(QWidget *parent) : m_parent(parent) {}

StyleFileDialogs::~StyleFileDialogs() = default;

DocumentPrompts::Answer StyleFileDialogs::askSaveChanges(const QString &message)
{
    QMessageBox box(QMessageBox::Question, TrevixApplication::title(),
                    SystemText::displayed(message),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, m_parent);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Yes;
    case QMessageBox::No:
        return No;
    default:
        return Cancel;
    }
}

int StyleFileDialogs::choose(const QString &message, const QStringList &choices)
{
    QMessageBox box(QMessageBox::Question, TrevixApplication::title(),
                    SystemText::displayed(message), QMessageBox::NoButton, m_parent);
    QList<QAbstractButton *> buttons;
    for (const QString &choice : choices)
        buttons.append(box.addButton(choice, QMessageBox::AcceptRole));
    box.setDefaultButton(qobject_cast<QPushButton *>(buttons.last()));
    box.setEscapeButton(buttons.last());
    box.exec();
    const qsizetype chosen = buttons.indexOf(box.clickedButton());
    return int(chosen < 0 ? buttons.size() - 1 : chosen);
}

QString StyleFileDialogs::openFileName()
{
    return chosenFile(fileDialog(m_openDialog, false));
}

QString StyleFileDialogs::saveFileName()
{
    return chosenFile(fileDialog(m_saveDialog, true));
}

QFileDialog *StyleFileDialogs::fileDialog(QPointer<QFileDialog> &dialog, bool save)
{
    if (dialog)
        return dialog;
    dialog = new QFileDialog(m_parent);
    dialog->setNameFilters(
            {QStringLiteral("Trevix Style files (*.stl)"), QStringLiteral("All files (*)")});
    dialog->setDefaultSuffix(QStringLiteral("stl"));
    dialog->setSidebarUrls(places());
    if (save) {
        // Save as replaces an existing file without asking, as the editor always has.
        dialog->setAcceptMode(QFileDialog::AcceptSave);
        dialog->setFileMode(QFileDialog::AnyFile);
        dialog->setOption(QFileDialog::DontConfirmOverwrite);
    } else {
        dialog->setAcceptMode(QFileDialog::AcceptOpen);
        dialog->setFileMode(QFileDialog::ExistingFile);
    }
    return dialog;
}

QString StyleFileDialogs::chosenFile(QFileDialog *dialog)
{
    // Both dialogs start where the user last opened or saved a file.
    if (!m_directory.isEmpty())
        dialog->setDirectory(m_directory);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return QString();
    const QString fileName = dialog->selectedFiles().first();
    m_directory = QFileInfo(fileName).absolutePath();
    return QDir::toNativeSeparators(fileName);
}
