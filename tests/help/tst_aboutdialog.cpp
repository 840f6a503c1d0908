#include "help/LinkLabel.h"
#include "help/AboutDialog.h"

#include <QDesktopServices>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

// Stands in for the desktop's browser and mail program.
class UrlRecorder : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void openUrl(const QUrl &url) { urls.append(url); }
};

class tst_FormAbout : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void showsTheProgramAndItsMaker();
    void linksOpenThroughTheShellAndTheBoxStays();
    void closesWithEscapeAndOk_data();
    void closesWithEscapeAndOk();

private:
    UrlRecorder m_urls;
};

void tst_FormAbout::initTestCase()
{
    for (const char *scheme : {"http", "mailto"})
        QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &m_urls, "openUrl");
}

void tst_FormAbout::cleanupTestCase()
{
    for (const char *scheme : {"http", "mailto"})
        QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
}

void tst_FormAbout::showsTheProgramAndItsMaker()
{
    AboutDialog about;
    QCOMPARE(about.windowTitle(), QStringLiteral("About"));
    QVERIFY(about.width() >= 231 && about.height() >= 205);
    QCOMPARE(about.labelTitle->text(), QStringLiteral("Trevix Style Editor"));
    QVERIFY(about.labelTitle->font().bold());
    QCOMPARE(about.labelVersion->text(), QStringLiteral("Version 1.0\n\nfor Trevix"));
    QCOMPARE(about.wwwLabel->text(), QStringLiteral("www:"));
    QCOMPARE(about.mailLabel->text(), QStringLiteral("e-mail:"));
    QCOMPARE(about.noticeLabel->text().count(QLatin1Char('\n')), 1);
    for (LinkLabel *link : {about.webLinkLabel, about.mailLinkLabel}) {
        QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
        QVERIFY(link->font().underline());
        QCOMPARE(link->palette().color(QPalette::WindowText), QColor(Qt::blue));
    }
    // Each caption stands before its address, the web row above the mail row,
    // and the two addresses start at one edge.
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QVERIFY(about.wwwLabel->geometry().right() < about.webLinkLabel->x());
    QVERIFY(about.mailLabel->geometry().right() < about.mailLinkLabel->x());
    QCOMPARE(about.webLinkLabel->x(), about.mailLinkLabel->x());
    QVERIFY(about.webLinkLabel->geometry().bottom() < about.mailLinkLabel->y());
    QVERIFY(about.labelVersion->geometry().bottom() < about.webLinkLabel->y());
    QVERIFY(about.mailLinkLabel->geometry().bottom() < about.noticeLabel->y());
    QVERIFY(about.noticeLabel->geometry().bottom() < about.okButton->y());
    QVERIFY(qAbs(about.okButton->geometry().center().x() - about.rect().center().x()) <= 1); // centred
}

void tst_FormAbout::linksOpenThroughTheShellAndTheBoxStays()
{
    AboutDialog about;
    about.show();
    QTest::mouseClick(about.webLinkLabel, Qt::LeftButton);
    QTest::mouseClick(about.mailLinkLabel, Qt::LeftButton);
    QTest::mouseClick(about.mailLinkLabel, Qt::RightButton); // not a click on the link
    QCOMPARE(m_urls.urls.size(), 2);
    QCOMPARE(m_urls.urls[0], QUrl(QStringLiteral("http://") + AboutDialog::webAddress));
    QCOMPARE(m_urls.urls[1].toString(), QStringLiteral("mailto:") + AboutDialog::supportAddress + "?subject=Trevix");
    QVERIFY(about.isVisible());
}

void tst_FormAbout::closesWithEscapeAndOk_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Escape") << "escape";
    QTest::newRow("Enter on OK") << "enter";
    QTest::newRow("OK clicked") << "click";
}

void tst_FormAbout::closesWithEscapeAndOk()
{
    QFETCH(QString, how);
    AboutDialog about;
    QTimer::singleShot(0, &about, [&] {
        if (how == "escape")
            QTest::keyClick(&about, Qt::Key_Escape);
        else if (how == "enter")
            QTest::keyClick(about.okButton, Qt::Key_Return);
        else
            QTest::mouseClick(about.okButton, Qt::LeftButton);
    });
    QTimer::singleShot(2000, &about, [&] { about.done(42); }); // only if the key did not close it
    QCOMPARE(about.exec(), int(QDialog::Rejected));
}

QTEST_MAIN(tst_FormAbout)
#include "tst_aboutdialog.moc"
