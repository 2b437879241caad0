// Byte strings written as lists of numbers, for readable expectations.
#pragma once

#include <initializer_list>
#include <string>

inline std::string B(std::initializer_list<int> bytes)
{
    std::string s;
    for (int b : bytes)
        s += static_cast<char>(b);
    return s;
}

inline constexpr int ESC = 0x1B;
