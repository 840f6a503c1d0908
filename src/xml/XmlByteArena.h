#pragma once

#include <QByteArrayView>

#include <memory>
#include <vector>

// Append-only byte storage for the profile tree's names, texts and attribute
// lines: a tree of thousands of elements costs a few large allocations instead
// of several small ones per element. What it hands out stays put until clear().
class XmlByteArena
{
public:
    // A stable copy of the bytes; empty bytes need no storage.
    QByteArrayView store(QByteArrayView bytes);
    // Room for size bytes, uninitialised.
    char *allocate(qsizetype size)
    {
        if (size > m_left)
            return allocateChunk(size);
        char *piece = m_next;
        m_next += size;
        m_left -= size;
        return piece;
    }
    // Gives back the unused end of the last allocation of size bytes.
    void shrinkLast(char *last, qsizetype size, qsizetype used);
    void clear();

private:
    char *allocateChunk(qsizetype size);

    static constexpr qsizetype ChunkSize = 64 * 1024;

    std::vector<std::unique_ptr<char[]>> m_chunks;
    char *m_next = nullptr;
    qsizetype m_left = 0;
};
