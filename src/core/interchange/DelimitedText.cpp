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

// Walks a text record by record, counting lines (CRLF, LF and CR each end one).
class RecordScanner {
 public:
  RecordScanner(std::string_view text, char separator) : m_text(text), m_separator(separator) {}

  bool AtEnd() const { return m_pos >= m_text.size(); }
  int Line() const { return m_line; }

  void SkipLine() {
    while (!AtEnd() && !IsLineBreak(m_text[m_pos])) ++m_pos;
    SkipLineBreak();
  }

  bool StartsComment() const { return !AtEnd() && m_text[m_pos] == '#'; }

  std::vector<std::string> ReadRecord() {
    std::vector<std::string> fields;
    while (true) {
      fields.push_back(ReadField());
      if (!AtEnd() && m_text[m_pos] == m_separator) {
        ++m_pos;
        continue;
      }
      SkipLineBreak();
      return fields;
    }
  }

 private:
  void SkipLineBreak() {
    if (AtEnd()) return;
    if (m_text[m_pos] == '\r' && m_pos + 1 < m_text.size() && m_text[m_pos + 1] == '\n') ++m_pos;
    ++m_pos;
    ++m_line;
  }

  bool AtFieldEnd() const {
    return AtEnd() || m_text[m_pos] == m_separator || IsLineBreak(m_text[m_pos]);
  }

  std::string ReadField() {
    std::string field;
    // Spaces before an opening quote are not part of a quoted field.
    std::size_t look = m_pos;
    while (look < m_text.size() && IsBlank(m_text[look]) && m_text[look] != m_separator) ++look;
    if (look < m_text.size() && m_text[look] == '"') {
      m_pos = look + 1;
      ReadQuoted(field);
    }
    // Unquoted text, or whatever follows a closing quote, up to the end of the field.
    const std::size_t start = m_pos;
    while (!AtFieldEnd()) ++m_pos;
    field.append(m_text.substr(start, m_pos - start));
    return field;
  }

  void ReadQuoted(std::string& field) {
    while (!AtEnd()) {
      const char c = m_text[m_pos];
      if (c == '"') {
        if (m_pos + 1 < m_text.size() && m_text[m_pos + 1] == '"') {
          field.push_back('"');
          m_pos += 2;
          continue;
        }
        ++m_pos;
        return;
      }
      if (c == '\r' || c == '\n') {
        // A line break inside the field is kept as it is and counted as a line.
        const bool crlf = c == '\r' && m_pos + 1 < m_text.size() && m_text[m_pos + 1] == '\n';
        field.append(m_text.substr(m_pos, crlf ? 2 : 1));
        m_pos += crlf ? 2 : 1;
        ++m_line;
        continue;
      }
      field.push_back(c);
      ++m_pos;
    }
  }

  std::string_view m_text;
  char m_separator;
  std::size_t m_pos = 0;
  int m_line = 1;
};

bool IsEmptyRecord(const std::vector<std::string>& fields) {
  return std::ranges::all_of(fields, [](const std::string& field) {
    return std::ranges::all_of(field, [](char c) { return IsBlank(c); });
  });
}

}  // namespace

char DetectSeparator(std::string_view text) {
  text = WithoutByteOrderMark(text);
  // The first line that is neither blank nor a comment.
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = pos;
    while (end < text.size() && !IsLineBreak(text[end])) ++end;
    const std::string_view line = text.substr(pos, end - pos);
    if (!line.starts_with('#') && !std::ranges::all_of(line, [](char c) { return IsBlank(c); })) {
      if (line.find('\t') != std::string_view::npos) return '\t';
      const auto semicolons = std::ranges::count(line, ';');
      const auto commas = std::ranges::count(line, ',');
      return semicolons > 0 && semicolons >= commas ? ';' : ',';
    }
    pos = end + 1;
  }
  return ',';
}

std::vector<TextRecord> SplitDelimitedText(std::string_view text, char separator) {
  std::vector<TextRecord> records;
  RecordScanner scanner(WithoutByteOrderMark(text), separator);
  while (!scanner.AtEnd()) {
    if (scanner.StartsComment()) {
      scanner.SkipLine();
      continue;
    }
    TextRecord record;
    record.nLine = scanner.Line();
    record.fields = scanner.ReadRecord();
    if (!IsEmptyRecord(record.fields)) records.push_back(std::move(record));
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
