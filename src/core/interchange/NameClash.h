#pragma once
// Different names of one list that shorten to the same four characters would merge
// channels that the list keeps apart ("VE3OCE", "VE3ORF" and "VE3OJN" all give "VE3O").
// Each such group is shortened again, all its names the same way, with the first way that
// tells them apart: the last four characters, then the first two and the last two
// (NameShortening.h). Names that still come out alike are noted on each of their rows,
// with the lines of the others.
#include <vector>

#include "core/interchange/ImportPlan.h"

namespace qorrin {

void ResolveNameClashes(std::vector<PlannedRow>& rows);

}  // namespace qorrin
