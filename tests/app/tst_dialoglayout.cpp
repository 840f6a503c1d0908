#include "app/OptionsDialog.h"
#include "editors/ColorPopup.h"
#include "editors/FontPopup.h"
#include "editors/FontStylePopup.h"
#include "editors/ListPopup.h"
#include "editors/NumberPopup.h"
#include "help/AboutDialog.h"
#include "help/HelpPanel.h"
#include "settings/SettingsBackingStore.h"
#include "support/EditorWindows.h"
#include "support/GroupBoxTitle.h"
#include "widgets/ColorPalettePopup.h"
#include "widgets/ColorPickerButton.h"
#include "widgets/FontComboBox.h"
#include "widgets/FontSampleWindow.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyleOptionGroupBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <functional>
#include <memory>
#include <optional>

// Every dialog, popup and panel laid out in the platform's font, at its
// smallest size: its controls lie inside it without covering one another,
// each text fits the control that shows it, and no group box's title is
// covered by what the box holds. The suite runs once at the normal scale
// and once with QT_SCALE_FACTOR=2.
class tst_DialogLayout : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::optional<EditorWindows> m_windows;

    // The widgets the window is built of; the inner parts of Qt's own
    // compound controls are theirs to lay out.
    static QList<QWidget *> parts(QWidget *window)
    {
        QList<QWidget *> found;
        for (QWidget *w : window->findChildren<QWidget *>()) {
            QWidget *parent = w->parentWidget();
            if (!w->isVisibleTo(window) || w->isWindow()
                || w->objectName().startsWith(QLatin1String("qt_"))
                || qobject_cast<QComboBox *>(parent) || qobject_cast<QAbstractSpinBox *>(parent)
                || qobject_cast<QLineEdit *>(parent))
                continue;
            found << w;
        }
        return found;
    }

    static QString name(const QWidget *w)
    {
        return w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                         : w->objectName();
    }

    // The text a control shows and the width it has for it; an empty text for none.
    static std::pair<QString, int> shownText(QWidget *w)
    {
        if (auto *label = qobject_cast<QLabel *>(w))
            return {label->text(), label->contentsRect().width()};
        if (auto *check = qobject_cast<QCheckBox *>(w)) {
            const int box = w->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, w)
                            + w->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, w);
            return {check->text(), w->width() - box};
        }
        if (auto *button = qobject_cast<QAbstractButton *>(w))
            return {button->text(), w->width()};
        if (auto *box = qobject_cast<QGroupBox *>(w))
            return {box->title(), w->width()};
        if (auto *edit = qobject_cast<QLineEdit *>(w))
            return {edit->text(), edit->width()};
        if (qobject_cast<ColorPickerButton *>(w))
            return {}; // draws its colour, never its entry's text
        if (auto *combo = qobject_cast<QComboBox *>(w))
            return {combo->currentText(), combo->width()};
        return {};
    }

private slots:
    void initTestCase()
    {
        SettingsBackingStore::setUserFilePath(m_dir.filePath(QStringLiteral("settings.conf")));
        const QString appDir = m_dir.path() + u'/';
        m_windows.emplace(appDir);
        m_windows->add(QStringLiteral("Help panel"), [] { return new HelpPanel; });
        m_windows->add(QStringLiteral("Font preview"), [] {
            auto *preview = new FontSampleWindow;
            preview->resize(240, 60);
            preview->showFace(QStringLiteral("DejaVu Sans"), QStringLiteral("AaBbYyZz"));
            return preview;
        });
    }

    void cleanupTestCase() { SettingsBackingStore::setUserFilePath(QString()); }

    void readsWellAtItsSmallestSize_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QSize>("leastSize");
        QTest::newRow("About") << "About" << QSize(231, 205);
        QTest::newRow("Options") << "Options" << QSize(392, 216);
        QTest::newRow("List popup") << "List popup" << QSize(160, 61);
        QTest::newRow("Font popup") << "Font popup" << QSize(160, 61);
        QTest::newRow("Number popup") << "Number popup" << QSize(160, 61);
        QTest::newRow("Colour popup") << "Colour popup" << QSize(160, 61);
        QTest::newRow("Font style popup") << "Font style popup" << QSize(160, 112);
        QTest::newRow("Help panel") << "Help panel" << QSize(400, 320);
        QTest::newRow("Colour palette") << "Colour palette" << QSize(255, 177);
        QTest::newRow("Font preview") << "Font preview" << QSize(240, 60);
    }

    void readsWellAtItsSmallestSize()
    {
        QFETCH(QString, window);
        QFETCH(QSize, leastSize);
        QWidget *made = m_windows->make(window);
        const std::unique_ptr<QWidget> owned = EditorWindows::owned(window, made);
        if (!made->minimumSize().isEmpty()) // the font preview has the size its control gives it
            made->resize(made->minimumSize());
        made->show();
        QVERIFY(made->isVisible()); // laid out; the font preview is never activated nor waited for
        QVERIFY2(made->width() >= leastSize.width() && made->height() >= leastSize.height(),
                 qPrintable(QStringLiteral("%1x%2").arg(made->width()).arg(made->height())));

        const QList<QWidget *> widgets = parts(made);
        QVERIFY(!widgets.isEmpty());
        for (QWidget *w : widgets) {
            const QRect inParent = w->geometry();
            QVERIFY2(w->parentWidget()->rect().contains(inParent),
                     qPrintable(name(w) + " leaves its parent"));
            QVERIFY2(!w->size().isEmpty(), qPrintable(name(w) + " has no room"));

            const auto [text, room] = shownText(w);
            for (const QString &line : QString(text).remove(u'&').split(u'\n')) {
                const int needed = w->fontMetrics().horizontalAdvance(line);
                QVERIFY2(needed <= room, qPrintable(QStringLiteral("%1: \"%2\" needs %3 of %4")
                                                            .arg(name(w), line)
                                                            .arg(needed)
                                                            .arg(room)));
            }
            if (!text.isEmpty() && !qobject_cast<QGroupBox *>(w))
                QVERIFY2(w->height() >= w->fontMetrics().height(),
                         qPrintable(name(w) + " is lower than its text"));

            for (QWidget *other : widgets) {
                if (other != w && other->parentWidget() == w->parentWidget())
                    QVERIFY2(!inParent.intersects(other->geometry()),
                             qPrintable(name(w) + " covers " + name(other)));
            }
            if (auto *box = qobject_cast<QGroupBox *>(w)) {
                const QRect title = groupBoxTitleRect(box);
                for (QWidget *inside : box->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
                    QVERIFY2(!inside->geometry().intersects(title),
                             qPrintable(name(inside) + " covers the title"));
            }
        }
        made->hide();
    }
};

QTEST_MAIN(tst_DialogLayout)
#include "tst_dialoglayout.moc"
