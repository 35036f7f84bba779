#pragma once

#include <QString>

#include <utility>
#include <variant>

// What an archive operation gives back: its value (a position, a count, a
// record) or the reason it failed. The caller must look before it takes the
// value, so a failure cannot pass for a result.
template <class T>
class ArchiveResult
{
public:
    static ArchiveResult success(T value) { return ArchiveResult(std::in_place_index<0>, std::move(value)); }
    static ArchiveResult failure(QString reason) { return ArchiveResult(std::in_place_index<1>, std::move(reason)); }

    bool ok() const { return m_value.index() == 0; }
    explicit operator bool() const { return ok(); }

    // Only on success.
    const T &value() const { return std::get<0>(m_value); }
    const T &operator*() const { return value(); }
    const T *operator->() const { return &value(); }

    // Only on failure: why, in the words of the file layer.
    const QString &error() const { return std::get<1>(m_value); }

private:
    template <std::size_t I, class V>
    ArchiveResult(std::in_place_index_t<I> tag, V &&v)
        : m_value(tag, std::forward<V>(v))
    {
    }

    std::variant<T, QString> m_value;
};
