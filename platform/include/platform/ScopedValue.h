#pragma once
// Holding a variable at a value for the length of a call. A flag or pointer
// that is set while something runs must be as it was afterwards, also when an
// exception passes and also when the same variable is held again further in:
// the holder puts back the value it found, not a fixed one.

namespace host {

/// Sets variable to value now and restores the value it had when the holder
/// goes. Nested holders of one variable unwind in order, so an inner one
/// never clears what an outer one still holds.
template <class T> class ScopedValue {
public:
    ScopedValue(T& variable, T value) : m_variable(variable), m_saved(variable) {
        m_variable = value;
    }
    ~ScopedValue() { m_variable = m_saved; }
    ScopedValue(const ScopedValue&) = delete;
    ScopedValue& operator=(const ScopedValue&) = delete;

private:
    T& m_variable; ///< outlives the holder: a static, a member or an outer local
    T m_saved;
};

} // namespace host
