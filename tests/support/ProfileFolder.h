#pragma once

#include "style/StyleDocument.h"
#include "support/TestFolder.h"

// An application folder holding a profile of the test's own, for a document
// without any window.
class ProfileFolder : public TestFolder
{
public:
    explicit ProfileFolder(const QByteArray &profile)
    {
        write(QStringLiteral("Style.xml"), profile);
    }

    // Reads the profile into a new document as start-up does, this folder being the application's.
    void load(StyleDocument &document) const
    {
        document.setAppDir(dir() + QLatin1Char('/'));
        document.loadProfile(path(QStringLiteral("Style.xml")));
    }
};
