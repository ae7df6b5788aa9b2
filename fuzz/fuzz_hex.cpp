// The Intel HEX reader on arbitrary text. The first two bytes choose how many
// bytes the canvas takes, so short and long exports are both explored.
#include "dotdata/IntelHex.h"
#include "fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    EnsureApplication();
    const qint64 wanted = 1 + data[0] + 256 * (data[1] % 16);
    QByteArray bytes;
    QString error;
    if (CIntelHex::Read(BytesOf(data + 2, size - 2), wanted, bytes, error)) {
        if (bytes.size() != wanted || CIntelHex::Write(bytes).isEmpty())
            __builtin_trap();
    } else if (error.size() > 400) {
        __builtin_trap(); // bad input is quoted short
    }
    return 0;
}
