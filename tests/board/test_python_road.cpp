// The monitor's road through the embedded runtime and our xstools package to the emulated
// board, and the package calls as the board maker's package would receive them.

// clang-format off
#include "board/PythonApi.h" // CPython's header comes before all others
// clang-format on
#include "BoardRoad.h"
#include "board/PythonHostPort.h"

#include <gmock/gmock.h>

namespace vorn::board {
namespace {

using testing::BoardRoad;
using ::testing::HasSubstr;

void RunPython(const std::string& code) {
    GilLock gil;
    ASSERT_EQ(PyRun_SimpleString(code.c_str()), 0) << code;
}

std::string PythonRepr(const std::string& module, const std::string& attribute) {
    GilLock gil;
    PyRef imported(PyImport_ImportModule(module.c_str()));
    PyRef value(imported ? PyObject_GetAttrString(imported.get(), attribute.c_str()) : nullptr);
    PyRef repr(value ? PyObject_Repr(value.get()) : nullptr);
    if (!repr) {
        PyErr_Print();
        return "<none>";
    }
    return PyUnicode_AsUTF8(repr.get());
}

using PythonRoad = BoardRoad;

TEST_F(PythonRoad, WordsGoThereAndBackAndTheBoardOutlivesAReconnectInTheSameRuntime) {
    EXPECT_EQ(link->CheckIoWidths(), NoError);
    RunPython("import xstools.xsdutio\nxstools.xsdutio.survivor = 'kept'");
    for (const uint32_t address : {0x0u, 0x1u, 0x3FFFu}) {
        Write(address, 0xA5000000 | address);
        EXPECT_EQ(Read(address), 0xA5000000 | address);
    }
    Write(CommandRegister, 0xFFFFFFFF);
    EXPECT_EQ(Read(CommandRegister), 0xFFFFFFFFu);
    EXPECT_EQ(link->BusTest(0), NoError);
    uint32_t failing = 0;
    EXPECT_EQ(link->MemoryTest(failing), NoError);
    Reconnect();
    BoardLink second(settings); // a new device
    second.Connect();
    uint32_t word = 0;
    EXPECT_EQ(second.ReadWord(CommandRegister, word), NoError);
    EXPECT_EQ(word, 0xFFFFFFFFu);
    EXPECT_EQ(PythonRepr("xstools.xsdutio", "survivor"), "'kept'");
}

TEST_F(PythonRoad, TheIsolatedRuntimeSearchesTheSystemsSitePackagesBeforeOursAndNeverTheWorkingFolder) {
    RunPython(R"(import os, site, sys
ours = len(sys.path) - 1
system = [p for p in site.getsitepackages() if os.path.isdir(p)]
facts = (sys.flags.isolated, '' in sys.path, os.getcwd() in sys.path, bool(system),
         all(p in sys.path[:ours] for p in system)))");
    EXPECT_EQ(PythonRepr("__main__", "facts"), "(1, False, False, True, True)");
    RunPython("import sys\nlast_path = sys.path[-1]");
    EXPECT_EQ(PythonRepr("__main__", "last_path"), "'" VORN_PYTHON_PACKAGE "'")
        << "ours comes last, from beside the program";
}

TEST_F(PythonRoad, AModuleThatDoesNotImportLeavesTheLinkWithoutADevice) {
    BoardLink broken(settings, std::make_unique<PythonHostPort>("xstools.no_such_module"));
    ::testing::internal::CaptureStdout();
    broken.Connect();
    EXPECT_THAT(::testing::internal::GetCapturedStdout(), HasSubstr("Failed to load xstools module\n"));
    uint32_t word = 0;
    EXPECT_EQ(broken.ReadWord(0, word), NoAnswer);
}

// A package of the board maker's, installed in site-packages ahead of ours, written as
// Python 2 code would answer: to_usb gives an object with encode("hex").
class VendorPackage : public BoardRoad {
  protected:
    void SetUp() override {
        BoardRoad::SetUp();
        link->Disconnect();
        std::filesystem::create_directories(directory.path() / "vendor" / "xstools");
        directory.write("vendor/xstools/__init__.py", "");
        directory.write("vendor/xstools/xsdutio.py", R"(calls = []
status = [0]
digits = [10]
failing = [False]
class _Usb:
    def disconnect(self):
        calls.append('disconnect')
class _Text:
    def __init__(self, text):
        self.text = text
    def encode(self, codec):
        return self.text if codec == 'hex' else None
class _Read:
    def to_usb(self):
        if failing[0]:
            raise IOError('USB gone')
        return _Text(('efbeadde%02x' % status[0])[:digits[0]])
class XsDut:
    def __init__(self, *arguments):
        calls.append(arguments)
        self._xsusb = _Usb()
    def write(self, first, second, control):
        calls.append((first, second, control))
        if control == 0:
            status[0] ^= 3
    def read(self):
        return _Read()
    def _get_io_widths(self):
        return (40, 32)
)");
        // Where the system's site-packages lie: before ours.
        Swap("sys.path.insert(len(sys.path) - 1, " + Quoted((directory.path() / "vendor").string()) + ")");
        link->Connect();
    }
    void TearDown() override {
        link->Disconnect();
        Swap("sys.path.pop(-2)");
    }
    static std::string Quoted(const std::string& text) { return "r'" + text + "'"; }
    // Changes the search path and forgets the imported package, so the next device imports anew.
    static void Swap(const std::string& pathChange) {
        RunPython("import sys\n" + pathChange +
                  "\nfor name in ('xstools.xsdutio', 'xstools'):\n    sys.modules.pop(name, None)");
    }
};

TEST_F(VendorPackage, WinsOverOursAndGetsExactlyTheCallsOfTheLink) {
    uint32_t word = 0;
    EXPECT_EQ(link->ReadWord(0x10002, word), NoError);
    EXPECT_EQ(word, 0xDEADBEEFu);
    EXPECT_EQ(link->CheckIoWidths(), ConfigurationError);
    link->Disconnect();
    EXPECT_EQ(PythonRepr("xstools.xsdutio", "calls"),
              "[(0, 255, [16, 16, 8], [40]), (2, 1, 0), 'disconnect']");
}

TEST_F(VendorPackage, AnExceptionOrAShortAnswerGivesNoAnswer) {
    RunPython("import xstools.xsdutio\nxstools.xsdutio.failing[0] = True");
    uint32_t word = 0;
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(link->ReadWord(0, word), NoAnswer);
    EXPECT_THAT(::testing::internal::GetCapturedStderr(), HasSubstr("USB gone"));
    RunPython("import xstools.xsdutio\nxstools.xsdutio.failing[0] = False\nxstools.xsdutio.digits[0] = 8");
    EXPECT_EQ(link->ReadWord(0, word), NoAnswer);
}

} // namespace
} // namespace vorn::board
