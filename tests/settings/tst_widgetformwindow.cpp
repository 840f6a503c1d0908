#include "settings/SettingsBackingStore.h"
#include "settings/WindowStateStore.h"
#include "settings/WidgetFormWindow.h"

#include <QCloseEvent>
#include <QLineEdit>
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
        storage->iniSection = Section;
        storage->options = {FormPlacement::fpState, FormPlacement::fpPosition, FormPlacement::fpActiveControl};
        storage->storedProps = {QStringLiteral("StatusBar.Visible")};
        WidgetFormWindow::attach(*storage, this);
        storage->active = true;
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
            .value(QStringLiteral("SOFTWARE/") + QString(Section).replace(QLatin1Char('\\'), QLatin1Char('/')) +
                   QLatin1Char('/') + name)
            .toString();
    }

    QTemporaryDir m_dir;
    QString m_path;

private slots:
    void init()
    {
        m_path = m_dir.filePath(QStringLiteral("%1-%2.conf").arg(QString::fromLatin1(QTest::currentTestFunction()),
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

    void normalPlacementRoundTrip()
    {
        {
            Window w;
            w.show();
            w.setGeometry(120, 90, 640, 420);
            w.statusBar->hide();
            w.other->setFocus();
            QVERIFY(w.close());
        }
        QCOMPARE(value(QStringLiteral("NormPos")), QStringLiteral("120,90,760,510"));
        QCOMPARE(value(QStringLiteral("ShowCmd")), QStringLiteral("1"));
        QCOMPARE(value(QStringLiteral("StatusBar_Visible")), QStringLiteral("False"));
        QCOMPARE(value(QStringLiteral("ActiveControl")), QStringLiteral("Other"));

        Window w;
        w.show();
        QCOMPARE(w.geometry(), QRect(120, 90, 640, 420));
        QVERIFY(w.statusBar->isHidden());
        QCOMPARE(w.focusWidget(), w.other);
    }

    void maximizedPlacementRoundTrip()
    {
        {
            Window w;
            w.show();
            w.setGeometry(60, 50, 600, 400);
            w.showMaximized();
            QTRY_VERIFY(w.isMaximized());
            QVERIFY(w.close());
        }
        QCOMPARE(value(QStringLiteral("ShowCmd")), QStringLiteral("3"));
        QCOMPARE(value(QStringLiteral("NormPos")), QStringLiteral("60,50,660,450"));

        Window w;
        w.show();
        QTRY_VERIFY(w.isMaximized());
        w.showNormal();
        QTRY_COMPARE(w.geometry(), QRect(60, 50, 600, 400));
    }

    void minimizedWindowComesBackMinimized_data()
    {
        QTest::addColumn<bool>("fromMaximized");
        QTest::newRow("from normal") << false;
        QTest::newRow("from maximized") << true;
    }
    void minimizedWindowComesBackMinimized()
    {
        QFETCH(bool, fromMaximized);
        {
            Window w;
            w.show();
            w.setGeometry(60, 50, 600, 400);
            w.setWindowState(Qt::WindowMinimized | (fromMaximized ? Qt::WindowMaximized : Qt::WindowNoState));
            QVERIFY(w.close());
        }
        QCOMPARE(value(QStringLiteral("ShowCmd")), QStringLiteral("2"));
        QCOMPARE(value(QStringLiteral("Flags")), fromMaximized ? QStringLiteral("2") : QStringLiteral("0"));

        Window w;
        w.show();
        QVERIFY(!w.isMinimized()); // shown normal first, minimized once the show is done
        QTRY_VERIFY(w.isMinimized());
        QCOMPARE(w.isMaximized(), fromMaximized);
        QCOMPARE(w.normalGeometry(), QRect(60, 50, 600, 400));
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
        w.storage->active = false;
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
        QVERIFY(!QSettings(m_path, QSettings::IniFormat).allKeys().join(QLatin1Char(' ')).contains(
            QStringLiteral("ActiveControl")));
    }
};

QTEST_MAIN(tst_WidgetFormWindow)
#include "tst_widgetformwindow.moc"
