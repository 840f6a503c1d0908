#include "base/ApplicationDirectory.h"
#include "support/TestMount.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

void write(const QString &path, const QByteArray &content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QByteArray read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// An installation laid out as the package does, and a user directory beside it.
class tst_ApplicationDirectory : public QObject
{
    Q_OBJECT

    QTemporaryDir m_root;
    QString m_install;
    QString m_user;

    void fillInstallation()
    {
        QVERIFY(QDir().mkpath(m_install + "/img"));
        write(m_install + "/Style.xml", "<root>root</root>");
        write(m_install + "/style.txt", "&width=5\r\n");
        write(m_install + "/img/width.gif", "GIF89a");
        QVERIFY(QFile::setPermissions(m_install + "/style.txt",
                                      QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    }

private slots:
    void init()
    {
        QVERIFY(m_root.isValid());
        QDir(m_root.path()).removeRecursively();
        m_install = m_root.filePath("usr/lib/trevix-style-editor");
        m_user = m_root.filePath("home/.local/share/Melbrin/TrevixStyleEditor");
        fillInstallation();
    }

    void writableInstallationIsUsedAsItIs()
    {
        QCOMPARE(ApplicationDirectory::resolve(m_install, m_user), m_install);
        QVERIFY(!QFileInfo::exists(m_user));
    }

    void readOnlyInstallationGetsTheUserDirectory()
    {
        QVERIFY(QFile::setPermissions(m_install, QFile::ReadOwner | QFile::ExeOwner));
        const auto restore = qScopeGuard([this] {
            QFile::setPermissions(m_install, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        });
        // A user who may write everywhere (root) meets a read-only file system instead.
        std::unique_ptr<TestMount> readOnly;
        if (QFileInfo(m_install).isWritable()) {
            readOnly = std::make_unique<TestMount>(m_install, 1024 * 1024);
            if (!readOnly->mounted())
                QSKIP("this user may write everywhere, and this machine does not let the test "
                      "mount a file system");
            fillInstallation();
            QVERIFY(readOnly->makeReadOnly());
        }
        QVERIFY(!QFileInfo(m_install).isWritable()
                || !QFile(m_install + "/probe").open(QIODevice::WriteOnly));
        QCOMPARE(ApplicationDirectory::resolve(m_install, m_user), m_user);
        QVERIFY(QFileInfo(m_user + "/Style.xml").isSymLink());
    }

    void mirrorLinksFilesAndCopiesTheWorkingCopy()
    {
        QVERIFY(ApplicationDirectory::mirror(m_install, m_user));
        for (const char *name : {"Style.xml", "img", "img/width.gif"})
            QVERIFY2(QFileInfo::exists(m_user + '/' + name), name);
        QCOMPARE(QFileInfo(m_user + "/Style.xml").symLinkTarget(), m_install + "/Style.xml");
        QCOMPARE(QFileInfo(m_user + "/img").symLinkTarget(), m_install + "/img");

        const QFileInfo copy(m_user + "/style.txt");
        QVERIFY(!copy.isSymLink());
        QVERIFY(copy.permissions() & QFile::WriteOwner);
        QCOMPARE(read(copy.filePath()), QByteArray("&width=5\r\n"));
    }

    void userFilesSurviveTheNextStart()
    {
        QVERIFY(ApplicationDirectory::mirror(m_install, m_user));
        write(m_user + "/style.txt", "&width=7\r\n");
        QVERIFY(QFile::remove(m_user + "/Style.xml"));
        write(m_user + "/Style.xml", "<root>mine</root>");

        QVERIFY(ApplicationDirectory::mirror(m_install, m_user));
        QCOMPARE(read(m_user + "/style.txt"), QByteArray("&width=7\r\n"));
        QCOMPARE(read(m_user + "/Style.xml"), QByteArray("<root>mine</root>"));
    }

    void followsAnUpgrade()
    {
        QVERIFY(ApplicationDirectory::mirror(m_install, m_user));
        QVERIFY(QDir(m_install + "/img").removeRecursively());
        write(m_install + "/trevix.swf", "FWS");

        QVERIFY(ApplicationDirectory::mirror(m_install, m_user));
        QVERIFY(!QFileInfo(m_user + "/img").isSymLink());
        QVERIFY(QFileInfo(m_user + "/trevix.swf").isSymLink());
        QCOMPARE(read(m_user + "/trevix.swf"), QByteArray("FWS"));
    }

    void relinksWhatPointsToARemovedInstallation()
    {
        const QString old = m_root.filePath("opt/trevix");
        QVERIFY(QDir().mkpath(m_user));
        QVERIFY(QFile::link(old + "/Style.xml", m_user + "/Style.xml"));

        QVERIFY(ApplicationDirectory::mirror(m_install, m_user));
        QCOMPARE(QFileInfo(m_user + "/Style.xml").symLinkTarget(), m_install + "/Style.xml");
    }

    void userDirectoryThatCannotBeMade()
    {
        write(m_root.filePath("file"), "");
        QVERIFY(!ApplicationDirectory::mirror(m_install, m_root.filePath("file/sub")));
    }
};

QTEST_GUILESS_MAIN(tst_ApplicationDirectory)
#include "tst_applicationdirectory.moc"
