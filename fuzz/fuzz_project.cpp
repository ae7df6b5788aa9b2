// The project reader on arbitrary bytes: whatever it accepts is within the
// program's limits, encodes again and reads back the same; whatever it
// refuses is named briefly.
#include "base/TextCharacters.h"
#include "dotdata/ProjectFile.h"
#include "fuzz/FuzzSupport.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    EnsureApplication();
    SProject project;
    QString detail;
    if (CProjectFile::Decode(BytesOf(data, size), project, detail) != CProjectFile::Ok) {
        if (detail.size() > 400)
            __builtin_trap(); // bad input is quoted short
        return 0;
    }
    const CDotGrid& grid = project.m_grid;
    if (static_cast<long long>(grid.Width()) * grid.Height() > CProjectFile::kMaxDots
        || CharactersOf(project.m_text.m_szText).size() > CCanvasText::kMaxChars
        || project.m_input.m_acrColor.size() != static_cast<std::size_t>(CharactersOf(project.m_input.m_szText).size()))
        __builtin_trap();
    SProject again;
    if (CProjectFile::Decode(CProjectFile::Encode(project), again, detail) != CProjectFile::Ok
        || again.m_grid.Width() != grid.Width() || again.m_grid.Height() != grid.Height()
        || (grid.ByteCount() && std::memcmp(again.m_grid.Bits(), grid.Bits(), grid.ByteCount()) != 0)
        || again.m_text.m_szText != project.m_text.m_szText || !(again.m_input == project.m_input))
        __builtin_trap();
    return 0;
}
