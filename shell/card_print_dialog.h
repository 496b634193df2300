// The desktop's print dialog for a run of cards: printers through the
// system's print service, or a PDF file, with the cards' own settings (how
// many, and how many to a sheet) on a tab of their own.
#pragma once

class QPrinter;
class QWidget;

namespace palabrum {

struct CardRun {
    int count = 10;    // 1 to 99 cards
    int perSheet = 1;  // 1, 2 or 4 cards to a sheet
};

// Shows the dialog for `printer` and `run`; false when the player cancels.
bool AskToPrintCards(QWidget* parent, QPrinter& printer, CardRun& run);

}  // namespace palabrum
