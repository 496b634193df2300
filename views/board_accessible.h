// The board as accessibility tools see it: a 5 by 5 table whose cells carry
// their word and whether it is marked.
#pragma once

#include <functional>

class QAccessibleEvent;

namespace palabrum {

class UIBoard;

// Hands an event to accessibility tools. Qt drops events while no tool
// listens, so a listener (tests install one) sees each first.
void Announce(QAccessibleEvent& event);
void SetAccessibilityListener(std::function<void(const QAccessibleEvent&)> listener);

// Makes the board's accessible table known to Qt; safe to call more than once.
void InstallBoardAccessibility();

// Tells accessibility tools that a square's mark changed.
void AnnounceMarkChanged(UIBoard& board, int square);

}  // namespace palabrum
