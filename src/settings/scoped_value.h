#pragma once

#include <type_traits>
#include <utility>

// Gives a variable a value for the rest of a scope and its old value back when the scope ends,
// however it ends. A re-entrancy guard made of it cannot be left set by an early return or an
// exception, and one nested in another gives back the outer's value rather than clearing it.
template <class T> class [[nodiscard]] ScopedValue {
  public:
    ScopedValue(T& variable, std::type_identity_t<T> value)
        : m_variable(variable), m_old(std::exchange(variable, std::move(value))) {}
    ~ScopedValue() { m_variable = std::move(m_old); }
    ScopedValue(const ScopedValue&) = delete;
    ScopedValue& operator=(const ScopedValue&) = delete;

  private:
    T& m_variable;
    T m_old;
};
