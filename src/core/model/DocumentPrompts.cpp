#include "core/model/DocumentPrompts.h"

#include "core/lang/LangText.h"

namespace qorrin {

std::string PromptText(const PromptMessage& message) {
  if (message.textKey.empty()) return message.appendix;
  // A count of one takes the language's singular form where it has one.
  std::string text = message.nNumber == 1 ? LoadCountText(message.textKey, 1) : LoadLangString(message.textKey);
  if (const std::size_t at = text.find("%d"); at != std::string::npos) {
    text.replace(at, 2, std::to_string(message.nNumber));
  }
  return text + message.appendix;
}

std::string PromptCaption(const PromptMessage& message) {
  return message.captionKey.empty() ? std::string() : LoadLangString(message.captionKey);
}

}  // namespace qorrin
