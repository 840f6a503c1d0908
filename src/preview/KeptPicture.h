#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// The picture of the last chart the preview drew, kept in a folder from one
// run to the next with the digest of what it was drawn from (see
// PreviewInputs), so that the next start can show it before its player has
// drawn. One picture is kept; keeping another replaces it.
class KeptPicture
{
public:
    // Without a folder nothing is kept.
    explicit KeptPicture(const QString &folder = QString()) : m_folder(folder) {}

    bool keeps() const { return !m_folder.isEmpty(); }

    // The picture kept for inputs of this digest; a null image when the
    // picture kept was drawn from other inputs, or none is kept.
    QImage find(const QByteArray &digest) const;
    // Whether the picture kept was drawn from inputs of this digest.
    bool holds(const QByteArray &digest) const;
    // Replaces the picture kept; a failure leaves the one kept before.
    void keep(const QByteArray &digest, const QImage &picture) const;

private:
    QString filePath() const;

    QString m_folder;
};
