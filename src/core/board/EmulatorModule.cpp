// clang-format off
#include "board/PythonApi.h" // CPython's header comes before all others
// clang-format on
#include "board/EmulatorModule.h"

#include "board/ProcessBoard.h"

#include <array>
#include <exception>

namespace vorn::board {

namespace {

// No C++ exception may cross the interpreter's frames: it becomes a Python error.
template <class Body> PyObject* Forward(Body body) {
    try {
        return body();
    } catch (const std::exception& fault) {
        PyErr_SetString(PyExc_RuntimeError, fault.what());
        return nullptr;
    }
}

PyObject* Connect(PyObject*, PyObject*) {
    return Forward([] {
        ProcessBoard::Instance().Connect();
        Py_RETURN_NONE;
    });
}

PyObject* Write(PyObject*, PyObject* args) {
    unsigned int first = 0;
    unsigned int second = 0;
    unsigned int control = 0;
    if (!PyArg_ParseTuple(args, "III", &first, &second, &control)) return nullptr;
    return Forward([&] {
        ProcessBoard::Instance().board().Write(first, second, control);
        Py_RETURN_NONE;
    });
}

PyObject* Read(PyObject*, PyObject*) {
    return Forward([] {
        const uint64_t port = ProcessBoard::Instance().board().Read();
        std::array<char, BoardEmulator::PortWidth / 8> bytes{};
        for (size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<char>(port >> (8 * i) & 0xFF);
        return PyBytes_FromStringAndSize(bytes.data(), static_cast<Py_ssize_t>(bytes.size()));
    });
}

PyObject* IoWidths(PyObject*, PyObject*) {
    return Forward([] {
        const auto [toBoard, fromBoard] = ProcessBoard::Instance().board().IoWidths();
        return Py_BuildValue("(ii)", toBoard, fromBoard);
    });
}

PyMethodDef Methods[] = {
    {"connect", Connect, METH_NOARGS, "Take up the configuration that the loader left."},
    {"write", Write, METH_VARARGS, "write(first, second, control): one write to the host port."},
    {"read", Read, METH_NOARGS, "The 40 bits of the host port, least significant byte first."},
    {"io_widths", IoWidths, METH_NOARGS, "The widths of the host port's two directions."},
    {nullptr, nullptr, 0, nullptr},
};

PyModuleDef Module = {
    PyModuleDef_HEAD_INIT,
    EmulatorModuleName,
    "The board emulator of this process.",
    -1,
    Methods,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
};

PyObject* CreateModule() {
    return PyModule_Create(&Module);
}

} // namespace

void RegisterEmulatorModule() {
    PyImport_AppendInittab(EmulatorModuleName, &CreateModule);
}

} // namespace vorn::board
