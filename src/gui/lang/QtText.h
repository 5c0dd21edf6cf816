#pragma once
// The core speaks UTF-8 std::string; Qt speaks QString. These are the only conversions.
#include <QString>
#include <string>

namespace qorrin::gui {

inline QString Qt(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }
inline std::string Std(const QString& text) { return text.toUtf8().toStdString(); }

// A label's text without its '&' mnemonic markers ("&&" stays one '&'): the name a
// screen reader announces.
QString PlainText(const QString& label);

// LoadLangString as a QString.
QString LangText(const char* key);

}  // namespace qorrin::gui
