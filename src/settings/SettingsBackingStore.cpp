#include "settings/SettingsBackingStore.h"

#include "base/EditorError.h"
#include "settings/IniTextFormat.h"

#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString &userFileOverride()
{
    static QString path;
    return path;
}

// Registry key paths use backslashes; QSettings groups use slashes.
QString groupPath(const QString &path)
{
    QString group = path;
    group.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (group.endsWith(QLatin1Char('/')))
        group.chop(1);
    return group;
}

} // namespace

SettingsBackingStore::SettingsBackingStore(const QString &iniFileName, Access access)
    : m_root(groupPath(iniFileName)), m_access(access)
{
#ifdef Q_OS_WIN
    if (userFileOverride().isEmpty()) {
        m_settings = std::make_unique<QSettings>(QStringLiteral("HKEY_CURRENT_USER\\") + iniFileName,
                                                 QSettings::NativeFormat);
        m_root.clear();
        return;
    }
#endif
    m_settings = std::make_unique<QSettings>(userFilePath(), IniTextFormat::format());
}

SettingsBackingStore::~SettingsBackingStore()
{
    if (m_access == ReadWrite)
        m_settings->sync();
}

QString SettingsBackingStore::userFilePath()
{
    if (!userFileOverride().isEmpty())
        return userFileOverride();
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + QStringLiteral("/Melbrin/TrevixStyleEditor.conf");
}

void SettingsBackingStore::setUserFilePath(const QString &path)
{
    userFileOverride() = path;
}

QString SettingsBackingStore::keyOf(const QString &section, const QString &name) const
{
    QString key = m_root;
    const QString group = groupPath(section);
    if (!group.isEmpty())
        key += (key.isEmpty() ? QString() : QStringLiteral("/")) + group;
    return (key.isEmpty() ? QString() : key + QLatin1Char('/')) + name;
}

QString SettingsBackingStore::readText(const QString &section, const QString &name,
                                       const QString &defaultText) const
{
    const QString key = keyOf(section, name);
    if (!m_settings->contains(key))
        return defaultText;
    const QVariant value = m_settings->value(key);
    if (value.metaType().id() != QMetaType::QString)
        throw EditorError(QStringLiteral("Invalid data type for '%1'").arg(name));
    return value.toString();
}

void SettingsBackingStore::writeText(const QString &section, const QString &name,
                                     const QString &text)
{
    if (m_access != ReadWrite)
        throw EditorError(QStringLiteral("Failed to set data for '%1'").arg(name));
    if (!m_settings->isWritable()) {
        // A file that is there but cannot be written is a key that refuses data;
        // one that cannot be made is a key that cannot be created.
        if (QFileInfo::exists(m_settings->fileName()))
            throw EditorError(QStringLiteral("Failed to set data for '%1'").arg(name));
        throw EditorError(QStringLiteral("Failed to create key %1").arg(section));
    }
    m_settings->setValue(keyOf(section, name), text);
    m_lastWritten = name;
}

void SettingsBackingStore::removeValue(const QString &section, const QString &name)
{
    if (m_access == ReadWrite)
        m_settings->remove(keyOf(section, name));
}

int SettingsBackingStore::readInteger(const QString &section, const QString &name,
                                      int defaultValue) const
{
    bool ok = false;
    const int value = readText(section, name, QString()).toInt(&ok, 10);
    return ok ? value : defaultValue;
}

void SettingsBackingStore::close()
{
    if (m_access != ReadWrite)
        return;
    m_settings->sync();
    if (m_settings->status() == QSettings::AccessError)
        throw EditorError(QStringLiteral("Failed to set data for '%1'").arg(m_lastWritten));
}
