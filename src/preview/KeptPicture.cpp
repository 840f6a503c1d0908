#include "preview/KeptPicture.h"

#include <QDir>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>

namespace {

// The digest goes in the picture file itself, so picture and digest are written in one go.
const QString DigestText = QStringLiteral("Inputs");

} // namespace

QString KeptPicture::filePath() const
{
    return QDir(m_folder).filePath(QStringLiteral("preview.png"));
}

bool KeptPicture::holds(const QByteArray &digest) const
{
    if (m_folder.isEmpty() || digest.isEmpty())
        return false;
    // Reads the file's header only.
    return QImageReader(filePath(), "png").text(DigestText) == QString::fromLatin1(digest);
}

QImage KeptPicture::find(const QByteArray &digest) const
{
    if (!holds(digest))
        return QImage();
    return QImageReader(filePath(), "png").read();
}

void KeptPicture::keep(const QByteArray &digest, const QImage &picture) const
{
    if (m_folder.isEmpty() || digest.isEmpty() || picture.isNull() || !QDir().mkpath(m_folder))
        return;
    QImage tagged = picture;
    tagged.setText(DigestText, QString::fromLatin1(digest));
    // Written whole or not at all: the picture kept before stays with its own digest.
    QSaveFile file(filePath());
    if (file.open(QIODevice::WriteOnly) && QImageWriter(&file, "png").write(tagged))
        file.commit();
}
