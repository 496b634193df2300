// Cards to share, written to files: fresh deals of the word list printed one
// card to a PDF page, and the board in play as a picture or a page. Every file
// goes through the program's one safe writer.
#pragma once

#include <QSize>
#include <QString>
#include <filesystem>
#include <string>
#include <vector>

#include "model/board.h"
#include "views/card_sheets.h"

namespace palabrum {

class CPalabrumDoc;

inline constexpr QSize kExportImageSize{1000, 1100};

// Writes `count` (1 to 99) different deals of the 25 `words`, drawn with
// `random` as the game deals, one card to a page of the locale's paper, to the
// PDF `pdfPath`.
// The game is never involved. On failure returns false, leaves no partial file
// and puts a one-line reason naming the file in *error.
bool PrintCards(const std::vector<std::u16string>& words, int count, RandomSource random,
                const std::filesystem::path& pdfPath, QString* error);

// Writes the board in play, marks and bingo line included, to `path`: a
// 1000 by 1100 PNG for a name ending in .png, a PDF page of the locale's
// paper for .pdf (any case). Errors as for PrintCards.
bool ExportCard(const CPalabrumDoc& doc, const std::filesystem::path& path, QString* error);

}  // namespace palabrum
