#pragma once

#include "app/MainWindow.h"
#include "style/StyleDocument.h"

#include <memory>
#include <optional>

// A main window on a document of its own, made and gone in the program's
// order: the document first, the window on it, the window gone first.
class WindowUnderTest
{
public:
    WindowUnderTest() = default;
    WindowUnderTest(const QString &appDir, const QStringList &arguments = {})
    {
        open(appDir, arguments);
    }
    ~WindowUnderTest() { reset(); }

    WindowUnderTest(const WindowUnderTest &) = delete;
    WindowUnderTest &operator=(const WindowUnderTest &) = delete;

    // A new window on a new document; the earlier ones go first.
    void open(const QString &appDir, const QStringList &arguments = {})
    {
        reset();
        m_document.emplace();
        m_window = std::make_unique<MainWindow>(*m_document, appDir, arguments);
    }
    void reset()
    {
        m_window.reset();
        m_document.reset();
    }

    MainWindow *get() const { return m_window.get(); }
    MainWindow *operator->() const { return m_window.get(); }
    MainWindow &operator*() const { return *m_window; }
    explicit operator bool() const { return bool(m_window); }

private:
    std::optional<StyleDocument> m_document;
    std::unique_ptr<MainWindow> m_window;
};
