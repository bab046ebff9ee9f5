// Checks on a PNG file written by gnuplot, without decoding the image.
#ifndef TALVIRONESKA_TESTS_E2E_PNG_CHECK_H_
#define TALVIRONESKA_TESTS_E2E_PNG_CHECK_H_

#include <cstdint>
#include <string>

namespace e2e {

struct PngInfo {
  bool valid = false;  // the signature and an IHDR chunk first
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  bool has_image_data = false;  // an IDAT chunk somewhere
  bool has_end = false;         // the IEND chunk closes the file
};

// Reads the signature, the header chunk and walks the chunk list of BYTES.
inline PngInfo png_info(const std::string& bytes) {
  PngInfo info;
  static const char kSignature[] = "\x89PNG\r\n\x1a\n";
  if (bytes.size() < 33 || bytes.compare(0, 8, kSignature, 8) != 0 || bytes.compare(12, 4, "IHDR") != 0) {
    return info;
  }
  auto be32 = [&bytes](std::size_t at) {
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < 4; ++i) v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
    return v;
  };
  info.valid = true;
  info.width = be32(16);
  info.height = be32(20);
  std::size_t at = 8;
  while (at + 12 <= bytes.size()) {
    const std::uint32_t length = be32(at);
    const std::string type = bytes.substr(at + 4, 4);
    if (type == "IDAT") info.has_image_data = true;
    at += 12 + std::size_t{length};
    if (type == "IEND") {
      info.has_end = at == bytes.size();
      break;
    }
  }
  return info;
}

}  // namespace e2e

#endif  // TALVIRONESKA_TESTS_E2E_PNG_CHECK_H_
