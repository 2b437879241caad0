// The JIS X 0208 and JIS X 0212 character sets as EUC-JP and JIS documents
// hold them, by pointer: (row - 1) * 94 + (cell - 1). They map as browsers
// map them: JIS X 0208 with the NEC and IBM rows, through code page 932's
// pairs, and JIS X 0212 as the Encoding Standard's index has it.
#pragma once

namespace JisTables {

inline constexpr int Pointers = 94 * 94;

// The character at `pointer` (0 to Pointers - 1); 0 when there is none.
char16_t Jis0208Character(int pointer);
char16_t Jis0212Character(int pointer);

// The first pointer of `c`, the one an encoder writes; -1 when the set lacks it.
int Jis0208Pointer(char16_t c);
int Jis0212Pointer(char16_t c);

namespace detail {
// The Encoding Standard's index ends at pointer 7210.
inline constexpr int Jis0212Pointers = 7211;
extern const char16_t Jis0212Characters[Jis0212Pointers];
} // namespace detail

} // namespace JisTables
