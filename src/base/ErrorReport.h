#pragma once

#include <QString>

#include <functional>

class EditorError;

// The application's one error report. Every failing command ends up here;
// the application installs a handler that shows a message box, tests install
// one that records the messages.
class ErrorReport
{
public:
    using Handler = std::function<void(const QString &message)>;

    static void show(const QString &message);
    static void show(const EditorError &error);
    // Installs a handler and returns the one it replaces.
    static Handler setHandler(Handler handler);

    // The message as the report shows it: a period is appended when the last
    // character's code is above that of ".".
    static QString withPeriod(const QString &message);

    // Runs fn and reports any EditorError or standard exception it throws.
    template<typename Fn>
    static bool guard(Fn &&fn);
};

#include "base/EditorError.h"

template<typename Fn>
bool ErrorReport::guard(Fn &&fn)
{
    try {
        fn();
        return true;
    } catch (const EditorError &error) {
        show(error);
    } catch (const std::exception &error) {
        show(QString::fromLocal8Bit(error.what()));
    }
    return false;
}
