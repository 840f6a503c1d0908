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
    QCOMPARE(about.size(), QSize(231, 205));
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
    QCOMPARE(about.URLLabel->geometry().topLeft(), QPoint(72, 80));
    QCOMPARE(about.EMailLabel->geometry().topLeft(), QPoint(72, 104));
    QCOMPARE(about.BtnOk->geometry(), QRect(80, 176, 75, 25));
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
