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
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw EditorError(QStringLiteral("Cannot open file %1").arg(fileName));
    const qsizetype nul = bytes.indexOf('\0');
    return fromText(SystemText::decode(QByteArrayView(bytes).first(nul < 0 ? bytes.size() : nul)));
}

StyleFile StyleFile::fromText(const QString &text)
{
    StyleFile style;
    qsizetype start = 0;
    const qsizetype size = text.size();
    while (start < size) {
        qsizetype end = start;
        while (end < size && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        const QStringView line = QStringView(text).mid(start, end - start);
        const qsizetype eq = line.indexOf(u'=');
        if (eq >= 0) {
            // The first line of a key wins.
            const QString key = line.left(eq).toString().toCaseFolded();
            if (!style.m_values.contains(key))
                style.m_values.insert(key, line.mid(eq + 1).toString());
        }
        if (end + 1 < size && text[end] == u'\r' && text[end + 1] == u'\n')
            ++end;
        start = end + 1;
    }
    return style;
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
