#pragma once
// Text in rows of fields split by one separator character: the CSV files that channel
// lists travel in (RFC 4180 quoting), the ';' files that spreadsheets save in many
// European locales, and the tab-separated text that spreadsheets put on the clipboard.
//
// Reading is tolerant of what users' files hold: a UTF-8 byte-order mark, CRLF, LF or CR
// line ends, blank lines, lines starting with '#', spaces before an opening quote, text
// after a closing quote, a quote left open on the last line of the text.
//
// A quoted field may run over several lines, but one that runs into lines that read as
// rows of their own (or, over a line break, to the end of the text) is a damaged file: a
// stray quote that would swallow every row after it. Such a record ends at the end of the
// line where its quote opened, is marked, and reading goes on at the next line.
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qorrin {

struct TextRecord {
  int nLine = 0;  // line of the text on which the record starts, from 1
  std::vector<std::string> fields;
  // The line where a quote opened that was never closed where it should have been (0:
  // none). The record holds its fields up to that quote and the rest of that line.
  int nUnclosedQuoteLine = 0;
};

// The separator of a text: a tab when its first record line holds one; otherwise ';' when
// that line holds at least as many semicolons as commas (and at least one); otherwise ','.
char DetectSeparator(std::string_view text);

// The records of a text, without the byte-order mark, blank lines, lines starting with
// '#' and lines holding nothing but separators and spaces. A quoted field may hold the
// separator, doubled quotes ("" for ") and line breaks (see above for where they stop).
std::vector<TextRecord> SplitDelimitedText(std::string_view text, char separator);

// Appends one record: fields joined by the separator, a field quoted (quotes doubled)
// only when it holds the separator, a quote or a line break; then the line end.
void AppendDelimitedRecord(std::string& out, std::span<const std::string> fields, char separator,
                           std::string_view lineEnd);

}  // namespace qorrin
