#pragma once

#include <QString>

// The directory the editor reads its own files from and rewrites style.txt in.
// That is the executable's directory wherever the user may write there. An
// installation the user cannot write to (a system package) gets a per-user
// directory that links every installed file and keeps its own style.txt, so
// the editor still finds everything beside style.txt and each user has a
// working copy of their own.
class ApplicationDirectory
{
public:
    // installDir itself when it is writable; otherwise userDir, brought up to
    // date with mirror(). Falls back to installDir when userDir cannot be made.
    static QString resolve(const QString &installDir, const QString &userDir);

    // Links each entry of installDir into userDir, except style.txt, which is
    // copied once and then belongs to the user. Files the user put there
    // themselves are kept; links whose installed file is gone are removed.
    // Returns false when userDir cannot be created.
    static bool mirror(const QString &installDir, const QString &userDir);
};
