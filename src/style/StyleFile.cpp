#include "style/StyleFile.h"

#include "app/EditorError.h"
#include "app/SystemText.h"

#include <QFile>
#include <QSaveFile>

StyleFile StyleFile::load(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EditorError(QStringLiteral("Cannot open file %1").arg(fileName));
    StyleFile style;
    char chunk[64 * 1024];
    for (;;) {
        const qint64 got = file.read(chunk, sizeof chunk);
        if (got < 0)
            throw EditorError(QStringLiteral("Cannot open file %1").arg(fileName));
        if (got == 0 || !style.feed(QByteArrayView(chunk, got)))
            break;
    }
    style.endLine();
    return style;
}

StyleFile StyleFile::fromText(const QString &text)
{
    StyleFile style;
    style.feed(SystemText::encode(text));
    style.endLine();
    return style;
}

bool StyleFile::feed(QByteArrayView bytes)
{
    for (char c : bytes) {
        if (c == '\0')
            return false;
        if (c == '\n' && m_afterCr) {
            m_afterCr = false;
            continue;
        }
        m_afterCr = c == '\r';
        if (c == '\r' || c == '\n') {
            endLine();
        } else if (m_inValue) {
            if (m_value.size() < ValueLimit)
                m_value.push_back(c);
        } else if (c == '=') {
            m_inValue = true;
        } else if (m_key.size() < KeyLimit) {
            m_key.push_back(c);
        } else {
            m_keyTooLong = true;
        }
    }
    return true;
}

void StyleFile::endLine()
{
    if (m_inValue && !m_keyTooLong) {
        // The first line of a key wins.
        const QString key = SystemText::decode(QByteArrayView(m_key.data(), qsizetype(m_key.size()))).toCaseFolded();
        if (!m_values.contains(key))
            m_values.insert(key, SystemText::decode(QByteArrayView(m_value.data(), qsizetype(m_value.size()))));
    }
    m_key.clear();
    m_value.clear();
    m_inValue = false;
    m_keyTooLong = false;
}

std::optional<QString> StyleFile::value(const QString &name) const
{
    const auto it = m_values.constFind((QLatin1Char('&') + name).toCaseFolded());
    if (it == m_values.cend())
        return std::nullopt;
    return *it;
}

bool StyleFile::hasValue(const QString &value)
{
    for (QChar c : value) {
        if (c.unicode() > 32)
            return true;
    }
    return false;
}

QString StyleFile::line(const QString &name, const QString &value)
{
    return QLatin1Char('&') + name + QLatin1Char('=') + value;
}

void StyleFile::save(const QString &fileName, const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines) {
        bytes += SystemText::encode(line);
        bytes += "\r\n";
    }
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw EditorError(QStringLiteral("Cannot create file %1").arg(fileName));
}
