#include "bingo_pictures.h"

#include <algorithm>
#include <bit>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "model/ascii.h"
#include "model/built_in_picture_data.h"
#include "model/file_io.h"
#include "model/file_name.h"
#include "model/palabrum_options.h"
#include "model/translate.h"

namespace palabrum {
namespace {

// Where the fields stand, from the start of the file.
constexpr std::uint64_t kPixelOffsetAt = 10;
constexpr std::uint64_t kInfoHeaderAt = 14;
constexpr std::uint64_t kWidthAt = 18;
constexpr std::uint64_t kHeightAt = 22;
constexpr std::uint64_t kBitCountAt = 28;
constexpr std::uint64_t kCompressionAt = 30;
constexpr std::uint64_t kColoursUsedAt = 46;
constexpr std::uint64_t kMasksAt = 54;  // inside a V2+ header, or right after a 40-byte one
constexpr std::uint32_t kMinInfoHeaderBytes = 40;

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;

constexpr std::uint32_t kOpaque = 0xFF000000u;
constexpr std::size_t kRows = kPictureSide;
constexpr std::size_t kColumns = kPictureSide;


template <typename Number>
std::u16string Decimal(Number n) {
    return Ascii(std::to_string(n));
}

DecodedBmp Refuse(BmpRefusal refusal, std::u16string whyNot) {
    return {nullptr, refusal, std::move(whyNot)};
}

DecodedBmp CutShort() {
    return Refuse(BmpRefusal::kBadBitmap, Tr("BingoPictures", "%1 is cut short."));
}

// Little-endian fields; callers check that the bytes are there first.
class Fields {
public:
    explicit Fields(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    bool Has(std::uint64_t offset, std::uint64_t count) const {
        return offset <= m_bytes.size() && count <= m_bytes.size() - offset;
    }
    std::uint16_t U16(std::uint64_t at) const {
        return static_cast<std::uint16_t>(m_bytes[at] | m_bytes[at + 1] << 8);
    }
    std::uint32_t U32(std::uint64_t at) const {
        return static_cast<std::uint32_t>(m_bytes[at]) | static_cast<std::uint32_t>(m_bytes[at + 1]) << 8 |
               static_cast<std::uint32_t>(m_bytes[at + 2]) << 16 | static_cast<std::uint32_t>(m_bytes[at + 3]) << 24;
    }
    std::int32_t I32(std::uint64_t at) const { return static_cast<std::int32_t>(U32(at)); }
    const std::uint8_t* At(std::uint64_t at) const { return m_bytes.data() + at; }

private:
    std::span<const std::uint8_t> m_bytes;
};

std::uint32_t Rgb(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    return kOpaque | red << 16 | green << 8 | blue;
}

// One colour channel of a 16- or 32-bit pixel, given by its mask. Layouts
// without masks build channels too; an empty mask reads as a dark channel.
class Channel {
public:
    explicit Channel(std::uint32_t mask)
        : m_mask(mask), m_shift(mask == 0 ? 0 : std::countr_zero(mask)), m_max(mask == 0 ? 1 : mask >> m_shift) {}

    // Scaled to 0-255, rounding to nearest, so that a full channel is 255 at any width.
    std::uint32_t Of(std::uint32_t pixel) const {
        const std::uint64_t value = (pixel & m_mask) >> m_shift;
        return static_cast<std::uint32_t>((value * 255 + m_max / 2) / m_max);
    }

private:
    std::uint32_t m_mask;
    int m_shift;
    std::uint64_t m_max;
};

bool IsContiguous(std::uint32_t mask) {
    if (mask == 0) return false;
    const std::uint32_t run = mask >> std::countr_zero(mask);
    return (run & (run + 1)) == 0;
}

// Masks we can read: each a run of bits inside the pixel, no two sharing a bit.
bool MasksUsable(std::uint32_t red, std::uint32_t green, std::uint32_t blue, int bits) {
    const std::uint32_t inside = bits == 32 ? 0xFFFFFFFFu : (1u << bits) - 1;
    for (std::uint32_t mask : {red, green, blue}) {
        if (!IsContiguous(mask) || (mask & ~inside) != 0) return false;
    }
    return (red & green) == 0 && (red & blue) == 0 && (green & blue) == 0;
}

struct Layout {
    int bits = 0;
    bool topDown = false;
    std::uint64_t pixelOffset = 0;
    std::uint64_t stride = 0;
    std::uint64_t tableAt = 0;
    std::uint32_t tableEntries = 0;
    std::uint32_t redMask = 0, greenMask = 0, blueMask = 0;
};

std::unique_ptr<Picture> DecodePixels(const Fields& file, const Layout& layout) {
    auto picture = std::make_unique<Picture>();

    std::vector<std::uint32_t> table(layout.tableEntries);
    for (std::size_t i = 0; i < table.size(); ++i) {
        const std::uint8_t* entry = file.At(layout.tableAt + 4 * i);
        table[i] = Rgb(entry[2], entry[1], entry[0]);
    }
    // An index the table does not reach reads as black rather than as whatever follows it.
    auto paletted = [&](std::uint32_t index) { return index < table.size() ? table[index] : kOpaque; };
    const Channel red(layout.redMask), green(layout.greenMask), blue(layout.blueMask);

    for (std::size_t y = 0; y < kRows; ++y) {
        const std::size_t stored = layout.topDown ? y : kRows - 1 - y;
        const std::uint8_t* row = file.At(layout.pixelOffset + stored * layout.stride);
        std::uint32_t* out = picture->pixels.data() + y * kColumns;
        for (std::size_t x = 0; x < kColumns; ++x) {
            switch (layout.bits) {
            case 1:
                out[x] = paletted(row[x / 8] >> (7 - x % 8) & 1u);
                break;
            case 4:
                out[x] = paletted(x % 2 == 0 ? row[x / 2] >> 4 : row[x / 2] & 0x0Fu);
                break;
            case 8:
                out[x] = paletted(row[x]);
                break;
            case 16: {
                const std::uint32_t v = row[2 * x] | row[2 * x + 1] << 8;
                out[x] = Rgb(red.Of(v), green.Of(v), blue.Of(v));
                break;
            }
            case 24:
                out[x] = Rgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
                break;
            case 32: {
                const std::uint8_t* p = row + 4 * x;
                const std::uint32_t v = p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
                out[x] = Rgb(red.Of(v), green.Of(v), blue.Of(v));
                break;
            }
            }
        }
    }
    return picture;
}

}  // namespace

DecodedBmp DecodeBmp(std::span<const std::uint8_t> bytes) {
    const Fields file(bytes);
    if (!file.Has(0, kInfoHeaderAt + kMinInfoHeaderBytes)) return CutShort();

    const std::uint32_t headerBytes = file.U32(kInfoHeaderAt);
    // Older, smaller headers keep width and height in other fields.
    if (headerBytes < kMinInfoHeaderBytes) {
        return Refuse(BmpRefusal::kBadBitmap, Arg(Tr("BingoPictures", "%1 has an unsupported header (%2 bytes)."),
                                                  {u"%1", Decimal(headerBytes)}));
    }

    // Compared as read: negating the height could overflow.
    const std::int32_t width = file.I32(kWidthAt);
    const std::int32_t height = file.I32(kHeightAt);
    if (width != kPictureSide || (height != kPictureSide && height != -kPictureSide)) {
        return Refuse(BmpRefusal::kBadSize, Tr("BingoPictures", "%1 is not 40 by 40 pixels."));
    }

    Layout layout;
    layout.topDown = height < 0;
    layout.bits = file.U16(kBitCountAt);
    const bool paletted = layout.bits == 1 || layout.bits == 4 || layout.bits == 8;
    if (!paletted && layout.bits != 16 && layout.bits != 24 && layout.bits != 32) {
        return Refuse(BmpRefusal::kBadBitmap,
                      Arg(Tr("BingoPictures", "%1 has an unsupported colour depth (%2 bits per pixel)."),
                         {u"%1", Decimal(layout.bits)}));
    }

    const std::uint32_t compression = file.U32(kCompressionAt);
    const bool masked = compression == kBiBitfields && (layout.bits == 16 || layout.bits == 32);
    if (compression == kBiBitfields && !masked) {
        return Refuse(BmpRefusal::kBadBitmap,
                      Tr("BingoPictures", "%1 has colour masks, which only 16- and 32-bit bitmaps can have."));
    }
    if (compression != kBiRgb && !masked) {
        return Refuse(BmpRefusal::kBadBitmap, Tr("BingoPictures", "%1 is compressed, which is not supported."));
    }

    std::uint64_t headersEnd = kInfoHeaderAt + headerBytes;
    if (masked) {
        headersEnd = std::max<std::uint64_t>(headersEnd, kMasksAt + 12);
        if (!file.Has(0, kMasksAt + 12)) return CutShort();
        layout.redMask = file.U32(kMasksAt);
        layout.greenMask = file.U32(kMasksAt + 4);
        layout.blueMask = file.U32(kMasksAt + 8);
        if (!MasksUsable(layout.redMask, layout.greenMask, layout.blueMask, layout.bits)) {
            return Refuse(BmpRefusal::kBadBitmap, Tr("BingoPictures", "%1 has colour masks that are not supported."));
        }
    } else if (layout.bits == 16) {
        layout.redMask = 0x7C00;
        layout.greenMask = 0x03E0;
        layout.blueMask = 0x001F;
    } else if (layout.bits == 32) {
        layout.redMask = 0x00FF0000;
        layout.greenMask = 0x0000FF00;
        layout.blueMask = 0x000000FF;
    }
    if (!file.Has(0, headersEnd)) return CutShort();

    layout.pixelOffset = file.U32(kPixelOffsetAt);
    if (layout.pixelOffset < headersEnd) {
        return Refuse(BmpRefusal::kBadBitmap, Tr("BingoPictures", "%1 has its pixel data inside its headers."));
    }

    // Direct-colour files may carry a table too, as a hint for small screens; it is not needed.
    if (paletted) {
        const std::uint32_t most = 1u << layout.bits;
        const std::uint32_t used = file.U32(kColoursUsedAt);
        if (used > most) {
            return Refuse(BmpRefusal::kBadBitmap,
                          Arg(Tr("BingoPictures", "%1 lists more colours (%2) than %3 bits per pixel can show."),
                             {u"%1", Decimal(used), Decimal(layout.bits)}));
        }
        layout.tableAt = headersEnd;
        layout.tableEntries = used == 0 ? most : used;
        const std::uint64_t tableEnd = layout.tableAt + 4ull * layout.tableEntries;
        if (!file.Has(0, tableEnd)) return CutShort();
        if (layout.pixelOffset < tableEnd) {
            return Refuse(BmpRefusal::kBadBitmap,
                          Tr("BingoPictures", "%1 has a colour table that runs into its pixel data."));
        }
    }

    layout.stride = (static_cast<std::uint64_t>(kColumns) * layout.bits + 31) / 32 * 4;
    if (!file.Has(layout.pixelOffset, layout.stride * kRows)) return CutShort();

    return {DecodePixels(file, layout), BmpRefusal::kNone, {}};
}

bool LoadCustomPicture(PlatformPort& port, PictureHolder& holder, const std::u16string& path) {
    holder.Empty();
    if (path.empty()) return false;

    const std::filesystem::path file = PathFromUtf16(path);
    const std::u16string name = DisplayName(file);
    const FileContents contents = ReadFileContents(file, kMaxPictureFileBytes);
    if (contents.status == FileContents::Status::kUnreadable) {
        port.ShowError(Arg(Tr("BingoPictures", "Could not open %1"), {name}), Tr("BingoPictures", "Open Failed"));
        return false;
    }
    if (contents.status == FileContents::Status::kTooLarge) {
        port.ShowError(Arg(Tr("BingoPictures", "%1 is too large for a 40 by 40 bitmap."), {name}),
                       Tr("BingoPictures", "Bad Bitmap"));
        return false;
    }

    DecodedBmp decoded = DecodeBmp(contents.bytes);
    switch (decoded.refusal) {
    case BmpRefusal::kNone:
        holder.Give(std::move(decoded.picture));
        return true;
    case BmpRefusal::kBadSize:
        port.ShowError(Tr("BingoPictures", "Bitmap must be 40x40 pixels."), Tr("BingoPictures", "Bad Size"));
        return false;
    case BmpRefusal::kBadBitmap:
        break;
    }
    port.ShowError(Arg(decoded.whyNot, {name}), Tr("BingoPictures", "Bad Bitmap"));
    return false;
}

std::span<const std::uint8_t> BuiltInPictureFile(int id) {
    switch (id) {
    case kBingoPictureId:
        return {built_in::kBingo132Bmp, built_in::kBingo132BmpSize};
    case kBullPictureId:
        return {built_in::kBull134Bmp, built_in::kBull134BmpSize};
    default:
        return {};
    }
}

bool LoadChosenPicture(PlatformPort& port, int choice, const std::u16string& customPath, PictureHolder& holder) {
    switch (choice) {
    case kBingoPicture: LoadBuiltInPicture(kBingoPictureId, holder); return true;
    case kBullPicture: LoadBuiltInPicture(kBullPictureId, holder); return true;
    case kCustomPicture: return LoadCustomPicture(port, holder, customPath);
    default: holder.Empty(); return false;
    }
}

void LoadBuiltInPicture(int id, PictureHolder& holder) {
    holder.Empty();
    const auto file = BuiltInPictureFile(id);
    if (file.empty()) return;
    holder.Give(DecodeBmp(file).picture);
}

}  // namespace palabrum
