// clang-format off
#include "board/PythonApi.h" // CPython's header comes before all others
// clang-format on
#include "board/PythonHostPort.h"

#include "board/PythonRuntime.h"

#include <iostream>
#include <utility>

namespace vorn::board {

struct PythonHostPort::Device {
    PyRef object;
};

namespace {

// The hexadecimal text of to_usb's answer: the package's "encode" form where the object has
// one (Python 2 strings), else Python 3's bytes.hex().
PyRef HexCall(PyObject* usb) {
    if (PyObject_HasAttrString(usb, "encode")) return PyRef(PyObject_CallMethod(usb, "encode", "(s)", "hex"));
    return PyRef(PyObject_CallMethod(usb, "hex", nullptr));
}

std::optional<std::string> TextOf(PyObject* object) {
    if (PyUnicode_Check(object)) {
        const char* text = PyUnicode_AsUTF8(object);
        return text ? std::optional<std::string>(text) : std::nullopt;
    }
    if (PyBytes_Check(object))
        return std::string(PyBytes_AsString(object), static_cast<size_t>(PyBytes_Size(object)));
    return std::nullopt;
}

// Prints what the package raised, if it raised anything.
void ReportError() {
    if (PyErr_Occurred()) PyErr_Print();
}

} // namespace

PythonHostPort::PythonHostPort(std::string moduleName) : moduleName_(std::move(moduleName)) {}

PythonHostPort::~PythonHostPort() {
    // After the runtime's finalisation at exit the device is gone with it.
    if (PythonRuntime::Running())
        Close();
    else if (device_)
        (void)device_->object.release();
}

bool PythonHostPort::Open() {
    if (device_) return true;
    PythonRuntime::Start();
    GilLock gil;
    PyRef module(PyImport_ImportModule(moduleName_.c_str()));
    if (!module) {
        PyErr_Print();
        std::cout << "Failed to load xstools module" << std::endl;
        return false;
    }
    PyRef deviceClass(PyObject_GetAttrString(module.get(), "XsDut"));
    PyRef arguments(deviceClass ? Py_BuildValue("ii[i,i,i][i]", 0, 255, 16, 16, 8, 40) : nullptr);
    PyRef device(arguments ? PyObject_CallObject(deviceClass.get(), arguments.get()) : nullptr);
    if (!device) {
        ReportError();
        return false;
    }
    device_ = std::make_unique<Device>(Device{std::move(device)});
    return true;
}

void PythonHostPort::Close() {
    if (!device_) return;
    GilLock gil;
    PyRef usb(PyObject_GetAttrString(device_->object.get(), "_xsusb"));
    PyRef answer(usb ? PyObject_CallMethod(usb.get(), "disconnect", nullptr) : nullptr);
    if (!answer) ReportError();
    device_.reset();
}

bool PythonHostPort::Write(uint32_t first, uint32_t second, uint32_t control) {
    GilLock gil;
    PyRef answer(PyObject_CallMethod(device_->object.get(), "write", "(iii)", static_cast<int>(first),
                                     static_cast<int>(second), static_cast<int>(control)));
    if (!answer) ReportError();
    return static_cast<bool>(answer);
}

std::optional<std::string> PythonHostPort::Read() {
    GilLock gil;
    PyRef result(PyObject_CallMethod(device_->object.get(), "read", nullptr));
    PyRef usb(result ? PyObject_CallMethod(result.get(), "to_usb", nullptr) : nullptr);
    PyRef hex = usb ? HexCall(usb.get()) : PyRef();
    auto text = hex ? TextOf(hex.get()) : std::nullopt;
    if (!text) ReportError();
    return text;
}

std::optional<std::pair<int64_t, int64_t>> PythonHostPort::IoWidths() {
    GilLock gil;
    PyRef widths(PyObject_CallMethod(device_->object.get(), "_get_io_widths", nullptr));
    PyRef first(widths ? PySequence_GetItem(widths.get(), 0) : nullptr);
    PyRef second(first ? PySequence_GetItem(widths.get(), 1) : nullptr);
    const int64_t toBoard = second ? PyLong_AsLongLong(first.get()) : -1;
    const int64_t fromBoard = second ? PyLong_AsLongLong(second.get()) : -1;
    if (!second || PyErr_Occurred()) {
        ReportError();
        return std::nullopt;
    }
    return std::pair{toBoard, fromBoard};
}

} // namespace vorn::board
