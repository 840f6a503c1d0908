#include "app/ValueHistory.h"
#include "editors/ProfileGrid.h"
#include "params/ProfileGridModel.h"
#include "style/StyleDocument.h"

#include <QAction>
#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

// Undo and redo over a small document: every change is one step, and undo
// and redo post like any other change (style.txt rewritten, modified).
class tst_ValueHistory : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<StyleDocument> m_doc;
    std::unique_ptr<ProfileGridModel> m_model;
    std::unique_ptr<ProfileGrid> m_grid;
    std::unique_ptr<ValueHistory> m_history;

    QString value(int index) const { return m_doc->table().record(index).value(); }

    QByteArray styleTxt() const
    {
        QFile file(m_dir.filePath(QStringLiteral("style.txt")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // A post the way the grid's editor and the popups make it.
    void post(int index, const QString &text, bool fromPopup = false)
    {
        std::optional<ScopedFlag> popup;
        if (fromPopup)
            popup.emplace(m_doc->writingFromPopup());
        m_doc->table().setValue(index, text);
    }

private slots:
    void init()
    {
        QFile profile(m_dir.filePath(QStringLiteral("Style.xml")));
        QVERIFY(profile.open(QIODevice::WriteOnly));
        profile.write("<root>root<s>Chart<bgColor type=\"color\" "
                      "default=\"0xFFFFFF\">Background</bgColor>"
                      "<width type=\"spin\" values=\"0,10\" default=\"5\">Width</width>"
                      "<title>Title</title></s></root>");
        profile.close();
        m_doc = std::make_unique<StyleDocument>();
        m_doc->setAppDir(m_dir.path() + QLatin1Char('/'));
        m_doc->loadProfile(m_dir.filePath(QStringLiteral("Style.xml")));
        m_doc->setModified(false);
        m_model = std::make_unique<ProfileGridModel>(&m_doc->table());
        m_grid = std::make_unique<ProfileGrid>(m_model.get());
        m_history = std::make_unique<ValueHistory>(m_doc.get(), m_grid.get());
        m_history->confirmResetAll = [] { return true; };
    }

    void cleanup()
    {
        m_history.reset();
        m_grid.reset();
        m_model.reset();
        m_doc.reset();
    }

    void undoAndRedoPostTheValues()
    {
        post(1, QStringLiteral("7"));
        post(1, QStringLiteral("8"), true); // a popup's OK
        post(2, QStringLiteral("Sales"));
        QCOMPARE(m_history->stack()->count(), 3);
        QCOMPARE(m_history->undoAction()->toolTip(), QStringLiteral("Undo Set Title to \"Sales\""));

        m_history->undo();
        QCOMPARE(value(2), QString());
        QVERIFY(!styleTxt().contains("&title="));
        m_history->undo();
        QCOMPARE(value(1), QStringLiteral("7"));
        QVERIFY(styleTxt().contains("&width=7\r\n"));
        m_history->undo();
        QCOMPARE(value(1), QStringLiteral("5"));
        QVERIFY(!m_history->undoAction()->isEnabled());

        m_history->redo();
        m_history->redo();
        QCOMPARE(value(1), QStringLiteral("8"));
        QVERIFY(styleTxt().contains("&width=8\r\n"));
        QVERIFY(m_doc->isModified());
        QCOMPARE(m_history->stack()->count(), 3); // replaying records nothing new
    }

    // Values read with bytes that are not UTF-8 are written back with them
    // through changes of other values, undo and redo, and undoing a change of
    // the value itself gives them back; the undo text marks them.
    void keptBytesSurviveUndoAndRedo()
    {
        const QByteArray original
                = "&bgColor=0xFFFFFF\r\n&width=5\r\n&title=Umsatz f\xFCr 2026\r\n";
        QFile file(m_dir.filePath(QStringLiteral("in.stl")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(original);
        file.close();
        m_doc->loadStyleValues(file.fileName());

        post(1, QStringLiteral("7"));
        m_history->undo();
        QCOMPARE(styleTxt(), original);
        m_history->redo();
        QCOMPARE(styleTxt(), "&bgColor=0xFFFFFF\r\n&width=7\r\n&title=Umsatz f\xFCr 2026\r\n");

        post(2, value(2) + QChar(0xDCA9));
        QCOMPARE(m_history->undoAction()->toolTip(),
                 QStringLiteral("Undo Set Title to \"Umsatz f\uFFFDr 2026\uFFFD\""));
        QCOMPARE(styleTxt(), "&bgColor=0xFFFFFF\r\n&width=7\r\n&title=Umsatz f\xFCr 2026\xA9\r\n");
        m_history->undo();
        m_history->undo();
        QCOMPARE(styleTxt(), original);
    }

    void unchangedPostsAndBulkWorkAreNotRecorded()
    {
        post(0, QStringLiteral("0xFFFFFF")); // OK without a change
        m_doc->clearValues();
        QCOMPARE(m_history->stack()->count(), 0);
    }

    void newChangeDropsTheRedoBranch()
    {
        post(1, QStringLiteral("7"));
        m_history->undo();
        post(1, QStringLiteral("9"));
        QVERIFY(!m_history->redoAction()->isEnabled());
        m_history->undo();
        QCOMPARE(value(1), QStringLiteral("5"));
    }

    void resetCurrentRow()
    {
        post(0, QStringLiteral("0x000000"));
        m_grid->setCurrentRecord(0);
        m_history->resetCurrent();
        QCOMPARE(value(0), QStringLiteral("0xFFFFFF"));
        QVERIFY(styleTxt().contains("&bgColor=0xFFFFFF\r\n"));
        m_history->undo();
        QCOMPARE(value(0), QStringLiteral("0x000000"));
    }

    void resetAllIsOneStep()
    {
        post(0, QStringLiteral("0x000000"));
        post(1, QStringLiteral("1"));
        post(2, QStringLiteral("Sales"));
        m_history->resetAll();
        QCOMPARE(value(0), QStringLiteral("0xFFFFFF"));
        QCOMPARE(value(1), QStringLiteral("5"));
        QCOMPARE(value(2), QString());
        QCOMPARE(styleTxt(), QByteArray("&bgColor=0xFFFFFF\r\n&width=5\r\n"));
        QCOMPARE(m_history->stack()->count(), 4);
        m_history->undo();
        QCOMPARE(value(0), QStringLiteral("0x000000"));
        QCOMPARE(value(1), QStringLiteral("1"));
        QCOMPARE(value(2), QStringLiteral("Sales"));
        QCOMPARE(styleTxt(), QByteArray("&bgColor=0x000000\r\n&width=1\r\n&title=Sales\r\n"));
        m_history->redo();
        QCOMPARE(value(2), QString());
    }

    void resetAllCanBeDeclined()
    {
        post(1, QStringLiteral("1"));
        m_history->confirmResetAll = [] { return false; };
        m_history->resetAll();
        QCOMPARE(value(1), QStringLiteral("1"));
        QCOMPARE(m_history->stack()->count(), 1);
    }

    void historyEndsWhenTheDocumentTurnsUnmodified()
    {
        post(1, QStringLiteral("7"));
        m_doc->setModified(false); // opened, saved or New
        QCOMPARE(m_history->stack()->count(), 0);
        QVERIFY(!m_history->undoAction()->isEnabled());
    }
};

QTEST_MAIN(tst_ValueHistory)
#include "tst_valuehistory.moc"
