#pragma once
// How the document talks to its user without showing anything itself: it hands a
// PromptMessage to an IDocumentPrompts that the GUI implements with message boxes and a
// file dialog. Without a prompt object (the CLI) every question is answered OK, errors
// go unshown (they are also returned), and no save path is offered.
#include <optional>
#include <string>

namespace qorrin {

enum class PromptKind {
  WarnClear,        // New on a later document: "IDS_WARN_CLEAR", OK/Cancel
  WarnSave,         // Save on a document with a path: "IDS_WARN_SAVE" + path, OK/Cancel
  WarnLoad,         // not a project file: "IDS_WARN_LOAD", error
  WarnShortFile,    // a project file short of 4144 bytes: "IDS_WARN_SHORT_FILE", warning
  FileOpenFailed,   // a file could not be opened or read: system text, error
  FileWriteFailed,  // a file could not be written: system text, error
};

struct PromptMessage {
  PromptKind kind = PromptKind::WarnLoad;
  std::string textKey;     // language key of the text; empty for the file failures
  std::string appendix;    // shown right after the text, no separator (a path, a system text)
  std::string captionKey;  // language key of the caption; empty: the standard caption
  long long nNumber = 0;   // stands for "%d" in the text
};

// Text and caption as a message box shows them: LoadLangString(textKey) with "%d" as
// nNumber, + appendix (just the appendix when there is no key), LoadLangString(captionKey)
// or "".
std::string PromptText(const PromptMessage& message);
std::string PromptCaption(const PromptMessage& message);

class IDocumentPrompts {
 public:
  virtual ~IDocumentPrompts() = default;
  // OK/Cancel question with the exclamation icon; true for OK.
  virtual bool Confirm(const PromptMessage& message) = 0;
  // Error box; returns when the user has seen it.
  virtual void ShowError(const PromptMessage& message) = 0;
  // A warning that asks nothing (exclamation icon); an error box where there is no other.
  virtual void ShowWarning(const PromptMessage& message) { ShowError(message); }
  // Save-as file dialog proposing `proposedName` (the title: "Item" for a new document);
  // nothing when the user cancels.
  virtual std::optional<std::string> AskSavePath(const std::string& proposedName) = 0;
};

}  // namespace qorrin
