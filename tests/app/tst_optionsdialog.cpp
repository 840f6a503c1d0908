#include "OptionsDialogParts.h"

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
#include <QTimer>

Q_DECLARE_METATYPE(PreviewSettings)

// The Options dialog on its own: its layout, the movie list, the number
// fields and the keys. The dialog is shown without exec, so nothing blocks.
class tst_OptionsDialog : public QObject
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
        for (const char *name :
             {"trevix.swf", "Empty.SWF", "demo.swf", "notes.txt", "style.swf.txt"})
            touch(QLatin1String(name));
    }

    void texts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::newRow("file box") << "GroupBoxFile"
                                  << "SWF File";
        QTest::newRow("movie") << "FilenameEdit"
                               << "trevix.swf";
        QTest::newRow("size box") << "GroupBoxSize"
                                  << "Area size";
        QTest::newRow("width label") << "LabelWidth"
                                     << "Width:";
        QTest::newRow("width") << "SpinWidth"
                               << "400";
        QTest::newRow("height label") << "LabelHeight"
                                      << "Height:";
        QTest::newRow("height") << "SpinHeight"
                                << "300";
        QTest::newRow("data box") << "GroupBoxData"
                                  << "Data File";
        QTest::newRow("data file") << "DataFileEdit"
                                   << "data.txt";
        QTest::newRow("ok") << "OK"
                            << "OK";
        QTest::newRow("cancel") << "BtnCansel"
                                << "Cancel";
        QTest::newRow("help") << "BtnHelp"
                              << "Help";
    }

    // The layout itself is checked with the other dialogs' (tst_dialoglayout).
    void texts()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        OptionsDialog form(m_dir.path() + QLatin1Char('/'));
        QCOMPARE(form.windowTitle(), QStringLiteral("Options"));
        QVERIFY(form.width() >= 392 && form.height() >= 216);
        auto *w = form.findChild<QWidget *>(name);
        QVERIFY(w);
        QString shown;
        if (auto *box = qobject_cast<QGroupBox *>(w))
            shown = box->title();
        else if (auto *button = qobject_cast<QPushButton *>(w))
            shown = button->text();
        else if (auto *label = qobject_cast<QLabel *>(w))
            shown = label->text();
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

    void controlsInTheirOrder()
    {
        OptionsDialog form(m_dir.path() + QLatin1Char('/'));
        const OptionsDialogParts d(form);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        // Top to bottom the three boxes, then the buttons: Help at the left, OK before Cancel.
        const auto top = [&](const char *name) {
            return form.findChild<QWidget *>(QLatin1String(name))->y();
        };
        QVERIFY(top("GroupBoxFile") < top("GroupBoxSize"));
        QVERIFY(top("GroupBoxSize") < top("GroupBoxData"));
        QVERIFY(top("GroupBoxData") < d.okButton->y());
        QVERIFY(d.helpButton->x() < d.okButton->x() && d.okButton->x() < d.cancelButton->x());
        // Each label stands before its field.
        QCOMPARE(d.labelWidth->buddy(), d.spinWidth);
        QVERIFY(d.labelWidth->geometry().right() < d.spinWidth->x());
        QCOMPARE(d.labelHeight->buddy(), d.spinHeight);
        QVERIFY(d.spinWidth->geometry().right() < d.labelHeight->x());
        QVERIFY(d.labelHeight->geometry().right() < d.spinHeight->x());
    }

    void tabOrder()
    {
        OptionsDialog form(m_dir.path() + QLatin1Char('/'));
        const OptionsDialogParts d(form);
        const QList<QWidget *> order = {d.filenameEdit, d.spinWidth, d.spinHeight,
                                        d.dataFileEdit, d.okButton,  d.cancelButton,
                                        d.helpButton};
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        d.filenameEdit->setFocus();
        for (int i = 1; i < order.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget *focused = QApplication::focusWidget();
            QVERIFY2(focused == order[i] || focused->parentWidget() == order[i],
                     qPrintable(order[i]->objectName()));
        }
    }

    void settingsInAndOut_data()
    {
        QTest::addColumn<PreviewSettings>("given");
        QTest::addColumn<PreviewSettings>("returned");
        QTest::newRow("as stored") << PreviewSettings("demo.swf", {640, 480}, "sales.txt")
                                   << PreviewSettings("demo.swf", {640, 480}, "sales.txt");
        QTest::newRow("ends of the range") << PreviewSettings("trevix.swf", {3000, 10}, "")
                                           << PreviewSettings("trevix.swf", {3000, 10}, "");
        QTest::newRow("names kept untrimmed")
                << PreviewSettings(" not listed.swf ", {400, 300}, " d.txt")
                << PreviewSettings(" not listed.swf ", {400, 300}, " d.txt");
    }

    void settingsInAndOut()
    {
        QFETCH(PreviewSettings, given);
        QFETCH(PreviewSettings, returned);
        OptionsDialog form(m_dir.path() + QLatin1Char('/'));
        form.setSettings(given);
        QCOMPARE(form.settings(), returned);
    }

    void editReturnsTheSettingsOnOkOnly_data()
    {
        QTest::addColumn<bool>("ok");
        QTest::newRow("OK") << true;
        QTest::newRow("Cancel") << false;
    }

    void editReturnsTheSettingsOnOkOnly()
    {
        QFETCH(bool, ok);
        QTimer::singleShot(0, this, [ok] {
            auto *dialog = qobject_cast<OptionsDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            const OptionsDialogParts d(*dialog);
            d.spinWidth->setValue(800);
            d.dataFileEdit->setText(QStringLiteral("other.txt"));
            (ok ? d.okButton : d.cancelButton)->click();
        });
        const std::optional<PreviewSettings> chosen
                = OptionsDialog::edit(m_dir.path() + QLatin1Char('/'), PreviewSettings(), nullptr);
        QCOMPARE(chosen.has_value(), ok);
        if (ok)
            QCOMPARE(*chosen, PreviewSettings("trevix.swf", {800, 300}, "other.txt"));
    }

    void movieListSkipsTheBlankMovie()
    {
        OptionsDialog form(m_dir.path() + QLatin1Char('/'));
        const OptionsDialogParts d(form);
        QStringList listed = items(d.filenameEdit);
        listed.sort();
        QCOMPARE(listed, (QStringList{"demo.swf", "trevix.swf"}));
        // The list follows the directory, unsorted.
        QStringList directoryOrder
                = QDir(m_dir.path()).entryList({"*.swf"}, QDir::Files, QDir::Unsorted);
        directoryOrder.removeAll(QStringLiteral("Empty.SWF"));
        QCOMPARE(items(d.filenameEdit), directoryOrder);
    }

    void movieListOfAFolderWithoutMovies()
    {
        QTemporaryDir empty;
        OptionsDialog form(empty.path() + QLatin1Char('/'));
        const OptionsDialogParts d(form);
        QCOMPARE(d.filenameEdit->count(), 0);
        QVERIFY(d.filenameEdit->isEditable());
    }

    void typingIntoANumberField_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shownWhileTyping");
        QTest::addColumn<int>("valueAfterLeaving");
        QTest::newRow("a number") << "750"
                                  << "750" << 750;
        QTest::newRow("above the range") << "5000"
                                         << "5000" << 3000;
        QTest::newRow("below the range") << "4"
                                         << "4" << 10;
        QTest::newRow("letters refused") << "12ab3"
                                         << "123" << 123;
        QTest::newRow("signs") << "+250"
                               << "+250" << 250;
        QTest::newRow("no number") << "--"
                                   << "--" << 10;
        QTest::newRow("nothing") << ""
                                 << "" << 10;
    }

    void typingIntoANumberField()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shownWhileTyping);
        QFETCH(int, valueAfterLeaving);
        OptionsDialog form(m_dir.path() + QLatin1Char('/'));
        const OptionsDialogParts d(form);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        d.spinHeight->setFocus();
        d.spinHeight->selectAll();
        QTest::keyClick(d.spinHeight, Qt::Key_Delete);
        QTest::keyClicks(d.spinHeight, typed);
        QCOMPARE(d.spinHeight->text(), shownWhileTyping);
        QTest::keyClick(d.spinHeight, Qt::Key_Tab);
        QVERIFY(!d.spinHeight->hasFocus());
        QCOMPARE(d.spinHeight->value(), valueAfterLeaving);
        QCOMPARE(d.spinHeight->text(), QString::number(valueAfterLeaving));
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
        QTest::newRow("escape in the movie")
                << "FilenameEdit" << int(Qt::Key_Escape) << int(QDialog::Rejected);
        QTest::newRow("escape in a number")
                << "SpinWidth" << int(Qt::Key_Escape) << int(QDialog::Rejected);
        QTest::newRow("escape on OK") << "OK" << int(Qt::Key_Escape) << int(QDialog::Rejected);
        QTest::newRow("enter in the data file")
                << "DataFileEdit" << int(Qt::Key_Return) << int(QDialog::Accepted);
        QTest::newRow("keypad enter in a number")
                << "SpinHeight" << int(Qt::Key_Enter) << int(QDialog::Accepted);
        QTest::newRow("enter in the movie")
                << "FilenameEdit" << int(Qt::Key_Return) << int(QDialog::Accepted);
        QTest::newRow("enter on OK") << "OK" << int(Qt::Key_Return) << int(QDialog::Accepted);
        QTest::newRow("enter on Cancel")
                << "BtnCansel" << int(Qt::Key_Return) << int(QDialog::Rejected);
        QTest::newRow("enter on Help") << "BtnHelp" << int(Qt::Key_Return) << -1;
    }

    void keys()
    {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(int, result);
        OptionsDialog form(m_dir.path() + QLatin1Char('/'));
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
        OptionsDialog form(m_dir.path() + QLatin1Char('/'));
        const OptionsDialogParts d(form);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        d.spinWidth->setFocus();
        d.spinWidth->selectAll();
        QTest::keyClicks(d.spinWidth, QStringLiteral("9999"));
        QTest::keyClick(d.spinWidth, Qt::Key_Return);
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QCOMPARE(d.spinWidth->value(), 3000);
    }
};

QTEST_MAIN(tst_OptionsDialog)
#include "tst_optionsdialog.moc"
