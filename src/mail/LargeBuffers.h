#pragma once

#include <cstddef>

// Asks the kernel to back the 2 MiB-aligned interior of a large buffer with huge pages.
// A mail archive's text is tens of megabytes touched once from start to end; on virtual
// machines every 4 KiB page fault costs more than decoding the page, so this more than
// halves the load time. Does nothing where the system has no such advice.
void adviseHugePages(void *buffer, std::size_t bytes);
