// Pictures as both builds of the preview pictures write them and the
// comparison reads them: binary PPM ("P6", one header line each for the
// size and the largest value 255), three bytes a pixel, red first, rows
// from the top. Only that exact form is read back.
#pragma once

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

struct RgbPicture {
  int Width = 0;
  int Height = 0;
  std::vector<uint8_t> Rgb;  // Width * Height * 3 bytes
};

inline bool WritePpm(const std::string& path, const RgbPicture& picture) {
  std::ofstream out(path, std::ios::binary);
  out << "P6\n" << picture.Width << ' ' << picture.Height << "\n255\n";
  out.write(reinterpret_cast<const char*>(picture.Rgb.data()),
            static_cast<std::streamsize>(picture.Rgb.size()));
  return static_cast<bool>(out);
}

inline std::optional<RgbPicture> ReadPpm(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string magic;
  RgbPicture picture;
  int most = 0;
  if (!(in >> magic >> picture.Width >> picture.Height >> most) || magic != "P6" || most != 255 ||
      picture.Width <= 0 || picture.Height <= 0 || in.get() != '\n') {
    return std::nullopt;
  }
  picture.Rgb.assign(std::istreambuf_iterator<char>(in), {});
  if (picture.Rgb.size() != size_t(picture.Width) * size_t(picture.Height) * 3) return std::nullopt;
  return picture;
}
