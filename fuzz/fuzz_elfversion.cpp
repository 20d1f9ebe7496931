// libFuzzer target: any bytes as an executable whose version note is read.
#include "util/ElfVersionNote.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* AData, std::size_t ASize)
{
    ElfVersionNote::readImage(AData, qint64(ASize));
    return 0;
}
