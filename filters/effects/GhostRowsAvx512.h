// The ghost pass with 64-byte vectors, for runs whose source lies a whole
// number of groups k away from the destination (k of at least 1). The run
// is taken as rows of k groups: every row takes its ghost from the row
// before it, and only from it, so the columns of a row are independent and
// the one dependency (the first bytes, the only ones passed on) is carried
// from row to row in registers instead of through memory.
#pragma once

#include <cstddef>
#include <cstdint>

// Rows 0 .. rows - 1 of `rowGroups` groups each, row j at firstRow + j ×
// stride (stride ±3 × rowGroups); row -1, the source of row 0, is read but
// not written. `multiplier` is the ghost table's exact 16-bit multiplier.
// Only for machines that run InstructionSet::Avx512.
void AddGhostRowsAvx512(std::uint8_t* firstRow, std::ptrdiff_t stride, std::size_t rows, std::size_t rowGroups,
                        std::uint16_t multiplier);
