#pragma once

#include "support/ReportedErrors.h"
#include "support/TestAppDir.h"

#include <QObject>

#include <memory>

// A test case on a fresh application directory each (TestAppDir), that fails
// when the error report showed a message the case did not take.
class AppDirTestCase : public QObject
{
    Q_OBJECT

protected:
    std::unique_ptr<TestAppDir> m_appDir;
    ReportedErrors m_errors;

private slots:
    void init() { m_appDir = std::make_unique<TestAppDir>(); }
    void cleanup()
    {
        m_errors.verifyNoneShown();
        m_appDir.reset();
    }
};
