#pragma once
// The embedded CPython runtime: started once per process by the first device and finalised at
// exit. Restarting it for every reconnect would leak and break C-extension modules such as
// the board maker's USB layer, so a reconnect only makes a new device.
//
// Before the runtime starts, the board emulator's built-in module is registered. The runtime
// is isolated: the environment, the user's site-packages and the working folder play no part;
// the system's site-packages are on sys.path. Our xstools stand-in folder, found relative to
// the program, is appended to the END of sys.path, so that a package of the board maker
// installed in the system's site-packages wins and ours answers only where there is none.

namespace vorn::board {

class PythonRuntime {
  public:
    // Starts the runtime unless it runs; any thread may call it.
    static void Start();
    // False before the start and once the runtime has been finalised at exit.
    static bool Running();
};

} // namespace vorn::board
