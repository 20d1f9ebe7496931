// libFuzzer target: any bytes as a data set packet and as a change log packet, after base64 and before it.
#include "platform/data/PacketCodec.h"
#include "util/ZQError.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* AData, std::size_t ASize)
{
    const QByteArray bytes(reinterpret_cast<const char*>(AData), qsizetype(ASize));
    for (const QByteArray& packet : {bytes, PacketCodec::Deflate(bytes).toBase64()}) {
        try {
            PacketCodec::DecodeDataSet(packet);
        } catch (const EZQError&) {
        }
        try {
            PacketCodec::DecodeChangeLog(packet);
        } catch (const EZQError&) {
        }
    }
    return 0;
}
