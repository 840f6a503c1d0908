#pragma once

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

// A temporary folder that tests write their files into; gone with the object.
class TestFolder
{
public:
    QString dir() const { return m_dir.path(); }
    QString path(const QString &name) const { return m_dir.filePath(name); }

    // Writes a file of the given bytes into the folder; returns its path.
    QString write(const QString &name, const QByteArray &bytes) const
    {
        QFile file(path(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(file.fileName()));
        return file.fileName();
    }

private:
    QTemporaryDir m_dir;
};
