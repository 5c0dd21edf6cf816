#pragma once
// Text lookup in the current language file (g_strLangFile). Every lookup sees the file
// as it is on disk at that moment (a replaced or edited file at the next lookup); a missing
// or unreadable file is not an error: [String] texts read "Not Found", everything else
// reads as missing.
#include <initializer_list>
#include <string>
#include <vector>

namespace qorrin {

// [String] key with "\n" and "\t" turned into line feed and tab; "Not Found" when missing;
// the value is cut to 999 bytes before the escapes are processed.
std::string LoadLangString(const std::string& key);
// The same for several keys from one look at the file (one version of it, one file-system
// call): for callers that need a set of texts at every step.
std::vector<std::string> LoadLangStrings(std::initializer_list<const char*> keys);
// A [String] text about `count` things, with "%d" replaced by the count. For a count of 1
// the key's singular form "<key>_ONE" is taken where the file has it ("Move of 1 channel"
// beside "Move of %d channels"); a language without such forms keeps the key's own text.
std::string LoadCountText(const std::string& key, int count);
// The same lookup in a given language file, for work that runs away from the user-interface
// thread or speaks a fixed language (the command line's English).
std::string LoadLangStringFrom(const std::string& langFile, const std::string& key);

// [Resource] entry of a dialog or control identifier, taken literally; empty when missing
// (the caller then keeps its built-in text).
std::string LoadResourceText(int id);

// [Face] disp of the given language file: its display name, "-----" when missing.
std::string LoadLanguageDisplayName(const std::string& langFile);

// Column headings: keys <prefix>0 .. <prefix>count-1 of the section, each cut to 29 bytes;
// a missing key repeats the heading before it (the first one: empty), a key present with
// an empty value gives an empty heading.
std::vector<std::string> LoadHeadings(const std::string& section, const std::string& keyPrefix, int count);

// The items of a numbered option list ("Step", "ShowChannel", "BackLight", "ScanMode",
// "ChannelFlag"): keys 0, 1, 2, ... up to the first missing or empty one.
std::vector<std::string> LoadOptionList(const std::string& section);

}  // namespace qorrin
