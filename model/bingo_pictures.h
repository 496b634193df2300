// The 40 by 40 bingo pictures: the two built into the program and the
// player's own bitmap files, all read by one BMP decoder. Plain C++, no Qt.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "model/picture.h"
#include "model/platform_port.h"

namespace palabrum {

// Resource ids of the built-in pictures, as the Bingo Message list names them.
inline constexpr int kBingoPictureId = 132;  // "Bingo!"
inline constexpr int kBullPictureId = 134;   // "Bullsh#t!"

// A 40 by 40 bitmap is a few kilobytes at most; anything larger than this is
// refused before it is read.
inline constexpr std::size_t kMaxPictureFileBytes = 1u << 20;

enum class BmpRefusal {
    kNone,       // decoded
    kBadSize,    // well-formed enough to tell, but not 40 by 40
    kBadBitmap,  // cut short, compressed, an unsupported depth, inconsistent...
};

struct DecodedBmp {
    std::unique_ptr<Picture> picture;  // null when refused
    BmpRefusal refusal = BmpRefusal::kNone;
    // When refused, never empty: a sentence in the player's language with %1
    // where the file's name goes, e.g. u"%1 is cut short.".
    std::u16string whyNot;
};

// Decodes a BMP file held in `bytes`. Reads only inside `bytes`, whatever the
// fields claim. What it accepts:
//  - an information header of 40 bytes or more (V4 and V5 too), width 40 and
//    height 40 (bottom-up) or -40 (top-down); the signature, the file size
//    field, planes, image size and resolutions are not examined;
//  - 1, 4 or 8 bits per pixel, uncompressed, with a colour table at 14 plus
//    the header size of biClrUsed entries (2^bits when zero); a larger
//    biClrUsed, or a table that runs into the pixels or past the end, is
//    refused; indices past the table are black;
//  - 16 bits per pixel as 5-5-5, 24 and 32 bits as blue, green, red (the
//    fourth byte ignored), uncompressed; or 16 and 32 bits with BI_BITFIELDS
//    masks, each a non-empty contiguous run of bits, the three disjoint, the
//    value scaled to 0-255 with rounding;
//  - 40 rows, each padded to 4 bytes, from the pixel data offset, which must
//    lie past the headers (and the table).
// Every decoded pixel is opaque. On refusal `picture` is null, `refusal` says
// which kind and `whyNot` why.
DecodedBmp DecodeBmp(std::span<const std::uint8_t> bytes);

// Fills `holder` with the picture in the BMP file at `path`. The holder is
// emptied first, whatever the outcome. True only when it then holds the new
// picture. An empty path gives false without a word; every other false has
// shown exactly one error box through `port`: "Could not open <path>" (caption
// "Open Failed") when the file cannot be opened or read, "Bitmap must be 40x40
// pixels." (caption "Bad Size") for any other size, and "<path> <why not>"
// (caption "Bad Bitmap") for every other refusal, a file over
// kMaxPictureFileBytes included.
bool LoadCustomPicture(PlatformPort& port, PictureHolder& holder, const std::u16string& path);

// The BMP file of built-in picture `id` as built into the program; empty for
// any id but kBingoPictureId and kBullPictureId.
std::span<const std::uint8_t> BuiltInPictureFile(int id);

// Empties `holder` and gives it built-in picture `id`; any other id leaves it
// empty.
void LoadBuiltInPicture(int id, PictureHolder& holder);

// The one place that knows the Bingo Message choices: fills `holder` with the
// picture that `choice` names, built in or the custom file at `customPath`
// (with LoadCustomPicture's boxes). False, with the holder empty, for a custom
// picture that cannot be loaded and for a choice that names no picture.
bool LoadChosenPicture(PlatformPort& port, int choice, const std::u16string& customPath, PictureHolder& holder);

}  // namespace palabrum
