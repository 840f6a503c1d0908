#pragma once

#include <QCoreApplication>
#include <QString>

class StyleDocument;

// What Save would do to a style file beyond writing the edited values: drop
// lines the profile does not know (unknown and repeated keys, "&" lines
// without "=", any other text), cut values longer than the editor keeps, or
// rewrite the file in the editor's own layout (the profile's order, one line
// per parameter, CR LF line ends).
class SaveReview
{
    Q_DECLARE_TR_FUNCTIONS(SaveReview)

public:
    // The changes in words, empty when Save gives the file back as it is but
    // for the edited values, or when it is no file that can be read.
    static QString changes(const StyleDocument &document, const QString &fileName);
};
