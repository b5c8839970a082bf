// clang-format off
#include "board/PythonApi.h" // CPython's header comes before all others
// clang-format on
#include "board/PythonRuntime.h"

#include "board/EmulatorModule.h"
#include "board/ExecutableFolder.h"

#include <atomic>
#include <filesystem>
#include <system_error>

namespace vorn::board {

namespace {

std::atomic<bool> running{false};

// Where our package lies relative to the program: in the build tree every program is two
// folders deep; an installation keeps it in share/vorn beside bin. Only a folder that holds
// the package counts.
std::filesystem::path PackageFolder() {
    const std::filesystem::path program = ExecutableFolder();
    if (program.empty()) return {};
    for (const char* relative : {"../share/vorn/python", "../../python"}) {
        const std::filesystem::path folder = (program / relative).lexically_normal();
        std::error_code error;
        if (std::filesystem::is_regular_file(folder / "xstools" / "__init__.py", error)) return folder;
    }
    return {};
}

// Ours comes after the system's site-packages, so that the board maker's package wins.
void AppendPackageFolder() {
    const std::filesystem::path package = PackageFolder();
    if (package.empty()) return;
    PyObject* path = PySys_GetObject("path"); // borrowed
    PyRef folder(PyUnicode_FromString(package.string().c_str()));
    if (!path || !folder || PyList_Append(path, folder.get()) != 0) PyErr_Print();
}

// Isolated: no environment variables, no user site-packages, and neither the working folder
// nor a script's folder on the path; the system's site-packages stay. No signal handlers: the
// application keeps its own. The home is the prefix of the Python we link with: left to itself
// the runtime would take its prefix from whichever python3 comes first on PATH (a pyenv
// shim or a virtual environment), and the standard library and site-packages with it.
void Initialise() {
    PyConfig config;
    PyConfig_InitIsolatedConfig(&config);
    config.site_import = 1;
    config.install_signal_handlers = 0;
    PyStatus status = PyConfig_SetBytesString(&config, &config.home, VORN_PYTHON_HOME);
    if (!PyStatus_Exception(status)) status = Py_InitializeFromConfig(&config);
    PyConfig_Clear(&config);
    if (PyStatus_Exception(status)) Py_ExitStatusException(status);
}

class Runtime {
  public:
    Runtime() {
        RegisterEmulatorModule();
        Initialise();
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
