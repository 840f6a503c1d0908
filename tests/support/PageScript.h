#pragma once

#include <QTest>
#include <QVariant>
#include <QWebEnginePage>
#include <QWebEngineView>

// The value of a script run in the preview's page, or none when the page
// gives no answer within ten seconds.
inline QVariant evaluateInPage(QWebEngineView *view, const QString &script)
{
    QVariant result;
    bool done = false;
    view->page()->runJavaScript(script, [&](const QVariant &value) {
        result = value;
        done = true;
    });
    return QTest::qWaitFor([&] { return done; }, 10000) ? result : QVariant();
}
