// The built-in pictures' BMP files, embedded byte for byte at build time from
// resources/pictures/ (see cmake/EmbedFile.cmake); only bingo_pictures.cpp uses them.
#pragma once

#include <cstddef>
#include <cstdint>

namespace palabrum::built_in {

extern const std::uint8_t kBingo132Bmp[];
extern const std::size_t kBingo132BmpSize;
extern const std::uint8_t kBull134Bmp[];
extern const std::size_t kBull134BmpSize;

}  // namespace palabrum::built_in
