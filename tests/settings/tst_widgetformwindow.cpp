#include "settings/SettingsBackingStore.h"
#include "settings/WidgetFormWindow.h"
#include "settings/WindowStateStore.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

namespace {

const QString Section = QStringLiteral("Melbrin\\TrevixStyleEditor\\Test");

// A window that may refuse to close and that records its own shows.
class Window : public QWidget
{
public:
    Window()
    {
        auto *layout = new QVBoxLayout(this);
        edit = new QLineEdit;
        edit->setObjectName(QStringLiteral("Edit"));
        layout->addWidget(edit);
        other = new QLineEdit;
        other->setObjectName(QStringLiteral("Other"));
        layout->addWidget(other);
        statusBar = new QStatusBar;
        statusBar->setObjectName(QStringLiteral("StatusBar"));
        layout->addWidget(statusBar);
        resize(500, 300);

        storage = new WindowStateStore(this);
        storage->setSection(Section);
        storage->setOptions(
                {FormPlacement::State, FormPlacement::Position, FormPlacement::ActiveControl});
        storage->setStoredProperties({QStringLiteral("StatusBar.Visible")});
        WidgetFormWindow::attach(*storage, this);
        storage->setActive(true);
    }

    bool allowClose = true;
    bool restoredBeforeOwnShow = false;
    QLineEdit *edit;
    QLineEdit *other;
    QStatusBar *statusBar;
    WindowStateStore *storage;

protected:
    void showEvent(QShowEvent *) override { restoredBeforeOwnShow = storage->isRestored(); }
    void closeEvent(QCloseEvent *event) override { event->setAccepted(allowClose); }
};

} // namespace

class tst_WidgetFormWindow : public QObject
{
    Q_OBJECT

private:
    QString value(const QString &name) const
    {
        return QSettings(m_path, QSettings::IniFormat)
                .value(QStringLiteral("SOFTWARE/")
                       + QString(Section).replace(QLatin1Char('\\'), QLatin1Char('/'))
                       + QLatin1Char('/') + name)
                .toString();
    }

    QTemporaryDir m_dir;
    QString m_path;

private slots:
    void init()
    {
        m_path = m_dir.filePath(QStringLiteral("%1-%2.conf")
                                        .arg(QString::fromLatin1(QTest::currentTestFunction()),
                                             QString::fromLatin1(QTest::currentDataTag())));
        SettingsBackingStore::setUserFilePath(m_path);
    }
    void cleanupTestCase() { SettingsBackingStore::setUserFilePath(QString()); }

    void showRestoresBeforeTheWindowsOwnHandler()
    {
        Window w;
        w.show();
        QVERIFY(w.storage->isRestored());
        QVERIFY(w.restoredBeforeOwnShow);
    }

    void closeSavesOnlyWhenTheWindowAgrees()
    {
        Window w;
        w.show();
        w.allowClose = false;
        QVERIFY(!w.close());
        QVERIFY(!w.storage->isSaved());
        QVERIFY(!QFile::exists(m_path));

        w.allowClose = true;
        QVERIFY(w.close());
        QVERIFY(w.storage->isSaved());
        QCOMPARE(value(QStringLiteral("Visible")), QStringLiteral("0"));
    }

    // The placement saved at close comes back at the next show: a minimized
    // window is shown first and minimized once the show is done.
    void placementRoundTrip_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("showCmd");
        QTest::addColumn<QString>("flags");
        QTest::newRow("normal") << int(Qt::WindowNoState) << "1"
                                << "0";
        QTest::newRow("maximized") << int(Qt::WindowMaximized) << "3"
                                   << "0";
        QTest::newRow("minimized") << int(Qt::WindowMinimized) << "2"
                                   << "0";
        QTest::newRow("minimized from maximized")
                << int(Qt::WindowMinimized | Qt::WindowMaximized) << "2"
                << "2";
    }
    void placementRoundTrip()
    {
        QFETCH(int, state);
        QFETCH(QString, showCmd);
        QFETCH(QString, flags);
        const Qt::WindowStates states(state);
        const bool maximized = states.testFlag(Qt::WindowMaximized);
        {
            Window w;
            w.show();
            w.setGeometry(60, 50, 600, 400);
            w.setWindowState(states);
            QTRY_COMPARE(w.windowState(), states);
            QVERIFY(w.close());
        }
        QCOMPARE(value(QStringLiteral("ShowCmd")), showCmd);
        QCOMPARE(value(QStringLiteral("Flags")), flags);
        QCOMPARE(value(QStringLiteral("NormPos")), QStringLiteral("60,50,660,450"));

        Window w;
        w.show();
        if (states.testFlag(Qt::WindowMinimized)) {
            QVERIFY(!w.isMinimized());
            QTRY_VERIFY(w.isMinimized());
        }
        QTRY_COMPARE(w.isMaximized(), maximized);
        QCOMPARE(w.normalGeometry(), QRect(60, 50, 600, 400));
    }

    void propertiesAndFocusRoundTrip()
    {
        {
            Window w;
            w.show();
            w.statusBar->hide();
            w.other->setFocus();
            QVERIFY(w.close());
        }
        QCOMPARE(value(QStringLiteral("StatusBar_Visible")), QStringLiteral("False"));
        QCOMPARE(value(QStringLiteral("ActiveControl")), QStringLiteral("Other"));

        Window w;
        w.show();
        QVERIFY(w.statusBar->isHidden());
        QCOMPARE(w.focusWidget(), w.other);
    }

    // A hand-edited rectangle puts the window, frame included, wholly on the
    // screen: moved there, and shrunk to it when larger.
    void storedRectangleLiesOnTheScreen_data()
    {
        QTest::addColumn<QString>("normPos");
        QTest::addColumn<QRect>("frame"); // where the window's frame ends up
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QWidget probe;
        probe.show();
        const QRect probeFrame = probe.frameGeometry();
        const QRect probeClient = probe.geometry();
        const QMargins frame(probeClient.left() - probeFrame.left(),
                             probeClient.top() - probeFrame.top(),
                             probeFrame.right() - probeClient.right(),
                             probeFrame.bottom() - probeClient.bottom());
        const QSize size = QSize(500, 300).grownBy(frame);
        QTest::newRow("on the screen")
                << "10,20,510,320" << QRect(10, 20, 500, 300).marginsAdded(frame);
        QTest::newRow("far right and below") << "5000,5000,5500,5300"
                                             << QRect(QPoint(screen.right() - size.width() + 1,
                                                             screen.bottom() - size.height() + 1),
                                                      size);
        QTest::newRow("far left and above")
                << "-5000,-5000,-4500,-4700" << QRect(screen.topLeft(), size);
        QTest::newRow("larger than the screen") << "0,0,100000,100000" << screen;
        QTest::newRow("the whole integer range")
                << "-2147483648,-2147483648,2147483647,2147483647" << screen;
        QTest::newRow("past the right edge")
                << QStringLiteral("%1,20,%2,320").arg(screen.right() - 100).arg(screen.right() + 400)
                << QRect(QPoint(screen.right() - size.width() + 1, 20 - frame.top()), size);
    }
    void storedRectangleLiesOnTheScreen()
    {
        QFETCH(QString, normPos);
        QFETCH(QRect, frame);
        {
            QSettings settings(m_path, QSettings::IniFormat);
            settings.setValue(QStringLiteral("SOFTWARE/Melbrin/TrevixStyleEditor/Test/NormPos"),
                              normPos);
        }
        Window w;
        w.show();
        QCOMPARE(w.frameGeometry(), frame);
    }

    void fixedWindowKeepsItsSize()
    {
        {
            Window w;
            w.show();
            w.setGeometry(30, 40, 500, 300);
            QVERIFY(w.close());
        }
        Window w;
        w.setFixedSize(320, 200);
        w.show();
        QCOMPARE(w.geometry(), QRect(30, 40, 320, 200));
    }

    void visibilityIsTheWidgetsOwn()
    {
        Window w; // never shown: its children are not on screen but not hidden either
        w.storage->setActive(false);
        w.storage->saveSettings();
        QCOMPARE(value(QStringLiteral("StatusBar_Visible")), QStringLiteral("True"));
    }

    void focusIsRestoredOnlyToAControlThatTakesIt()
    {
        {
            Window w;
            w.show();
            w.other->setFocus();
            QVERIFY(w.close());
        }
        Window w;
        w.other->setEnabled(false);
        w.show();
        QVERIFY(w.focusWidget() != w.other);
    }

    void controlThatTakesNoFocusIsNotKept()
    {
        Window w;
        w.show();
        w.other->setFocusPolicy(Qt::NoFocus); // like a menu bar while it is being used
        w.other->setFocus();
        QVERIFY(w.close());
        QVERIFY(!QSettings(m_path, QSettings::IniFormat)
                         .allKeys()
                         .join(QLatin1Char(' '))
                         .contains(QStringLiteral("ActiveControl")));
    }
};

QTEST_MAIN(tst_WidgetFormWindow)
#include "tst_widgetformwindow.moc"
