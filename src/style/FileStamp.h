#pragma once

#include <QByteArray>
#include <QString>

// What a file held when it was looked at: whether it was there and a digest
// of its bytes. Two stamps of one file differ when another program changed,
// replaced or deleted it in between; a file written anew with the same bytes
// (a checkout of the same version) keeps its stamp.
class FileStamp
{
public:
    // A missing file.
    FileStamp() = default;
    // Reads the whole file; a file that cannot be read counts as missing.
    static FileStamp of(const QString &fileName);
    // A stamp kept as text (digest()): empty text stands for a missing file.
    static FileStamp fromDigest(const QByteArray &hexDigest);

    bool exists() const { return !m_digest.isEmpty(); }
    // The digest as hexadecimal text; empty for a missing file.
    QByteArray digest() const { return m_digest.toHex(); }

    bool operator==(const FileStamp &) const = default;

private:
    QByteArray m_digest;
};
