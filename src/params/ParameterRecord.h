#pragma once

#include <QString>

// One parameter of the profile. Every text field has a maximum length in
// characters; a longer text is cut when it is stored, never inside a character.
class ParameterRecord
{
public:
    static constexpr int GroupWidth = 50;
    static constexpr int NameWidth = 20;
    static constexpr int TextWidth = 100;
    static constexpr int TypeWidth = 10;
    static constexpr int ValuesWidth = 1200;
    static constexpr int DefaultWidth = 20;

    // The record's number in profile order, from 1.
    qint32 id() const { return m_id; }
    void setId(qint32 id) { m_id = id; }

    const QString &group() const { return m_group; }
    const QString &name() const { return m_name; }
    const QString &caption() const { return m_caption; }
    const QString &type() const { return m_type; }
    const QString &values() const { return m_values; }
    const QString &value() const { return m_value; }

    void setGroup(const QString &v) { m_group = cut(v, GroupWidth); }
    void setName(const QString &v) { m_name = cut(v, NameWidth); }
    void setCaption(const QString &v) { m_caption = cut(v, TextWidth); }
    void setType(const QString &v) { m_type = cut(v, TypeWidth); }
    void setValues(const QString &v) { m_values = cut(v, ValuesWidth); }
    void setValue(const QString &v) { m_value = cut(v, DefaultWidth); }

    // The first maxChars characters of text; a surrogate pair counts as one.
    static QString cut(const QString &text, int maxChars);

private:
    qint32 m_id = 0;
    QString m_group;
    QString m_name;
    QString m_caption;
    QString m_type;
    QString m_values;
    QString m_value;
};
