#include "help/AboutDialog.h"
#include "help/LinkLabel.h"
#include "support/UrlRecorder.h"

#include <QDesktopServices>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

// The box's controls, found as a screen reader or a style sheet finds them: by name.
template<typename Control>
Control *part(const AboutDialog &about, const char *name)
{
    return about.findChild<Control *>(QLatin1String(name));
}

class tst_AboutDialog : public QObject
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

void tst_AboutDialog::initTestCase()
{
    for (const char *scheme : {"http", "mailto"})
        QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &m_urls, "openUrl");
}

void tst_AboutDialog::cleanupTestCase()
{
    for (const char *scheme : {"http", "mailto"})
        QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
}

void tst_AboutDialog::showsTheProgramAndItsMaker()
{
    AboutDialog about;
    QCOMPARE(about.windowTitle(), QStringLiteral("About"));
    QVERIFY(about.width() >= 231 && about.height() >= 205);
    QCOMPARE(part<QLabel>(about, "LabelTitle")->text(), QStringLiteral("Trevix Style Editor"));
    QVERIFY(part<QLabel>(about, "LabelTitle")->font().bold());
    QCOMPARE(part<QLabel>(about, "LabelVersion")->text(),
             QStringLiteral("Version 1.0\n\nfor Trevix"));
    QCOMPARE(part<QLabel>(about, "wwwLabel")->text(), QStringLiteral("www:"));
    QCOMPARE(part<QLabel>(about, "mailLabel")->text(), QStringLiteral("e-mail:"));
    QCOMPARE(part<QLabel>(about, "NoticeLabel")->text().count(QLatin1Char('\n')), 1);
    for (LinkLabel *link :
         {part<LinkLabel>(about, "URLLabel"), part<LinkLabel>(about, "EMailLabel")}) {
        QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
        QVERIFY(link->font().underline());
        QCOMPARE(link->palette().color(QPalette::WindowText), QColor(Qt::blue));
    }
    // Each caption stands before its address, the web row above the mail row,
    // and the two addresses start at one edge.
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QVERIFY(part<QLabel>(about, "wwwLabel")->geometry().right()
            < part<LinkLabel>(about, "URLLabel")->x());
    QVERIFY(part<QLabel>(about, "mailLabel")->geometry().right()
            < part<LinkLabel>(about, "EMailLabel")->x());
    QCOMPARE(part<LinkLabel>(about, "URLLabel")->x(), part<LinkLabel>(about, "EMailLabel")->x());
    QVERIFY(part<LinkLabel>(about, "URLLabel")->geometry().bottom()
            < part<LinkLabel>(about, "EMailLabel")->y());
    QVERIFY(part<QLabel>(about, "LabelVersion")->geometry().bottom()
            < part<LinkLabel>(about, "URLLabel")->y());
    QVERIFY(part<LinkLabel>(about, "EMailLabel")->geometry().bottom()
            < part<QLabel>(about, "NoticeLabel")->y());
    QVERIFY(part<QLabel>(about, "NoticeLabel")->geometry().bottom()
            < part<QPushButton>(about, "BtnOk")->y());
    QVERIFY(qAbs(part<QPushButton>(about, "BtnOk")->geometry().center().x()
                 - about.rect().center().x())
            <= 1); // centred
}

void tst_AboutDialog::linksOpenThroughTheShellAndTheBoxStays()
{
    AboutDialog about;
    about.show();
    QTest::mouseClick(part<LinkLabel>(about, "URLLabel"), Qt::LeftButton);
    QTest::mouseClick(part<LinkLabel>(about, "EMailLabel"), Qt::LeftButton);
    QTest::mouseClick(part<LinkLabel>(about, "EMailLabel"),
                      Qt::RightButton); // not a click on the link
    QCOMPARE(m_urls.urls().size(), 2);
    QCOMPARE(m_urls.urls()[0], QUrl(QStringLiteral("http://") + AboutDialog::webAddress));
    QCOMPARE(m_urls.urls()[1].toString(),
             QStringLiteral("mailto:") + AboutDialog::supportAddress + "?subject=Trevix");
    QVERIFY(about.isVisible());
}

void tst_AboutDialog::closesWithEscapeAndOk_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Escape") << "escape";
    QTest::newRow("Enter on OK") << "enter";
    QTest::newRow("OK clicked") << "click";
}

void tst_AboutDialog::closesWithEscapeAndOk()
{
    QFETCH(QString, how);
    AboutDialog about;
    QTimer::singleShot(0, &about, [&] {
        if (how == "escape")
            QTest::keyClick(&about, Qt::Key_Escape);
        else if (how == "enter")
            QTest::keyClick(part<QPushButton>(about, "BtnOk"), Qt::Key_Return);
        else
            QTest::mouseClick(part<QPushButton>(about, "BtnOk"), Qt::LeftButton);
    });
    QTimer::singleShot(2000, &about, [&] { about.done(42); }); // only if the key did not close it
    QCOMPARE(about.exec(), int(QDialog::Rejected));
}

QTEST_MAIN(tst_AboutDialog)
#include "tst_aboutdialog.moc"
