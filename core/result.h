#pragma once

#include <utility>
#include <variant>

namespace pomiro {

// The error half of a Result, kept apart so that a Result<T, T> stays unambiguous.
template <typename E> struct Failure
{
    E error;
};

template <typename E> Failure<E> fail(E error)
{
    return Failure<E>{std::move(error)};
}

// A value or the reason there is none; core routines return these instead of throwing.
template <typename T, typename E> class [[nodiscard]] Result
{
public:
    Result(T value) : m_data(std::in_place_index<0>, std::move(value)) {}
    Result(Failure<E> failure) : m_data(std::in_place_index<1>, std::move(failure.error)) {}

    bool ok() const { return m_data.index() == 0; }
    explicit operator bool() const { return ok(); }

    const T &value() const & { return std::get<0>(m_data); }
    T &value() & { return std::get<0>(m_data); }
    T &&value() && { return std::get<0>(std::move(m_data)); }
    const E &error() const { return std::get<1>(m_data); }

    const T &operator*() const & { return value(); }
    const T *operator->() const { return &value(); }

private:
    std::variant<T, E> m_data;
};

// Success carries nothing; only the failure has something to say.
template <typename E> class [[nodiscard]] Result<void, E>
{
public:
    Result() = default;
    Result(Failure<E> failure) : m_error(std::move(failure.error)), m_failed(true) {}

    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }
    const E &error() const { return m_error; }

private:
    E m_error{};
    bool m_failed = false;
};

} // namespace pomiro
