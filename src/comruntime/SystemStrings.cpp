// Where the system has no OleAut32, the two string helpers: a 32-bit byte
// length, the UTF-16 characters and a 16-bit NUL in one block, addressed by
// its characters.
#include "comruntime/VEL_COM.h"

#include <cstdlib>
#include <cstring>

#ifndef _WIN32

BSTR SysAllocStringLen(const OLECHAR *text, UINT length)
{
    // The byte count must fit the 32-bit prefix, with room for the prefix and
    // the NUL where size_t has 32 bits; checked before multiplying, which
    // could wrap there.
    if (length > 0xFFFFFFF0u / sizeof(OLECHAR))
        return nullptr;
    const std::size_t bytes = std::size_t(length) * sizeof(OLECHAR);
    auto *block = static_cast<char *>(std::malloc(sizeof(uint32_t) + bytes + sizeof(OLECHAR)));
    if (!block)
        return nullptr;
    const uint32_t prefix = uint32_t(bytes);
    std::memcpy(block, &prefix, sizeof prefix);
    auto *characters = reinterpret_cast<OLECHAR *>(block + sizeof prefix);
    if (text)
        std::memcpy(characters, text, bytes);
    else
        std::memset(characters, 0, bytes);
    characters[length] = 0;
    return characters;
}

void SysFreeString(BSTR text)
{
    if (text)
        std::free(reinterpret_cast<char *>(text) - sizeof(uint32_t));
}

#endif
