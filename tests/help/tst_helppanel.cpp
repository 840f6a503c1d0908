#include "app/MainWindow.h"
#include "base/ErrorReport.h"
#include "editors/ProfileGrid.h"
#include "help/HelpPanel.h"
#include "settings/SettingsBackingStore.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>

// The help panel of the main window, started on the sample profile in a
// temporary application folder with its own settings file.
class tst_HelpPanel : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void withoutPicturesThereIsNoPanel();
    void storedSwitchShowsThePanelAtStartWithoutAPicture();
    void followsTheUsersMoves();
    void popupPostsAndBulkWorkLeaveThePicture();
    void wholeTableWalksLeaveThePicture();
    void closeBoxUnchecksAndTheItemBringsItBack();
    void unreadablePictureIsReportedAndTheOldOneStays();

private:
    QString appFile(const QString &name) const { return m_dir->filePath(name); }
    void addPictures();
    void storeHelpSwitch(bool checked);
    // Selects the parameter in the grid as the user would.
    void select(MainWindow &form, const QString &key);
    static QSize pictureSize(const MainWindow &form)
    {
        return form.helpPanel()->pictureLabel()->pixmap().size();
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    QStringList m_reported;
    ErrorReport::Handler m_previous;
};

void tst_HelpPanel::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    for (const char *name : {"Style.xml", "style.txt"}) {
        QVERIFY(QFile::copy(QStringLiteral(TREVIX_SAMPLE_DIR "/") + QLatin1String(name),
                            appFile(QLatin1String(name))));
        QFile::setPermissions(appFile(QLatin1String(name)), QFile::ReadOwner | QFile::WriteOwner);
    }
    SettingsBackingStore::setUserFilePath(appFile(QStringLiteral("TrevixStyleEditor.conf")));
    m_reported.clear();
    m_previous = ErrorReport::setHandler([this](const QString &message) { m_reported << message; });
}

void tst_HelpPanel::cleanup()
{
    ErrorReport::setHandler(m_previous);
    SettingsBackingStore::setUserFilePath(QString());
    m_dir.reset();
}

void tst_HelpPanel::addPictures()
{
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("img")));
    for (const char *key : {"bgColor", "chartType", "margin"}) {
        const QString name = QStringLiteral("img/%1.gif").arg(QLatin1String(key));
        QVERIFY(QFile::copy(QStringLiteral(TREVIX_APP_DIR "/") + name, appFile(name)));
    }
}

void tst_HelpPanel::storeHelpSwitch(bool checked)
{
    SettingsBackingStore store(QStringLiteral("SOFTWARE"), SettingsBackingStore::ReadWrite);
    store.writeText(QStringLiteral("Melbrin\\TrevixStyleEditor"),
                    QStringLiteral("ItemHelpWindow_Checked"),
                    checked ? QStringLiteral("True") : QStringLiteral("False"));
    store.close();
}

void tst_HelpPanel::select(MainWindow &form, const QString &key)
{
    const ParameterTable &table = form.document().table();
    for (int i = 0; i < table.count(); ++i) {
        if (table.record(i).name() == key) {
            form.profileGrid()->setCurrentRecord(i);
            QCOMPARE(table.current().name(), key);
            return;
        }
    }
    QFAIL("no such parameter");
}

void tst_HelpPanel::withoutPicturesThereIsNoPanel()
{
    storeHelpSwitch(true);
    StyleDocument document;
    MainWindow form(document, m_dir->path(), {});
    form.show();
    QVERIFY(form.helpPanelAction()->isChecked()); // restored, but of no use here
    QVERIFY(!form.helpPanelAction()->isVisible());
    QVERIFY(!form.helpPanel()->isVisible());
    QVERIFY(m_reported.isEmpty());
}

void tst_HelpPanel::storedSwitchShowsThePanelAtStartWithoutAPicture()
{
    addPictures();
    storeHelpSwitch(true);
    StyleDocument document;
    MainWindow form(document, m_dir->path(), {});
    QVERIFY(!form.helpPanel()->isVisible());
    form.show();
    QVERIFY(form.helpPanelAction()->isVisible());
    QVERIFY(form.helpPanel()->isVisible());
    QCOMPARE(form.helpPanel()->windowTitle(), QStringLiteral("Help"));
    QVERIFY(form.helpPanel()->width() >= 400 && form.helpPanel()->height() >= 320);
    QVERIFY(form.helpPanel()->windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(form.helpPanel()->windowType(), Qt::Tool);
    QVERIFY(form.helpPanel()->pictureLabel()->pixmap().isNull());
    // The picture's area lies below the blank strip, at least 400 by 300.
    const QRect image = form.helpPanel()->pictureLabel()->geometry();
    QVERIFY(image.width() >= 400 && image.height() >= 300);
    QVERIFY(image.top()
            > form.helpPanel()->findChild<QLabel *>(QStringLiteral("TopLabel"))->geometry().bottom());
    QCOMPARE(image.left(), 0);
    QVERIFY(form.helpPanel()->findChild<QLabel *>(QStringLiteral("TopLabel"))->text().isEmpty());
}

void tst_HelpPanel::followsTheUsersMoves()
{
    addPictures();
    storeHelpSwitch(false);
    StyleDocument document;
    MainWindow form(document, m_dir->path(), {});
    form.show();
    QVERIFY(form.helpPanelAction()->isVisible());
    QVERIFY(!form.helpPanel()->isVisible());

    select(form, QStringLiteral("margin")); // the panel is off: nothing is loaded
    QVERIFY(form.helpPanel()->pictureLabel()->pixmap().isNull());

    form.helpPanelAction()->trigger();
    QVERIFY(form.helpPanel()->isVisible());
    QVERIFY(form.helpPanel()->pictureLabel()->pixmap().isNull()); // showing loads nothing by itself

    select(form, QStringLiteral("chartType"));
    const QSize gifSize = QImage(appFile("img/chartType.gif")).size();
    QVERIFY(!gifSize.isEmpty());
    QCOMPARE(pictureSize(form), gifSize); // at its own size
    QCOMPARE(form.helpPanel()->pictureLabel()->alignment(), Qt::AlignLeft | Qt::AlignTop);

    select(form, QStringLiteral("titleText")); // no picture for it
    QVERIFY(form.helpPanel()->pictureLabel()->pixmap().isNull());
    QVERIFY(m_reported.isEmpty());
}

void tst_HelpPanel::popupPostsAndBulkWorkLeaveThePicture()
{
    addPictures();
    storeHelpSwitch(true);
    StyleDocument document;
    MainWindow form(document, m_dir->path(), {});
    form.show();
    select(form, QStringLiteral("chartType"));
    QVERIFY(!form.helpPanel()->pictureLabel()->pixmap().isNull());

    {
        const ScopedFlag fromPopup = form.document().writingFromPopup();
        select(form, QStringLiteral("titleText"));
        QVERIFY(!form.helpPanel()->pictureLabel()->pixmap().isNull());
    }
    {
        const ScopedFlag filling = form.document().fillingTable();
        select(form, QStringLiteral("titleSize"));
        QVERIFY(!form.helpPanel()->pictureLabel()->pixmap().isNull());
    }

    select(form, QStringLiteral("titleColor"));
    QVERIFY(form.helpPanel()->pictureLabel()->pixmap().isNull());
}

void tst_HelpPanel::wholeTableWalksLeaveThePicture()
{
    addPictures();
    // A walk that loaded pictures would meet this one and report it.
    QFile broken(appFile(QStringLiteral("img/titleText.gif")));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("not a picture");
    broken.close();
    storeHelpSwitch(true);
    StyleDocument document;
    MainWindow form(document, m_dir->path(), {});
    form.show();
    select(form, QStringLiteral("margin"));
    const QImage before = form.helpPanel()->pictureLabel()->pixmap().toImage();
    QVERIFY(!before.isNull());

    // Saving walks to the last row, series3Color, and a conditional list looks
    // up chartType; neither is the user's move.
    form.document().saveStyleValues(appFile(QStringLiteral("style.txt")));
    QCOMPARE(form.document().paramValue(QStringLiteral("chartType")), QStringLiteral("bar"));
    QCOMPARE(form.document().table().current().name(), QStringLiteral("margin"));
    QCOMPARE(form.helpPanel()->pictureLabel()->pixmap().toImage(), before);
    QVERIFY(m_reported.isEmpty());
}

void tst_HelpPanel::closeBoxUnchecksAndTheItemBringsItBack()
{
    addPictures();
    storeHelpSwitch(true);
    StyleDocument document;
    MainWindow form(document, m_dir->path(), {});
    form.show();
    select(form, QStringLiteral("bgColor"));
    const QImage shown = form.helpPanel()->pictureLabel()->pixmap().toImage();

    QVERIFY(form.helpPanel()->close());
    QVERIFY(!form.helpPanel()->isVisible());
    QVERIFY(!form.helpPanelAction()->isChecked());
    {
        // The close box saved the panel's position at once.
        SettingsBackingStore store(QStringLiteral("SOFTWARE"));
        QCOMPARE(store.readText(QStringLiteral("Melbrin\\TrevixStyleEditor\\HelpWindow"),
                                QStringLiteral("Visible"), QString()),
                 QStringLiteral("0"));
    }

    form.helpPanelAction()->trigger();
    QVERIFY(form.helpPanelAction()->isChecked());
    QVERIFY(form.helpPanel()->isVisible());
    QCOMPARE(form.helpPanel()->pictureLabel()->pixmap().toImage(), shown);

    form.helpPanelAction()->trigger(); // hiding through the menu
    QVERIFY(!form.helpPanel()->isVisible());
}

void tst_HelpPanel::unreadablePictureIsReportedAndTheOldOneStays()
{
    addPictures();
    QFile broken(appFile(QStringLiteral("img/titleText.gif")));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("GIF89a, but nothing after it");
    broken.close();
    storeHelpSwitch(true);
    StyleDocument document;
    MainWindow form(document, m_dir->path(), {});
    form.show();
    select(form, QStringLiteral("bgColor"));
    const QImage shown = form.helpPanel()->pictureLabel()->pixmap().toImage();

    select(form, QStringLiteral("titleText"));
    QCOMPARE(m_reported.size(), 1);
    QVERIFY(m_reported.first().contains(QStringLiteral("titleText.gif")));
    QCOMPARE(form.helpPanel()->pictureLabel()->pixmap().toImage(), shown);
}

QTEST_MAIN(tst_HelpPanel)
#include "tst_helppanel.moc"
