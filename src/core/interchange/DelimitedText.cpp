#include "core/interchange/DelimitedText.h"

#include <algorithm>

namespace qorrin {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view WithoutByteOrderMark(std::string_view text) {
  return text.starts_with(kByteOrderMark) ? text.substr(kByteOrderMark.size()) : text;
}

// The first line that is neither blank nor a comment; empty when there is none.
std::string_view FirstRecordLine(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = pos;
    while (end < text.size() && !IsLineBreak(text[end])) ++end;
    const std::string_view line = text.substr(pos, end - pos);
    if (!line.starts_with('#') && !std::ranges::all_of(line, [](char c) { return IsBlank(c); })) return line;
    pos = end + 1;
  }
  return {};
}

// Walks a text record by record, counting lines (CRLF, LF and CR each end one).
class RecordScanner {
 public:
  RecordScanner(std::string_view text, char separator) : m_text(text), m_separator(separator) {
    // Until the first record is read, its first line tells (counting quoted separators
    // too, which can only make fewer lines read as rows).
    SetRowFields(static_cast<std::size_t>(std::ranges::count(FirstRecordLine(text), separator)) + 1);
  }

  bool AtEnd() const { return m_pos >= m_text.size(); }

  // The first record that holds something: the measure of the records after it.
  void NoteFirstRecord(const TextRecord& record) {
    if (m_firstFields != 0 || record.nUnclosedQuoteLine != 0) return;
    m_firstFields = record.fields.size();
    SetRowFields(m_firstFields);
  }

  void SkipLine() {
    SkipToLineEnd();
    SkipLineBreak();
  }

  bool StartsComment() const { return !AtEnd() && m_text[m_pos] == '#'; }

  // A record whose quote ran into following rows, or that ran over lines to more fields
  // than the first record has (a stray quote closed by another one rows later), is read
  // again as its first line alone, and marked.
  TextRecord ReadRecord() {
    const std::size_t start = m_pos;
    const int line = m_line;
    m_quoteOverLines = 0;
    m_unclosedQuote = 0;
    TextRecord record = ReadFields(false);
    const bool tooLong = m_quoteOverLines != 0 && m_firstFields != 0 && record.fields.size() > m_firstFields;
    if (record.nUnclosedQuoteLine == 0 && !tooLong) return record;
    const int quoteLine = record.nUnclosedQuoteLine != 0 ? record.nUnclosedQuoteLine : m_quoteOverLines;
    m_pos = start;
    m_line = line;
    record = ReadFields(true);
    record.nUnclosedQuoteLine = quoteLine;
    return record;
  }

 private:
  // A line holding at least two thirds as many fields as the first record reads as a row
  // (at least three fields, or all of them in a narrower text); in a single column, any
  // line that is not blank does. A line break inside a field seldom comes with that many
  // separators after it.
  void SetRowFields(std::size_t firstFields) {
    m_rowFields = firstFields <= 2 ? std::max<std::size_t>(1, firstFields)
                                   : std::max<std::size_t>(3, (2 * firstFields + 2) / 3);
  }

  TextRecord ReadFields(bool singleLine) {
    TextRecord record;
    record.nLine = m_line;
    while (true) {
      std::string field;
      if (!ReadField(field, singleLine)) {
        record.nUnclosedQuoteLine = m_unclosedQuote;
        return record;
      }
      record.fields.push_back(std::move(field));
      if (!AtEnd() && m_text[m_pos] == m_separator) {
        ++m_pos;
        continue;
      }
      SkipLineBreak();
      return record;
    }
  }

  void SkipToLineEnd() {
    while (!AtEnd() && !IsLineBreak(m_text[m_pos])) ++m_pos;
  }

  void SkipLineBreak() {
    if (AtEnd()) return;
    if (m_text[m_pos] == '\r' && m_pos + 1 < m_text.size() && m_text[m_pos + 1] == '\n') ++m_pos;
    ++m_pos;
    ++m_line;
  }

  bool AtFieldEnd() const {
    return AtEnd() || m_text[m_pos] == m_separator || IsLineBreak(m_text[m_pos]);
  }

  // Whether the line that starts at `pos`, up to a quote that may close the field, reads
  // as a row of its own.
  bool LineLooksLikeRow(std::size_t pos) const {
    std::size_t end = pos;
    while (end < m_text.size() && !IsLineBreak(m_text[end]) && m_text[end] != '"') ++end;
    const std::string_view line = m_text.substr(pos, end - pos);
    if (std::ranges::all_of(line, [](char c) { return IsBlank(c); })) return false;
    return static_cast<std::size_t>(std::ranges::count(line, m_separator)) + 1 >= m_rowFields;
  }

  // False when a quoted field ran into following rows (reading stops there).
  bool ReadField(std::string& field, bool singleLine) {
    // Spaces before an opening quote are not part of a quoted field.
    std::size_t look = m_pos;
    while (look < m_text.size() && IsBlank(m_text[look]) && m_text[look] != m_separator) ++look;
    if (look < m_text.size() && m_text[look] == '"') {
      m_pos = look + 1;
      if (!ReadQuoted(field, singleLine)) return false;
    }
    // Unquoted text, or whatever follows a closing quote, up to the end of the field.
    const std::size_t start = m_pos;
    while (!AtFieldEnd()) ++m_pos;
    field.append(m_text.substr(start, m_pos - start));
    return true;
  }

  // Up to the closing quote; with `singleLine`, at most to the end of the line. False
  // when the field runs into a line that reads as a row, or over a line break to the end
  // of the text.
  bool ReadQuoted(std::string& field, bool singleLine) {
    const int openedOn = m_line;
    bool overLines = false;
    while (!AtEnd()) {
      const char c = m_text[m_pos];
      if (c == '"') {
        if (m_pos + 1 < m_text.size() && m_text[m_pos + 1] == '"') {
          field.push_back('"');
          m_pos += 2;
          continue;
        }
        ++m_pos;
        return true;
      }
      if (c == '\r' || c == '\n') {
        if (singleLine) return true;
        // A line break inside the field is kept as it is and counted as a line.
        const bool crlf = c == '\r' && m_pos + 1 < m_text.size() && m_text[m_pos + 1] == '\n';
        field.append(m_text.substr(m_pos, crlf ? 2 : 1));
        m_pos += crlf ? 2 : 1;
        ++m_line;
        if (!overLines && m_quoteOverLines == 0) m_quoteOverLines = openedOn;
        overLines = true;
        if (LineLooksLikeRow(m_pos)) {
          m_unclosedQuote = openedOn;
          return false;
        }
        continue;
      }
      field.push_back(c);
      ++m_pos;
    }
    if (overLines) m_unclosedQuote = openedOn;
    return !overLines;
  }

  std::string_view m_text;
  char m_separator;
  std::size_t m_firstFields = 0;  // fields of the first record; 0 until it is read
  std::size_t m_rowFields = 1;
  std::size_t m_pos = 0;
  int m_line = 1;
  int m_quoteOverLines = 0;  // the line where the record's first quote over lines opened
  int m_unclosedQuote = 0;   // the line where a quote opened that ran into rows
};

bool IsEmptyRecord(const std::vector<std::string>& fields) {
  return std::ranges::all_of(fields, [](const std::string& field) {
    return std::ranges::all_of(field, [](char c) { return IsBlank(c); });
  });
}

}  // namespace

char DetectSeparator(std::string_view text) {
  const std::string_view line = FirstRecordLine(WithoutByteOrderMark(text));
  if (line.find('\t') != std::string_view::npos) return '\t';
  const auto semicolons = std::ranges::count(line, ';');
  const auto commas = std::ranges::count(line, ',');
  return semicolons > 0 && semicolons >= commas ? ';' : ',';
}

std::vector<TextRecord> SplitDelimitedText(std::string_view text, char separator) {
  std::vector<TextRecord> records;
  RecordScanner scanner(WithoutByteOrderMark(text), separator);
  while (!scanner.AtEnd()) {
    if (scanner.StartsComment()) {
      scanner.SkipLine();
      continue;
    }
    TextRecord record = scanner.ReadRecord();
    if (record.nUnclosedQuoteLine == 0 && IsEmptyRecord(record.fields)) continue;
    scanner.NoteFirstRecord(record);
    records.push_back(std::move(record));
  }
  return records;
}

void AppendDelimitedRecord(std::string& out, std::span<const std::string> fields, char separator,
                           std::string_view lineEnd) {
  bool first = true;
  for (const std::string& field : fields) {
    if (!first) out.push_back(separator);
    first = false;
    const bool quote = field.find_first_of(std::string{separator, '"', '\r', '\n'}) != std::string::npos;
    if (!quote) {
      out += field;
      continue;
    }
    out.push_back('"');
    for (char c : field) {
      if (c == '"') out.push_back('"');
      out.push_back(c);
    }
    out.push_back('"');
  }
  out += lineEnd;
}

}  // namespace qorrin
