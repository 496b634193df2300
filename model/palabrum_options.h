// The player's five settings, stored as the first record of the state file.
// A plain record: it checks nothing and notifies nobody.
#pragma once

#include <cstdint>
#include <string>

namespace palabrum {

class Archive;

enum ListPosition : std::int32_t { kListLeft = 0, kListTop = 1 };
enum BingoMessage : std::int32_t { kBingoPicture = 0, kBullPicture = 1, kCustomPicture = 2 };

class PalabrumOptions {
public:
    void SetBingoMessage(std::int32_t value) { m_bingoMessage = value; }

    // Reads or writes the record; a loading failure throws ArchiveError, and
    // the fields read before it keep their new values.
    void Serialize(Archive& ar);

    std::int32_t m_listPosition = kListLeft;     // stored as u16
    std::int32_t m_bingoMessage = kBingoPicture; // stored as u16
    std::int32_t m_randomBoard = 0;              // any non-zero value deals at random
    std::u16string m_customPicturePath;          // kept when another picture is chosen
    std::uint32_t m_boardColor = 0;              // 0x00BBGGRR, red in the low byte

    bool operator==(const PalabrumOptions&) const = default;
};

}  // namespace palabrum
