#include "app/DocumentCommands.h"
#include "app/MainWindow.h"
#include "app/RecentFileList.h"
#include "app/RecentFilesMenu.h"
#include "app/StyleFileDialogs.h"
#include "app/TrevixApplication.h"
#include "preview/FlashPlayerView.h"
#include "settings/WindowStateStore.h"
#include "style/StyleDocument.h"
#include "support/AppDirTestCase.h"
#include "support/TestPrompts.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

// The document commands as the main window offers them: menus, the Open
// button, dropped files, the command line, closing and a restart.
class tst_MainWindowDocument : public AppDirTestCase
{
    Q_OBJECT

private:
    QString writeStyle(const QString &name, const QByteArray &bytes) const
    {
        const QString path = m_appDir->path(name);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return path;
    }
    // The texts of the File menu between its two separators.
    static QStringList recentInFileMenu(MainWindow &form)
    {
        QStringList texts;
        const QList<QAction *> actions = form.fileMenu()->actions();
        const auto first = std::find_if(actions.cbegin(), actions.cend(),
                                        [](QAction *a) { return a->isSeparator(); });
        for (auto it = first + 1; it != actions.cend() && !(*it)->isSeparator(); ++it) {
            if (*it != clearListItem(form))
                texts << (*it)->text();
        }
        return texts;
    }
    static QAction *clearListItem(MainWindow &form)
    {
        return form.findChild<QAction *>(QStringLiteral("ItemClearRecentFiles"));
    }
    static QStringList recentUnderOpen(MainWindow &form)
    {
        QStringList texts;
        for (QAction *action : form.openButton()->menu()->actions()) {
            if (action->isVisible() && action->isEnabled())
                texts << action->text();
        }
        return texts;
    }
    static void drop(MainWindow &form, const QStringList &paths)
    {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString &path : paths)
            urls << QUrl::fromLocalFile(path);
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&form, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent dropEvent(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&form, &dropEvent);
    }

    static QByteArray readFile(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
    }
    // Answers every message box the window shows with the button of that
    // text, or with Enter when it is empty, and keeps the boxes' texts.
    struct BoxAnswers
    {
        QString button;
        QStringList texts;
        QTimer poll;
        BoxAnswers()
        {
            QObject::connect(&poll, &QTimer::timeout, [this] {
                auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                if (!box || !box->isVisible())
                    return;
                texts << box->text();
                if (button.isEmpty()) {
                    QTest::keyClick(box, Qt::Key_Return);
                    return;
                }
                for (QAbstractButton *b : box->buttons()) {
                    if (b->text() == button)
                        b->click();
                }
            });
            poll.start(10);
        }
    };

private slots:

    void recentFilesInBothMenusAndTheSplitOpenButton()
    {
        const QString blue = writeStyle(QStringLiteral("blue.stl"), "&titleText=Blue\r\n");
        const QString red = writeStyle(QStringLiteral("red.stl"), "&titleText=Red\r\n");
        StyleDocument document;
        MainWindow form(document, m_appDir->dir(), {});
        TestPrompts prompts;
        form.documentCommands().setPrompts(prompts);
        form.show();
        QVERIFY(recentInFileMenu(form).isEmpty());
        QVERIFY(recentUnderOpen(form).isEmpty());

        prompts.openName = blue;
        form.openAction()->trigger();
        prompts.openName = red;
        form.openButton()->click();
        QCOMPARE(form.windowTitle(), QStringLiteral("Trevix Style Editor - [%1]").arg(red));
        const QStringList expected = {QStringLiteral("&1 ") + red, QStringLiteral("&2 ") + blue};
        QCOMPARE(recentInFileMenu(form), expected);
        QCOMPARE(recentUnderOpen(form), expected);
        QCOMPARE(form.openButton()->popupMode(), QToolButton::MenuButtonPopup);

        // Choosing the second entry in the drop-down opens it again.
        form.openButton()->menu()->actions().at(1)->trigger();
        QCOMPARE(form.document().fileName(), blue);
        QCOMPARE(recentInFileMenu(form),
                 (QStringList{QStringLiteral("&1 ") + blue, QStringLiteral("&2 ") + red}));
        QVERIFY(m_errors.isEmpty());
    }

    void clearListEmptiesBothMenus()
    {
        const QString blue = writeStyle(QStringLiteral("blue.stl"), "&titleText=Blue\r\n");
        StyleDocument document;
        MainWindow form(document, m_appDir->dir(), {});
        form.show();
        QAction *clear = clearListItem(form);
        QVERIFY(clear);
        QVERIFY(!clear->isVisible());
        form.documentCommands().openStyleFile(blue);
        QVERIFY(clear->isVisible());
        // The entry closes the group of recent files, below the last of them.
        const QList<QAction *> actions = form.fileMenu()->actions();
        QCOMPARE(actions.at(actions.indexOf(clear) - 1)->text(), QStringLiteral("&1 ") + blue);
        clear->trigger();
        QVERIFY(form.recentFiles()->items().isEmpty());
        QVERIFY(recentInFileMenu(form).isEmpty());
        QVERIFY(recentUnderOpen(form).isEmpty());
        QVERIFY(!clear->isVisible());
    }

    void restartBringsTheRecentFilesBack()
    {
        const QString blue = writeStyle(QStringLiteral("blue.stl"), "&titleText=Blue\r\n");
        const QString red = writeStyle(QStringLiteral("red.stl"), "&titleText=Red\r\n");
        {
            StyleDocument document;
            MainWindow form(document, m_appDir->dir(), {});
            form.show();
            form.documentCommands().openStyleFile(blue);
            form.documentCommands().openStyleFile(red);
            QVERIFY(form.close());
        }
        StyleDocument document;
        MainWindow form(document, m_appDir->dir(), {});
        form.show();
        QCOMPARE(form.recentFiles()->items(), (QStringList{red, blue}));
        QCOMPARE(recentUnderOpen(form), recentInFileMenu(form));
        QCOMPARE(recentInFileMenu(form).size(), 2);
    }

    void commandLineFileOpensAfterTheFirstShow_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("opened");
        QTest::newRow("none") << QStringList() << QString();
        QTest::newRow("missing file") << QStringList{QStringLiteral("gone.stl")} << QString();
        QTest::newRow("two files")
                << QStringList{QStringLiteral("blue.stl"), QStringLiteral("red.stl")}
                << QStringLiteral("blue.stl");
    }
    void commandLineFileOpensAfterTheFirstShow()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, opened);
        writeStyle(QStringLiteral("blue.stl"), "&titleText=Blue\r\n");
        writeStyle(QStringLiteral("red.stl"), "&titleText=Red\r\n");
        QStringList paths;
        for (const QString &name : arguments)
            paths << m_appDir->path(name);
        StyleDocument document;
        MainWindow form(document, m_appDir->dir(), paths);
        QVERIFY(form.document().fileName().isEmpty());
        form.show();
        // Without a file to open the preview is refreshed at once (a picture kept of its chart
        // shows from the first paint); the tick after the first show opens a file, then
        // refreshes the preview.
        QCOMPARE(form.player()->movie().isEmpty(), !opened.isEmpty());
        QTRY_VERIFY(!form.openTimer().isActive());
        QVERIFY(!form.player()->movie().isEmpty());
        QCOMPARE(form.document().fileName(), opened.isEmpty() ? QString() : m_appDir->path(opened));
        QCOMPARE(form.recentFiles()->items().size(), opened.isEmpty() ? 0 : 1);
        QVERIFY(m_errors.isEmpty());
    }

    void droppedFilesOpenTheFirst()
    {
        const QString blue = writeStyle(QStringLiteral("blue.stl"), "&titleText=Blue\r\n");
        const QString red = writeStyle(QStringLiteral("red.stl"), "&titleText=Red\r\n");
        StyleDocument document;
        MainWindow form(document, m_appDir->dir(), {});
        form.show();
        drop(form, {blue, red});
        QCOMPARE(form.document().fileName(), blue);
        QCOMPARE(form.document().paramValue(QStringLiteral("titleText")), QStringLiteral("Blue"));
    }

    void closingWithUnsavedChanges()
    {
        StyleDocument document;
        MainWindow form(document, m_appDir->dir(), {});
        TestPrompts prompts;
        form.documentCommands().setPrompts(prompts);
        form.show();
        form.document().table().setValue(0, QStringLiteral("changed"));
        prompts.answer = DocumentPrompts::Cancel;
        QVERIFY(!form.close());
        QVERIFY(form.isVisible());
        QVERIFY(!form.stateStore()->isSaved());

        prompts.answer = DocumentPrompts::No;
        QVERIFY(form.close());
        QVERIFY(form.stateStore()->isSaved());
        QCOMPARE(prompts.asked,
                 (QStringList(2, QStringLiteral("Do You wand save file \"Untitled\""))));
    }

    void newShowsTheEmptyMovieAndTheUntitledTitle()
    {
        const QString blue = writeStyle(QStringLiteral("blue.stl"), "&titleText=Blue\r\n");
        StyleDocument document;
        MainWindow form(document, m_appDir->dir(), {blue});
        form.show();
        QTRY_COMPARE(form.document().fileName(), blue);
        form.newAction()->trigger();
        QCOMPARE(form.windowTitle(), QStringLiteral("Trevix Style Editor - [Untitled]"));
        QCOMPARE(form.player()->movie(), form.document().appDir() + QStringLiteral("empty.swf"));
        QCOMPARE(form.document().paramValue(QStringLiteral("titleText")), QString());
    }

    void realPromptAsksWithTheTitleAsCaption()
    {
        QWidget parent;
        StyleFileDialogs dialogs(&parent);
        QString caption;
        QString text;
        bool questionIcon = false;
        bool yesIsDefault = false;
        QTimer::singleShot(0, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            caption = box->windowTitle();
            text = box->text();
            questionIcon = box->icon() == QMessageBox::Question;
            yesIsDefault = box->defaultButton() == box->button(QMessageBox::Yes);
            box->button(QMessageBox::No)->click();
        });
        QCOMPARE(dialogs.askSaveChanges(DocumentCommands::saveChangesMessage(QString())),
                 DocumentPrompts::No);
        QCOMPARE(caption, TrevixApplication::title());
        QCOMPARE(text, QStringLiteral("Do You wand save file \"Untitled\""));
        QVERIFY(questionIcon);
        QVERIFY(yesIsDefault);

        QTimer::singleShot(0, this, [] { QApplication::activeModalWidget()->close(); });
        QCOMPARE(dialogs.askSaveChanges(QStringLiteral("x")), DocumentPrompts::Cancel);
    }

    // Lines the profile does not know stay in the file until Save is chosen
    // in the window's own question; Enter chooses Cancel.
    void saveAsksBeforeDroppingLines()
    {
        const QByteArray content = "# mine\r\n&titleText=Blue\r\n";
        const QString blue = writeStyle(QStringLiteral("blue.stl"), content);
        StyleDocument document;
        MainWindow form(document, m_appDir->dir(), {blue});
        form.show();
        QTRY_COMPARE(form.document().fileName(), blue);
        BoxAnswers answers;
        form.saveAction()->trigger();
        QCOMPARE(answers.texts,
                 QStringList{"Save will drop 1 line of blue.stl that the profile does not know: "
                             "1: # mine"});
        QCOMPARE(readFile(blue), content);

        answers.button = QStringLiteral("Save");
        form.saveAction()->trigger();
        QCOMPARE(answers.texts.size(), 2);
        QCOMPARE(readFile(blue), QByteArray("&titleText=Blue\r\n"));
        // Asked once for the document and file.
        form.saveAction()->trigger();
        QCOMPARE(answers.texts.size(), 2);
    }

    // A picture opened by mistake says so at once, and Save leaves it whole.
    void fileWithoutStyleLinesSaysSo()
    {
        const QByteArray picture("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x10", 20);
        const QString photo = writeStyle(QStringLiteral("photo.png"), picture);
        BoxAnswers answers;
        answers.button = QStringLiteral("OK");
        StyleDocument document;
        MainWindow form(document, m_appDir->dir(), {photo});
        form.show();
        QTRY_COMPARE(answers.texts.size(), 1);
        QVERIFY2(answers.texts.first().startsWith(QStringLiteral("photo.png holds no style lines")),
                 qPrintable(answers.texts.first()));
        QCOMPARE(form.document().fileName(), photo);

        answers.button = QStringLiteral("Cancel");
        form.saveAction()->trigger();
        QCOMPARE(answers.texts.size(), 2);
        QVERIFY(answers.texts.last().startsWith(QStringLiteral("photo.png holds no style lines")));
        QCOMPARE(readFile(photo), picture);
    }

    void realFileDialogsOfferStyleFiles()
    {
        QWidget parent;
        StyleFileDialogs dialogs(&parent);
        for (const bool save : {false, true}) {
            QFileDialog *seen = nullptr;
            QTimer::singleShot(0, this, [&] {
                seen = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
                QVERIFY(seen);
                // Closed first, so that a failed check below cannot leave the dialog waiting.
                seen->reject();
                QCOMPARE(seen->nameFilters(),
                         (QStringList{QStringLiteral("Trevix Style files (*.stl)"),
                                      QStringLiteral("All files (*)")}));
                QCOMPARE(seen->defaultSuffix(), QStringLiteral("stl"));
                QVERIFY(!seen->sidebarUrls().isEmpty());
                QCOMPARE(seen->acceptMode(),
                         save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
                QCOMPARE(seen->fileMode(), save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
                // Save as replaces an existing file without a question.
                QCOMPARE(seen->testOption(QFileDialog::DontConfirmOverwrite), save);
            });
            QVERIFY((save ? dialogs.saveFileName() : dialogs.openFileName()).isEmpty());
            QVERIFY(seen);
        }
    }

    void dialogsStartWhereTheLastFileWasChosen()
    {
        QVERIFY(QDir().mkpath(m_appDir->path(QStringLiteral("styles"))));
        const QString blue = writeStyle(QStringLiteral("styles/blue.stl"), "&titleText=Blue\r\n");
        QWidget parent;
        StyleFileDialogs dialogs(&parent);
        QTimer::singleShot(0, this, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            dialog->selectFile(blue);
            static_cast<QDialog *>(dialog)->accept(); // as the Open button does
        });
        QCOMPARE(dialogs.openFileName(), QDir::toNativeSeparators(blue));
        QString folder;
        QTimer::singleShot(0, this, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            folder = dialog->directory().absolutePath();
            dialog->reject();
        });
        dialogs.saveFileName();
        QCOMPARE(folder, QFileInfo(blue).absolutePath());
    }
};

QTEST_MAIN(tst_MainWindowDocument)
#include "tst_mainwindowdocument.moc"
