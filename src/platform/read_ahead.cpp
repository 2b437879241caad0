#include "read_ahead.h"

#include "cp932.h"

#include <fontconfig/fontconfig.h>

ReadAhead::ReadAhead()
    : reader_([this] {
          FcInit();
          fontsRead_.count_down();
          // Builds the tables that reading needs; whoever asks first waits for them.
          Cp932::DecodePair(0x82, 0xA0);
      })
{
}

ReadAhead::~ReadAhead()
{
    if (reader_.joinable())
        reader_.join();
}

void ReadAhead::waitForFonts()
{
    fontsRead_.wait();
}
