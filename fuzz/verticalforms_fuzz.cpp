// The GSUB reader of the vertical forms on any bytes a font file may hold.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "raster/verticalforms.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  VerticalForms(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
