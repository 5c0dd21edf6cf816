#pragma once
// Everything in a project document, decoded with the read rules, for `info` and `dump`.
#include <nlohmann/json.hpp>
#include <string>

namespace qorrin {
class CQorrinDoc;
}

namespace qorrin::cli {

// The 48 header bytes up to the first NUL; bytes outside printable ASCII as \xNN.
std::string HeaderText(const CQorrinDoc& doc);

std::string InfoText(const CQorrinDoc& doc, const std::string& path);
std::string DumpText(const CQorrinDoc& doc);
nlohmann::ordered_json DumpJson(const CQorrinDoc& doc);

}  // namespace qorrin::cli
