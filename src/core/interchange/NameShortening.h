#pragma once
// A channel name from another tool made to fit the radio, which shows four characters:
// digits, A-Z, space and '-'. Names are shortened the way a technician would, keeping the
// channel numbers that tell similar names apart:
//   1. drop every character the radio cannot show (a-z become capitals);
//   2. if more than four remain, drop the spaces and '-';
//   3. if still more than four, keep the last run of digits (at most its last three)
//      whole and as many leading characters before it as fit; when fewer characters
//      stand before it, the characters after it fill the four.
// A space, a '-' or a dropped character separates two runs of digits: "GMRS 550/15R"
// keeps "15", not "015".
// "FRS 10" -> "FR10", "CB 01RP" -> "CB01", "H-TAC1" -> "HTA1", "2m Call" -> "2MCA",
// "W1AW/R" -> "W1AW".
//
// When different names of one list come out alike, the list shortens them again in the
// two other ways below (ImportPlan.h).
#include <string>
#include <string_view>

namespace qorrin {

std::string ShortenChannelName(std::string_view name);

// The name after steps 1 and 2, in full: names that agree here are the same name to the
// radio, whatever their case or the characters it cannot show.
std::string ShownChannelName(std::string_view name);

// The last four characters after steps 1 and 2 ("VE3OCE" -> "3OCE").
std::string LastFourOfName(std::string_view name);
// The first two and the last two characters after steps 1 and 2 ("VE3OCE" -> "VECE").
std::string EndsOfName(std::string_view name);

}  // namespace qorrin
