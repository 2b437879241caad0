// What the first frame reads that depends on nothing of the window's: the
// font configuration (fontconfig reads its files and caches when the first
// font is asked for) and the code page's tables (palette sets are
// Shift_JIS), read on a second core while the program connects to the
// window system and builds the window.
#pragma once

#include <latch>
#include <thread>

class ReadAhead
{
public:
    // Starts reading; before the application object.
    ReadAhead();
    // Waits for all of it.
    ~ReadAhead();
    ReadAhead(const ReadAhead &) = delete;
    ReadAhead &operator=(const ReadAhead &) = delete;

    // Waits for the font configuration: before the first font is asked for,
    // which would otherwise read it a second time alongside.
    void waitForFonts();

private:
    std::latch fontsRead_{1};
    std::thread reader_;
};
