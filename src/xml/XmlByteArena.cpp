#include "xml/XmlByteArena.h"

#include <cstring>

QByteArrayView XmlByteArena::store(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return {};
    char *copy = allocate(bytes.size());
    std::memcpy(copy, bytes.data(), size_t(bytes.size()));
    return QByteArrayView(copy, bytes.size());
}

char *XmlByteArena::allocateChunk(qsizetype size)
{
    // Large pieces get a chunk of their own and leave the current one in use.
    if (size > ChunkSize / 4) {
        m_chunks.push_back(std::make_unique_for_overwrite<char[]>(size_t(size)));
        return m_chunks.back().get();
    }
    m_chunks.push_back(std::make_unique_for_overwrite<char[]>(size_t(ChunkSize)));
    m_next = m_chunks.back().get() + size;
    m_left = ChunkSize - size;
    return m_chunks.back().get();
}

void XmlByteArena::shrinkLast(char *last, qsizetype size, qsizetype used)
{
    if (last + size == m_next) {
        m_next -= size - used;
        m_left += size - used;
    }
}

void XmlByteArena::clear()
{
    m_chunks.clear();
    m_next = nullptr;
    m_left = 0;
}
