#pragma once

#include "style/StyleDocument.h"
#include "style/StyleRules.h"

#include <QList>
#include <QString>

#include <optional>

class QIODevice;

// Checks style files against a profile without any window, for people who
// keep their style files in version control: reports each line the editor
// would not take as written.
class StyleCheck
{
public:
    using Problem = StyleRules::Problem;

    // Exit codes of run().
    enum Result { Clean = 0, ProblemsFound = 1, CannotCheck = 2 };

    // Reads the profile as the editor does; throws EditorError with the
    // reader's message.
    explicit StyleCheck(const QString &profileFile);

    // The problems of one style file, in line order. Throws EditorError
    // "Cannot open file %s".
    QList<Problem> check(const QString &styleFile);

    // Checks every file, writing "file:line: problem" lines to out and the
    // reasons a file or the profile could not be read to err.
    // Values and keys are written with the bytes the files hold.
    static Result run(const QStringList &styleFiles, const QString &profileFile, QIODevice &out,
                      QIODevice &err);

private:
    StyleDocument m_document;
    std::optional<StyleRules> m_rules; // over the document's table once the profile is read
};
