#include "OptionsDialogParts.h"
#include "app/MainWindow.h"
#include "preview/FlashPlayerView.h"
#include "settings/WindowStateStore.h"
#include "support/ReportedErrors.h"
#include "support/TestAppDir.h"
#include "support/WindowUnderTest.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <functional>

// The Options command of the main window: the dialog starts from the stored
// values; OK writes them back and refreshes the preview, Cancel changes
// nothing. The dialog is driven from a timer while it runs modally.
class tst_MainWindowOptions : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestAppDir> m_appDir;
    WindowUnderTest m_form;
    ReportedErrors m_reported;

    QVariant stored(const char *name) const
    {
        return m_form->stateStore()->readStoredValue(QLatin1String(name));
    }

    // Runs the Options command with the dialog handed to act while it is up.
    bool runOptions(const std::function<void(const OptionsDialogParts &)> &act)
    {
        bool shown = false;
        QTimer::singleShot(0, m_form.get(), [&] {
            if (auto *dialog = qobject_cast<OptionsDialog *>(QApplication::activeModalWidget())) {
                shown = true;
                act(OptionsDialogParts(*dialog));
            }
        });
        m_form->optionsAction()->trigger();
        return shown;
    }

private slots:
    void init()
    {
        m_appDir = std::make_unique<TestAppDir>();
        m_form.open(m_appDir->dir(), QStringList());
        // Room for the widest movie below beside the grid, laid out while the window stays hidden.
        m_form->resize(3600, 400);
        m_form->layout()->activate();
        // As after a restore: every stored value is text.
        for (const char *name : {"SWFFile", "SWFWidth", "SWFHeight", "SWFDataFile"})
            m_form->stateStore()->writeStoredValue(QLatin1String(name), stored(name).toString());
    }

    void cleanup()
    {
        m_form.reset();
        m_reported.verifyNoneShown();
        m_appDir.reset();
    }

    void okWithoutChangesWritesTheSizesAsNumbers()
    {
        QSignalSpy written(m_form->player(), &FlashPlayerView::movieWritten);
        QString movie, dataFile;
        int width = 0, height = 0;
        QVERIFY(runOptions([&](const OptionsDialogParts &d) {
            movie = d.filenameEdit->currentText();
            width = d.spinWidth->value();
            height = d.spinHeight->value();
            dataFile = d.dataFileEdit->text();
            d.okButton->click();
        }));
        QCOMPARE(movie, QStringLiteral("trevix.swf"));
        QCOMPARE(width, 400);
        QCOMPARE(height, 300);
        QCOMPARE(dataFile, QStringLiteral("data.txt"));
        QCOMPARE(stored("SWFWidth"), QVariant(400));
        QCOMPARE(stored("SWFHeight"), QVariant(300));
        QCOMPARE(stored("SWFFile"), QVariant(QStringLiteral("trevix.swf")));
        QCOMPARE(written.size(), 2); // the preview refreshed
        QVERIFY(m_reported.isEmpty());
    }

    void okStoresTheEditedValuesUntrimmedAndRefreshes()
    {
        QSignalSpy written(m_form->player(), &FlashPlayerView::movieWritten);
        QVERIFY(runOptions([](const OptionsDialogParts &d) {
            d.filenameEdit->setEditText(QStringLiteral(" other.swf"));
            d.dataFileEdit->setText(QStringLiteral(" sales.txt "));
            d.spinWidth->setFocus();
            d.spinWidth->selectAll();
            QTest::keyClicks(d.spinWidth, QStringLiteral("5000"));
            QTest::keyClick(d.spinWidth, Qt::Key_Tab); // leaving brings it into the range
            d.spinHeight->selectAll();
            QTest::keyClick(d.spinHeight, Qt::Key_Delete);
            QTest::keyClick(d.spinHeight, Qt::Key_Tab);
            d.okButton->click();
        }));
        QCOMPARE(stored("SWFFile"), QVariant(QStringLiteral(" other.swf")));
        QCOMPARE(stored("SWFWidth"), QVariant(3000));
        QCOMPARE(stored("SWFHeight"), QVariant(10));
        QCOMPARE(stored("SWFDataFile"), QVariant(QStringLiteral(" sales.txt ")));
        QCOMPARE(m_form->playerPanel()->width(), 3004);
        QCOMPARE(m_form->player()->size(), QSize(3000, 10));
        QCOMPARE(written.size(), 2);
        QCOMPARE(written.at(1).at(0).toString(),
                 m_form->document().appDir() + QStringLiteral(" other.swf"));
        QCOMPARE(written.at(1).at(1).toString(), QStringLiteral("datafile=sales.txt"));
    }

    void cancelChangesNothing()
    {
        QSignalSpy written(m_form->player(), &FlashPlayerView::movieWritten);
        QVERIFY(runOptions([](const OptionsDialogParts &d) {
            d.spinWidth->setValue(800);
            d.filenameEdit->setEditText(QStringLiteral("demo.swf"));
            QTest::keyClick(d.dataFileEdit, Qt::Key_Escape);
        }));
        QCOMPARE(stored("SWFWidth"), QVariant(QStringLiteral("400")));
        QCOMPARE(stored("SWFFile"), QVariant(QStringLiteral("trevix.swf")));
        QVERIFY(written.isEmpty());
    }

    void storedSizesShowWithinTheRange_data()
    {
        QTest::addColumn<QVariant>("width");
        QTest::addColumn<int>("shown");
        QTest::newRow("too large") << QVariant("5000") << 3000;
        QTest::newRow("too small") << QVariant("4") << 10;
        QTest::newRow("fraction") << QVariant("250.6") << 251;
        // A broken stored text shows the design value, so it can be repaired here.
        QTest::newRow("no number") << QVariant("abc") << 400;
        QTest::newRow("empty") << QVariant("") << 400;
    }

    void storedSizesShowWithinTheRange()
    {
        QFETCH(QVariant, width);
        QFETCH(int, shown);
        m_form->stateStore()->writeStoredValue(QStringLiteral("SWFWidth"), width);
        int seen = 0;
        QVERIFY(runOptions([&](const OptionsDialogParts &d) {
            seen = d.spinWidth->value();
            d.cancelButton->click();
        }));
        QCOMPARE(seen, shown);
        QVERIFY(m_reported.isEmpty());
        QCOMPARE(stored("SWFWidth"), width);
    }

    // A broken size plays at the default size, and OK stores that default.
    void brokenSizeIsRepairedByOk()
    {
        m_form->stateStore()->writeStoredValue(QStringLiteral("SWFHeight"), QStringLiteral("x"));
        m_form->refreshPreview();
        QCOMPARE(m_form->player()->size(), QSize(400, 300));
        QSignalSpy written(m_form->player(), &FlashPlayerView::movieWritten);
        QVERIFY(runOptions([](const OptionsDialogParts &d) { d.okButton->click(); }));
        QCOMPARE(stored("SWFHeight"), QVariant(300));
        QCOMPARE(written.size(), 2);
        QVERIFY(m_reported.isEmpty());
    }
};

QTEST_MAIN(tst_MainWindowOptions)
#include "tst_mainwindowoptions.moc"
