#pragma once

#include <QTest>
#include <QVariant>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <memory>
#include <optional>

// The value of a script run in the preview's page, or none when the page
// gives no answer within half a minute. An answer that comes later goes to
// a state of its own, never to this function's finished frame.
inline QVariant evaluateInPage(QWebEngineView *view, const QString &script)
{
    auto answer = std::make_shared<std::optional<QVariant>>();
    view->page()->runJavaScript(script, [answer](const QVariant &value) { *answer = value; });
    return QTest::qWaitFor([&] { return answer->has_value(); }, 30000) ? **answer : QVariant();
}
