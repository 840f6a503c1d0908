#include "style/FileStamp.h"

#include "base/LocalFile.h"

#include <QCryptographicHash>
#include <QFile>

namespace {

constexpr auto Algorithm = QCryptographicHash::Sha256;

} // namespace

FileStamp FileStamp::of(const QString &fileName)
{
    FileStamp stamp;
    QFile file;
    if (!LocalFile::open(file, fileName, QIODevice::ReadOnly))
        return stamp;
    QCryptographicHash hash(Algorithm);
    if (hash.addData(&file))
        stamp.m_digest = hash.result();
    return stamp;
}

FileStamp FileStamp::fromDigest(const QByteArray &hexDigest)
{
    FileStamp stamp;
    const QByteArray digest = QByteArray::fromHex(hexDigest);
    if (digest.size() == QCryptographicHash::hashLength(Algorithm))
        stamp.m_digest = digest;
    return stamp;
}
