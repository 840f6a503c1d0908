#pragma once

#include <utility>

// Sets a flag for as long as it lives and gives it back its earlier value on
// leaving the scope, also by an exception, so nested uses undo in order.
class ScopedFlag
{
public:
    ScopedFlag(bool &flag, bool value) : m_flag(&flag), m_saved(flag) { flag = value; }
    ScopedFlag(ScopedFlag &&other) noexcept
        : m_flag(std::exchange(other.m_flag, nullptr)), m_saved(other.m_saved)
    {}
    ~ScopedFlag()
    {
        if (m_flag)
            *m_flag = m_saved;
    }

    ScopedFlag(const ScopedFlag &) = delete;
    ScopedFlag &operator=(const ScopedFlag &) = delete;
    ScopedFlag &operator=(ScopedFlag &&) = delete;

private:
    bool *m_flag;
    bool m_saved;
};
