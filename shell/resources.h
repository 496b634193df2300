// The icons, toolbar images and help file built into the program.
#pragma once

namespace palabrum {

// Registers them; safe to call more than once.
void InitResources();

}  // namespace palabrum
