// Stand-in for the board maker's FPGA loader: "xsload.exe -usb <number> -fpga <file.bit>"
// hands the configuration to the emulated board. The monitor disconnects before and connects
// after the loader, and its board emulator takes the configuration up at that connect.
// Only one board is emulated, so the USB number is not looked at.

#include "board/FpgaLoadFile.h"

#include <iostream>
#include <string>

int main(int argc, char** argv) {
    std::string bitFile;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::string(argv[i]) == "-fpga") bitFile = argv[i + 1];
    if (bitFile.empty()) {
        std::cerr << "usage: xsload.exe -usb <number> -fpga <file.bit>\n";
        return 1;
    }
    if (!vorn::board::HandOverBitFile(bitFile)) {
        std::cerr << "xsload: cannot load " << bitFile << "\n";
        return 1;
    }
    return 0;
}
