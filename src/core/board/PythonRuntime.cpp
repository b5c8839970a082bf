// clang-format off
#include "board/PythonApi.h" // CPython's header comes before all others
// clang-format on
#include "board/PythonRuntime.h"

#include "board/EmulatorModule.h"

#include <atomic>

namespace vorn::board {

namespace {

std::atomic<bool> running{false};

void AppendPackageFolder() {
    PyObject* path = PySys_GetObject("path"); // borrowed
    PyRef folder(PyUnicode_FromString(VORN_PYTHON_DIR));
    if (!path || !folder || PyList_Append(path, folder.get()) != 0) PyErr_Print();
}

class Runtime {
  public:
    Runtime() {
        RegisterEmulatorModule();
        // No signal handlers: the application keeps its own.
        Py_InitializeEx(0);
        AppendPackageFolder();
        // Let every thread take the interpreter lock when it calls in.
        PyEval_SaveThread();
        running = true;
    }
    ~Runtime() {
        running = false;
        PyGILState_Ensure();
        Py_FinalizeEx();
    }
    Runtime(const Runtime&) = delete;
    Runtime& operator=(const Runtime&) = delete;
};

} // namespace

void PythonRuntime::Start() {
    static Runtime runtime;
}

bool PythonRuntime::Running() {
    return running;
}

} // namespace vorn::board
