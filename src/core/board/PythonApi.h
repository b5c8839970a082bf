#pragma once
// CPython's embedding interface for the board folder's own sources (never for its public
// headers): the header comes first, as CPython asks, plus an owned reference and the lock
// that every call from any thread takes.

#define PY_SSIZE_T_CLEAN
#include <Python.h>
#include <utility>

namespace vorn::board {

// Owns one reference; the interpreter lock must be held where it is released.
class PyRef {
  public:
    PyRef() = default;
    explicit PyRef(PyObject* object) : object_(object) {}
    PyRef(PyRef&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    PyRef& operator=(PyRef&& other) noexcept {
        std::swap(object_, other.object_);
        return *this;
    }
    ~PyRef() { Py_XDECREF(object_); }

    PyObject* get() const { return object_; }
    PyObject* release() { return std::exchange(object_, nullptr); }
    explicit operator bool() const { return object_ != nullptr; }

  private:
    PyObject* object_ = nullptr;
};

class GilLock {
  public:
    GilLock() : state_(PyGILState_Ensure()) {}
    ~GilLock() { PyGILState_Release(state_); }
    GilLock(const GilLock&) = delete;
    GilLock& operator=(const GilLock&) = delete;

  private:
    PyGILState_STATE state_;
};

} // namespace vorn::board
