#include "help/LinkLabel.h"
#include "help/TFormAbout.h"

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
    TFormAbout about;
    QCOMPARE(about.windowTitle(), QStringLiteral("About"));
    QVERIFY(about.width() >= 231 && about.height() >= 205);
    QCOMPARE(about.LabelTitle->text(), QStringLiteral("Trevix Style Editor"));
    QVERIFY(about.LabelTitle->font().bold());
    QCOMPARE(about.LabelVersion->text(), QStringLiteral("Version 1.0\n\nfor Trevix"));
    QCOMPARE(about.wwwLabel->text(), QStringLiteral("www:"));
    QCOMPARE(about.mailLabel->text(), QStringLiteral("e-mail:"));
    QCOMPARE(about.NoticeLabel->text().count(QLatin1Char('\n')), 1);
    for (LinkLabel *link : {about.URLLabel, about.EMailLabel}) {
        QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
        QVERIFY(link->font().underline());
        QCOMPARE(link->palette().color(QPalette::WindowText), QColor(Qt::blue));
    }
    // Each caption stands before its address, the web row above the mail row,
    // and the two addresses start at one edge.
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QVERIFY(about.wwwLabel->geometry().right() < about.URLLabel->x());
    QVERIFY(about.mailLabel->geometry().right() < about.EMailLabel->x());
    QCOMPARE(about.URLLabel->x(), about.EMailLabel->x());
    QVERIFY(about.URLLabel->geometry().bottom() < about.EMailLabel->y());
    QVERIFY(about.LabelVersion->geometry().bottom() < about.URLLabel->y());
    QVERIFY(about.EMailLabel->geometry().bottom() < about.NoticeLabel->y());
    QVERIFY(about.NoticeLabel->geometry().bottom() < about.BtnOk->y());
    QVERIFY(qAbs(about.BtnOk->geometry().center().x() - about.rect().center().x()) <= 1); // centred
}

void tst_FormAbout::linksOpenThroughTheShellAndTheBoxStays()
{
    TFormAbout about;
    about.show();
    QTest::mouseClick(about.URLLabel, Qt::LeftButton);
    QTest::mouseClick(about.EMailLabel, Qt::LeftButton);
    QTest::mouseClick(about.EMailLabel, Qt::RightButton); // not a click on the link
    QCOMPARE(m_urls.urls.size(), 2);
    QCOMPARE(m_urls.urls[0], QUrl(QStringLiteral("http://") + TFormAbout::WebAddress));
    QCOMPARE(m_urls.urls[1].toString(), QStringLiteral("mailto:") + TFormAbout::SupportAddress + "?subject=Trevix");
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
    TFormAbout about;
    QTimer::singleShot(0, &about, [&] {
        if (how == "escape")
            QTest::keyClick(&about, Qt::Key_Escape);
        else if (how == "enter")
            QTest::keyClick(about.BtnOk, Qt::Key_Return);
        else
            QTest::mouseClick(about.BtnOk, Qt::LeftButton);
    });
    QTimer::singleShot(2000, &about, [&] { about.done(42); }); // only if the key did not close it
    QCOMPARE(about.exec(), int(QDialog::Rejected));
}

QTEST_MAIN(tst_FormAbout)
#include "tst_formabout.moc"
