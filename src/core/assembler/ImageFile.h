#pragma once
// The .cod memory image: blocks of words at consecutive addresses, each ".CODE" (instruction
// words) or ".DATA", then the trailer ".DS" and a line that carries the commands.xml date.
//
//   .CODE
//   0x00000000     first word address
//   0x00000002     word count
//   0x20010005     one word per line
//   0x00000000
//   .DS
//   0X4 XML file date: XML file date: Wed 5/3/2014 10:7:09
//
// The trailer's number is twice the word count, in decimal despite its "0X".

#include "isa/InstructionSet.h"
#include "isa/MemoryRecord.h"

#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace vorn::assembler {

// Blocks follow the image's order: a record continues the block of the one before it when it
// stands on the next address and is of the same kind.
void WriteImage(std::ostream& out, const std::vector<isa::MemoryRecord>& image,
                const std::string& commandsXmlVersion);

// Appends the words of a .cod file to the image, decoding the .CODE words. True at the trailer
// or at the end of the stream; false for anything that is not a whole block (the records read
// before the fault stay in the image).
bool ReadImage(std::istream& in, const isa::InstructionSet& set, std::vector<isa::MemoryRecord>& image);

} // namespace vorn::assembler
