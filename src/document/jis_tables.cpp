#include "jis_tables.h"

#include "cp932.h"
#include "jconvert.h"

#include <array>
#include <cstdint>
#include <memory>

namespace JisTables {
namespace {

using Pointers16 = std::array<std::int16_t, 65536>;

// The first pointer of each character, -1 for none.
std::unique_ptr<Pointers16> FirstPointers(char16_t (*character)(int))
{
    auto pointers = std::make_unique<Pointers16>();
    pointers->fill(-1);
    for (int p = Pointers - 1; p >= 0; --p) {
        if (const char16_t c = character(p))
            (*pointers)[c] = std::int16_t(p);
    }
    return pointers;
}

} // namespace

char16_t Jis0208Character(int pointer)
{
    if (pointer < 0 || pointer >= Pointers)
        return 0;
    const Jconvert::BytePair sjis = Jconvert::ToSjis(static_cast<unsigned char>(0x21 + pointer / 94),
                                                     static_cast<unsigned char>(0x21 + pointer % 94));
    return Cp932::DecodePair(sjis.first, sjis.second);
}

char16_t Jis0212Character(int pointer)
{
    return pointer >= 0 && pointer < detail::Jis0212Pointers ? detail::Jis0212Characters[pointer]
                                                             : char16_t(0);
}

int Jis0208Pointer(char16_t c)
{
    static const std::unique_ptr<Pointers16> pointers = FirstPointers(Jis0208Character);
    return (*pointers)[c];
}

int Jis0212Pointer(char16_t c)
{
    static const std::unique_ptr<Pointers16> pointers = FirstPointers(Jis0212Character);
    return (*pointers)[c];
}

} // namespace JisTables
