#include "core/model/DocumentPrompts.h"

#include "core/lang/LangText.h"

namespace qorrin {

std::string PromptText(const PromptMessage& message) {
  if (message.textKey.empty()) return message.appendix;
  // The number fills "%d"; a count of one takes the singular form where there is one.
  return LoadCountText(message.textKey, message.nNumber) + message.appendix;
}

std::string PromptCaption(const PromptMessage& message) {
  return message.captionKey.empty() ? std::string() : LoadLangString(message.captionKey);
}

}  // namespace qorrin
