#pragma once
// A fault that the caller turns into a message box travels as a value, never as an exception.

#include <string>
#include <utility>
#include <variant>

namespace vorn {

struct Fault {
    std::string text;
    std::string caption; // empty: the platform's default caption
    int exitCode = 0;    // for start-up faults: the code the process ends with

    bool operator==(const Fault&) const = default;
};

template <class T> class Result {
  public:
    Result(T value) : state_(std::move(value)) {}
    Result(Fault fault) : state_(std::move(fault)) {}

    bool ok() const { return state_.index() == 0; }
    explicit operator bool() const { return ok(); }
    T& value() { return std::get<0>(state_); }
    const T& value() const { return std::get<0>(state_); }
    T& operator*() { return value(); }
    const T& operator*() const { return value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    const Fault& fault() const { return std::get<1>(state_); }

  private:
    std::variant<T, Fault> state_;
};

} // namespace vorn
