// The option.ini reader and writer on arbitrary bytes: reading never fails,
// and writing a key keeps every other byte of the file.
#include "base/ProfileFile.h"
#include "fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    EnsureApplication();
    const QByteArray bytes = BytesOf(data, size);
    const int value = CProfileFile::IntIn(bytes, QStringLiteral("Main"), QStringLiteral("ShowGrid"), 1);
    if (value < 0)
        __builtin_trap(); // leading digits are never negative
    const QByteArray written = CProfileFile::WithValue(bytes, QStringLiteral("Main"), QStringLiteral("ShowGrid"),
                                                       QStringLiteral("7"));
    if (CProfileFile::IntIn(written, QStringLiteral("Main"), QStringLiteral("ShowGrid"), 1) != 7)
        __builtin_trap();
    // Writing the same value again changes nothing.
    if (CProfileFile::WithValue(written, QStringLiteral("Main"), QStringLiteral("ShowGrid"), QStringLiteral("7"))
        != written)
        __builtin_trap();
    return 0;
}
