#include "app/RangeSpinEdit.h"
#include "app/TFormOptions.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// The Options dialog on its own: its layout, the movie list, the number
// fields and the keys. The dialog is shown without exec, so nothing blocks.
class tst_FormOptions : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    void touch(const QString &name)
    {
        QFile f(m_dir.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }

    static QStringList items(QComboBox *box)
    {
        QStringList list;
        for (int i = 0; i < box->count(); ++i)
            list << box->itemText(i);
        return list;
    }

private slots:
    void initTestCase()
    {
        for (const char *name : {"trevix.swf", "Empty.SWF", "demo.swf", "notes.txt", "style.swf.txt"})
            touch(QLatin1String(name));
    }

    void layoutAndTexts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QRect>("geometry");
        QTest::newRow("file box") << "GroupBoxFile" << "SWF File" << QRect(8, 8, 377, 57);
        QTest::newRow("movie") << "FilenameEdit" << "trevix.swf" << QRect(8, 16, 361, 21);
        QTest::newRow("size box") << "GroupBoxSize" << "Area size" << QRect(8, 72, 377, 49);
        QTest::newRow("width") << "SpinWidth" << "400" << QRect(56, 16, 121, 21);
        QTest::newRow("height") << "SpinHeight" << "300" << QRect(248, 16, 121, 21);
        QTest::newRow("data box") << "GroupBoxData" << "Data File" << QRect(8, 128, 377, 49);
        QTest::newRow("data file") << "DataFileEdit" << "data.txt" << QRect(8, 16, 361, 21);
        QTest::newRow("ok") << "OK" << "OK" << QRect(216, 184, 75, 25);
        QTest::newRow("cancel") << "BtnCansel" << "Cancel" << QRect(304, 184, 75, 25);
        QTest::newRow("help") << "BtnHelp" << "Help" << QRect(16, 184, 75, 25);
    }

    void layoutAndTexts()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QRect, geometry);
        TFormOptions form(m_dir.path() + QLatin1Char('/'));
        QCOMPARE(form.windowTitle(), QStringLiteral("Options"));
        QCOMPARE(form.size(), QSize(392, 216));
        auto *w = form.findChild<QWidget *>(name);
        QVERIFY(w);
        QCOMPARE(w->geometry(), geometry);
        QString shown;
        if (auto *box = qobject_cast<QGroupBox *>(w))
            shown = box->title();
        else if (auto *button = qobject_cast<QPushButton *>(w))
            shown = button->text();
        else if (auto *combo = qobject_cast<QComboBox *>(w))
            shown = combo->currentText();
        else if (auto *spin = qobject_cast<QSpinBox *>(w))
            shown = spin->text();
        else if (auto *edit = qobject_cast<QLineEdit *>(w))
            shown = edit->text();
        QCOMPARE(shown, text);
        if (auto *button = qobject_cast<QPushButton *>(w))
            QVERIFY(!button->isDefault() && !button->autoDefault());
    }

    void labelsAndTabOrder()
    {
        TFormOptions form(m_dir.path() + QLatin1Char('/'));
        QCOMPARE(form.LabelWidth->text(), QStringLiteral("Width:"));
        QCOMPARE(form.LabelWidth->pos(), QPoint(8, 20));
        QCOMPARE(form.LabelHeight->text(), QStringLiteral("Height:"));
        QCOMPARE(form.LabelHeight->pos(), QPoint(200, 20));
        const QList<QWidget *> order = {form.FilenameEdit, form.SpinWidth, form.SpinHeight, form.DataFileEdit,
                                        form.OK, form.BtnCansel, form.BtnHelp};
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.FilenameEdit->setFocus();
        for (int i = 1; i < order.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget *focused = QApplication::focusWidget();
            QVERIFY2(focused == order[i] || focused->parentWidget() == order[i], qPrintable(order[i]->objectName()));
        }
    }

    void movieListSkipsTheBlankMovie()
    {
        TFormOptions form(m_dir.path() + QLatin1Char('/'));
        QStringList listed = items(form.FilenameEdit);
        listed.sort();
        QCOMPARE(listed, (QStringList{"demo.swf", "trevix.swf"}));
        // The list follows the directory, unsorted.
        QStringList directoryOrder = QDir(m_dir.path()).entryList({"*.swf"}, QDir::Files, QDir::Unsorted);
        directoryOrder.removeAll(QStringLiteral("Empty.SWF"));
        QCOMPARE(items(form.FilenameEdit), directoryOrder);
    }

    void movieListOfAFolderWithoutMovies()
    {
        QTemporaryDir empty;
        TFormOptions form(empty.path() + QLatin1Char('/'));
        QCOMPARE(form.FilenameEdit->count(), 0);
        QVERIFY(form.FilenameEdit->isEditable());
    }

    void settingANumberKeepsItInTheRange_data()
    {
        QTest::addColumn<double>("number");
        QTest::addColumn<int>("value");
        QTest::newRow("inside") << 640.0 << 640;
        QTest::newRow("too large") << 5000.0 << 3000;
        QTest::newRow("too small") << 4.0 << 10;
        QTest::newRow("negative") << -20.0 << 10;
        QTest::newRow("fraction") << 250.6 << 251;
    }

    void settingANumberKeepsItInTheRange()
    {
        QFETCH(double, number);
        QFETCH(int, value);
        RangeSpinEdit spin(10, 3000);
        spin.setNumber(number);
        QCOMPARE(spin.value(), value);
    }

    void typingIntoANumberField_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shownWhileTyping");
        QTest::addColumn<int>("valueAfterLeaving");
        QTest::newRow("a number") << "750" << "750" << 750;
        QTest::newRow("above the range") << "5000" << "5000" << 3000;
        QTest::newRow("below the range") << "4" << "4" << 10;
        QTest::newRow("letters refused") << "12ab3" << "123" << 123;
        QTest::newRow("signs") << "+250" << "+250" << 250;
        QTest::newRow("no number") << "--" << "--" << 10;
        QTest::newRow("nothing") << "" << "" << 10;
    }

    void typingIntoANumberField()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shownWhileTyping);
        QFETCH(int, valueAfterLeaving);
        TFormOptions form(m_dir.path() + QLatin1Char('/'));
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.SpinHeight->setFocus();
        form.SpinHeight->selectAll();
        QTest::keyClick(form.SpinHeight, Qt::Key_Delete);
        QTest::keyClicks(form.SpinHeight, typed);
        QCOMPARE(form.SpinHeight->text(), shownWhileTyping);
        QTest::keyClick(form.SpinHeight, Qt::Key_Tab);
        QVERIFY(!form.SpinHeight->hasFocus());
        QCOMPARE(form.SpinHeight->value(), valueAfterLeaving);
        QCOMPARE(form.SpinHeight->text(), QString::number(valueAfterLeaving));
    }

    void arrowsStepWithinTheRange()
    {
        RangeSpinEdit spin(10, 3000);
        spin.setValue(400);
        QTest::keyClick(&spin, Qt::Key_Up);
        QCOMPARE(spin.value(), 401);
        spin.setValue(3000);
        QTest::keyClick(&spin, Qt::Key_Up);
        QCOMPARE(spin.value(), 3000);
        spin.setValue(10);
        QTest::keyClick(&spin, Qt::Key_Down);
        QCOMPARE(spin.value(), 10);
    }

    void keys_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("result"); // -1: the dialog stays open
        QTest::newRow("escape in the movie") << "FilenameEdit" << int(Qt::Key_Escape) << int(QDialog::Rejected);
        QTest::newRow("escape in a number") << "SpinWidth" << int(Qt::Key_Escape) << int(QDialog::Rejected);
        QTest::newRow("escape on OK") << "OK" << int(Qt::Key_Escape) << int(QDialog::Rejected);
        QTest::newRow("enter in the data file") << "DataFileEdit" << int(Qt::Key_Return) << int(QDialog::Accepted);
        QTest::newRow("keypad enter in a number") << "SpinHeight" << int(Qt::Key_Enter) << int(QDialog::Accepted);
        QTest::newRow("enter in the movie") << "FilenameEdit" << int(Qt::Key_Return) << int(QDialog::Accepted);
        QTest::newRow("enter on OK") << "OK" << int(Qt::Key_Return) << int(QDialog::Accepted);
        QTest::newRow("enter on Cancel") << "BtnCansel" << int(Qt::Key_Return) << int(QDialog::Rejected);
        QTest::newRow("enter on Help") << "BtnHelp" << int(Qt::Key_Return) << -1;
    }

    void keys()
    {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(int, result);
        TFormOptions form(m_dir.path() + QLatin1Char('/'));
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        auto *target = form.findChild<QWidget *>(focus);
        target->setFocus();
        QSignalSpy finished(&form, &QDialog::finished);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        if (result < 0) {
            QVERIFY(finished.isEmpty());
            QVERIFY(form.isVisible());
        } else {
            QCOMPARE(finished.size(), 1);
            QCOMPARE(finished.at(0).at(0).toInt(), result);
        }
    }

    void enterReadsATypedNumberWithinTheRange()
    {
        TFormOptions form(m_dir.path() + QLatin1Char('/'));
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.SpinWidth->setFocus();
        form.SpinWidth->selectAll();
        QTest::keyClicks(form.SpinWidth, QStringLiteral("9999"));
        QTest::keyClick(form.SpinWidth, Qt::Key_Return);
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QCOMPARE(form.SpinWidth->value(), 3000);
    }
};

QTEST_MAIN(tst_FormOptions)
#include "tst_formoptions.moc"
