// A data file written from a data set that was turned or otherwise changed
// in its values: each line of the file it was read from, with the values of
// its datum put back in and everything else on the line kept.
#pragma once

#include <string>
#include <vector>

#include "data/fault_data.h"

namespace orniva {

// The text of a data file of `data`: line i is `lines[i - 1]` (an empty
// line beyond them). A datum that passed its checks has its four numbers
// written as the shortest decimals that read back to its values, and its
// sense word replaced by its sense letter when their first letters differ;
// a line whose datum failed a check is kept as it was. CR LF after every
// line.
std::string DataFileText(const std::vector<std::string>& lines, const FaultSet& data);

}  // namespace orniva
