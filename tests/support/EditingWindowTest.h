#pragma once

#include "app/MainWindow.h"
#include "base/ErrorReport.h"
#include "editors/ProfileGrid.h"
#include "editors/ValueEditors.h"
#include "settings/SettingsBackingStore.h"
#include "style/RecoveryRecord.h"
#include "support/WindowUnderTest.h"
#include "widgets/ColorPalettePopup.h"

#include <QApplication>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

// A test of the grid and the value popups in the main window: each case
// starts the window on a copy of the sample profile, style.txt and data file
// (initWindow) and closes it (cleanupWindow); the helpers reach rows by key
// and run code on a popup while it is shown.
class EditingWindowTest : public QObject
{
protected:
    void initWindow();
    void cleanupWindow();

    QString appFile(const QString &name) const { return m_dir->filePath(name); }
    void start();
    // Starts the main window afresh on this profile and style.txt.
    void restart(const QByteArray &profile, const QByteArray &styleTxt);
    int recordOf(const QString &key) const;
    QString value(const QString &key) const;
    void setValue(const QString &key, const QString &value);
    void focus(const QString &key);
    // Opens the focused row's popup and runs action on it while it is shown.
    void edit(std::function<void(QWidget *popup)> action);
    void whenModal(std::function<void(QWidget *)> action, int tries = 200);
    QByteArray styleTxt() const;

    std::unique_ptr<QTemporaryDir> m_dir;
    WindowUnderTest m_form;
    QStringList m_reported;
    QWidget *m_shown = nullptr;
    QLocale m_locale;
};

inline void EditingWindowTest::initWindow()
{
    m_dir = std::make_unique<QTemporaryDir>();
    for (const char *name : {"Style.xml", "style.txt", "data.txt"})
        QVERIFY(QFile::copy(QStringLiteral(TREVIX_SAMPLE_DIR "/") + QLatin1String(name),
                            appFile(QLatin1String(name))));
    QFile::setPermissions(appFile(QStringLiteral("style.txt")),
                          QFile::ReadOwner | QFile::WriteOwner);
    SettingsBackingStore::setUserFilePath(appFile(QStringLiteral("user.conf")));
    RecoveryRecord::setFolder(appFile(QStringLiteral("recovery")));
    m_reported.clear();
    ErrorReport::setHandler([this](const QString &m) { m_reported << m; });
    start();
}

inline void EditingWindowTest::cleanupWindow()
{
    m_form.reset();
    QLocale::setDefault(m_locale);
    delete ColorPalettePopup::instance();
    SettingsBackingStore::setUserFilePath(QString());
    RecoveryRecord::setFolder(QString());
    m_dir.reset();
}

inline void EditingWindowTest::start()
{
    m_form.open(m_dir->path(), QStringList());
    m_form->show();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    m_form->document().setModified(false);
}

inline void EditingWindowTest::restart(const QByteArray &profile, const QByteArray &styleTxt)
{
    m_form.reset();
    for (const auto &[name, content] :
         {std::pair{"Style.xml", profile}, std::pair{"style.txt", styleTxt}}) {
        QFile file(appFile(QLatin1String(name)));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
    }
    start();
}

inline int EditingWindowTest::recordOf(const QString &key) const
{
    return m_form->document().table().indexOfKey(key);
}

inline QString EditingWindowTest::value(const QString &key) const
{
    return m_form->document().table().record(recordOf(key)).value();
}

inline void EditingWindowTest::setValue(const QString &key, const QString &text)
{
    m_form->document().table().setValue(recordOf(key), text);
    m_form->document().setModified(false);
}

inline void EditingWindowTest::focus(const QString &key)
{
    m_form->profileGrid()->setCurrentRecord(recordOf(key));
}

inline QByteArray EditingWindowTest::styleTxt() const
{
    QFile file(appFile(QStringLiteral("style.txt")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void EditingWindowTest::whenModal(std::function<void(QWidget *)> action, int tries)
{
    QTimer::singleShot(5, this, [this, action, tries] {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal && modal->isActiveWindow()) {
            m_shown = modal;
            action(modal);
        } else if (tries > 0) {
            whenModal(action, tries - 1);
        }
    });
}

inline void EditingWindowTest::edit(std::function<void(QWidget *popup)> action)
{
    m_shown = nullptr;
    whenModal(action);
    m_form->valueEditors()->openValueEditor();
}
