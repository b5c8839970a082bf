#include "board/BoardError.h"

namespace vorn::board {

std::string BoardErrorText(int32_t code) {
    switch (code) {
    case NoError:
        return "no error";
    case NotDone:
        return "Operation not done";
    case NoAnswer:
        return "No answer";
    case ConfigurationError:
        return "FPGA confuguration error";
    case IoLogicStuck:
        return "IO LOGIC STUCK";
    case DataNotValid:
        return "Data not valid";
    default:
        return "unknown error";
    }
}

} // namespace vorn::board
