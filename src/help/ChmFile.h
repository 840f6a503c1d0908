#pragma once

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>

struct chmFile;

// A compiled HTML Help file opened for reading. Paths inside the file start
// with "/" ("/Settings.html"); they are looked up without regard to case.
class ChmFile
{
public:
    explicit ChmFile(const QString &fileName);
    ~ChmFile();

    ChmFile(const ChmFile &) = delete;
    ChmFile &operator=(const ChmFile &) = delete;

    bool isOpen() const { return m_handle != nullptr; }
    QString fileName() const { return m_fileName; }

    // The whole object at path, or nothing when the file holds no such object.
    std::optional<QByteArray> read(const QString &path) const;

    // Taken from the project settings compiled into the file; empty when unset.
    QString contentsFile() const { return m_contentsFile; }
    QString indexFile() const { return m_indexFile; }
    QString defaultTopic() const { return m_defaultTopic; }
    QString title() const { return m_title; }

    // The topic that a help context number is mapped to; empty when none is.
    QString topicForContext(quint32 context) const;

private:
    struct Closer
    {
        void operator()(chmFile *handle) const;
    };

    void readSystemFile();

    QString m_fileName;
    std::unique_ptr<chmFile, Closer> m_handle;
    QString m_contentsFile;
    QString m_indexFile;
    QString m_defaultTopic;
    QString m_title;
};
