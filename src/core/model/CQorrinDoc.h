#pragma once
// The single document: the radio image every view, dialog and transfer works on, the
// 48-byte project-file header, the band limits of the image's model, and the framework
// state a document carries (path name, title, modified flag, views to update).
//
// The document keeps its bytes to itself. Readers get the image and the header as they
// stand and read them with the field functions of the model (RecordFields.h,
// OptionFields.h, ...). Every change goes through one entry, EditImage, or one of the
// whole-image steps built on it (a new image, a load, an image read from the radio):
// there the band limits are derived again, the modified flag is set as the change says,
// and the views hear of it once. Bookkeeping (index fields, the name-present bit) goes
// through the same entry without counting as the user's change.
//
// Whether the document is modified is kept here and nowhere else: each change of the
// user's data gives the document a new revision, and a save (as a new or an opened
// document) marks the revision the file holds. The edit history keeps each step's
// revision and gives it back with the image on undo and redo, so undoing back to what
// was saved makes the document unmodified again.
//
// Messages go through the IDocumentPrompts given with SetPrompts; without one the
// document stays silent.
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/BandLimits.h"
#include "core/model/DocumentPrompts.h"
#include "core/model/FrequencyCodec.h"
#include "core/model/IndexFields.h"
#include "core/model/ModelInfo.h"
#include "core/model/OptionFields.h"
#include "core/model/ProjectFile.h"
#include "core/model/RadioImageLayout.h"
#include "core/model/RecordFields.h"

namespace qorrin {

using RadioImage = std::array<std::uint8_t, kImageSize>;
using ProjectHeader = std::array<std::uint8_t, kProjectHeaderSize>;

struct LoadResult {
  LoadStatus status = LoadStatus::Ok;
  std::string strError;           // system text for CannotOpen
  std::size_t nMissingBytes = 0;  // Ok: how many bytes the file was short of 4144
  bool ok() const { return status == LoadStatus::Ok; }
};

struct SaveResult {
  bool bOk = false;
  std::string strError;  // system text when bOk is false; "" also when the user cancelled
};

// What a change of the image is, for the modified flag and the views.
enum class ImageChange {
  Edit,         // the user's edit: modified when the edit says it changed something
  Bookkeeping,  // upkeep the user does not see as a change: never modified, views not told
};

// What a change is called where the user can undo it ("Paste of 12 channels"): a [String]
// key of the language file whose text may hold "%d", and the number for it.
struct ChangeLabel {
  std::string key = "IDS_UNDO_EDIT";
  int number = 0;
  bool operator==(const ChangeLabel&) const = default;
};

// A state of the user's data: a change that counts (not a read from the radio, not
// bookkeeping) makes a new one; states are never numbered twice.
using Revision = std::uint64_t;

// The edit history's view of the document: told of every finished change, so that it can
// keep the image as it stood after each step.
class IImageHistory {
 public:
  virtual ~IImageHistory() = default;
  // A step the user may undo: the image afterwards, and the document's revision then (the
  // one before it when the step does not count as a change of the user's data).
  virtual void Recorded(const ChangeLabel& label, const std::array<std::uint8_t, kImageSize>& after,
                        Revision revision) = 0;
  // Bookkeeping changed bytes of the current state (index fields, name bits): no step.
  virtual void Amended(const std::array<std::uint8_t, kImageSize>& current) = 0;
  // The document became a new or an opened one: the history starts again from it.
  virtual void Restarted() = 0;
};

class CQorrinDoc {
 public:
  CQorrinDoc();
  CQorrinDoc(const CQorrinDoc&) = delete;
  CQorrinDoc& operator=(const CQorrinDoc&) = delete;

  // --- reading ---
  const RadioImage& Image() const { return m_image; }
  const ProjectHeader& Header() const { return m_header; }
  const BandLimits& GetBandLimits() const { return m_limits; }
  // The image as a transfer sends it: index fields brought up to date, on a copy.
  RadioImage ImageAsSent() const;

  // --- the one entry for changes ---
  // `edit` writes the image through the field functions, with the band limits in force
  // before the change, and returns whether it changed what the user sees (only then does
  // an Edit mark the document modified). Afterwards the band limits follow the band bytes
  // and, for an Edit that changed bytes, the views are told once. Returns what `edit`
  // returned.
  using ImageEditor = std::function<bool(ImageSpan image, const BandLimits& limits)>;
  bool EditImage(ImageChange change, const ImageEditor& edit);

  // Changes made between BeginChange and the matching EndChange are one step of the edit
  // history, under the outermost label (nested scopes join the outer one). Use ChangeScope.
  void BeginChange(const ChangeLabel& label);
  void EndChange();
  // The history that hears of every change (not owned; null: none).
  void SetHistory(IImageHistory* history) { m_pHistory = history; }
  // Undo and redo: the whole image and its revision as the history kept them, no step of
  // its own; every view re-reads the document.
  void RestoreImage(const RadioImage& image, Revision revision);

  // --- messages and views ---
  void SetPrompts(IDocumentPrompts* prompts) { m_pPrompts = prompts; }  // not owned; null = silent
  using ViewCallback = std::function<void()>;
  int AddView(ViewCallback callback);  // returns an id for RemoveView
  void RemoveView(int id);
  // Every view re-reads everything (a new, opened or read image, another language).
  void UpdateAllViews();
  // Views that show the image's contents hear of each edit through these callbacks: they
  // read the values again, without closing an editor or changing texts of the language.
  int AddContentsView(ViewCallback callback);

  // --- framework state ---
  // The user's data differs from what was last saved (or opened, or made new).
  bool IsModified() const { return m_nRevision != m_nSavedRevision; }
  Revision GetRevision() const { return m_nRevision; }
  const std::string& GetPathName() const { return m_strPathName; }
  void SetPathName(const std::string& path) { m_strPathName = path; }
  std::string GetTitle() const;  // "Item" when untitled, else the file name
  // The next OnNewDocument runs without the IDS_WARN_CLEAR question (set at construction
  // for the first document).
  void SetSilentNew() { m_bSilentNew = true; }

  // --- life cycle ---
  // Header text (rest of the 48 bytes zero) and an all-zero image.
  void ResetContents();
  // First (or silent) call: reset, no path, not modified, model 0. Later calls ask
  // IDS_WARN_CLEAR first; Cancel leaves the document untouched and returns false.
  bool OnNewDocument();
  // Opens a project file; reports failures through the prompts and in the result. A file
  // that cannot be read or is no project file changes nothing at all (contents, name and
  // modified flag stay). A file short of 4144 bytes opens with a warning that names the
  // missing bytes, and counts as modified: it is not the complete file it claims to be.
  LoadResult OnOpenDocument(const std::string& path);
  // The same in two steps, for callers that ask more in between (the save-changes
  // question): the file as read and checked by ReadProjectFile, and its failure told.
  LoadResult OpenProjectFile(const std::string& path, const ProjectFileRead& file);
  void ReportUnreadable(const ProjectFileRead& file);
  // Every save ends here: writes the file (header + image, atomically), takes its name and
  // marks what it holds as saved. No question; the index fields are brought up to date
  // first when asked (as the Save command does), else written as they stand.
  enum class IndexFieldsOnSave { AsTheyStand, Update };
  SaveResult OnSaveDocument(const std::string& path, IndexFieldsOnSave fields = IndexFieldsOnSave::AsTheyStand);
  // The window's three ways to save. True when the file was written.
  enum class SaveCommand {
    Save,         // IDS_WARN_SAVE + path (when there is a path), UpdateIndexFields, then
                  // save under the path (asking for a file name when there is none)
    SaveAs,       // asks for a file name, saves the file as it stands
    SaveChanges,  // Yes to the save-changes question: as it stands, under the path or a name asked for
  };
  bool Save(SaveCommand command);
  // The Save command's handler.
  bool OnSaveCommand() { return Save(SaveCommand::Save); }

  // The project file's bytes, and the same store steps the save runs (limits recomputed).
  // A header without the project identification is replaced by the program's header
  // first, so that what is saved can be opened again.
  std::vector<std::uint8_t> SerializeStore();
  // ResetContents, then reads header and image from the bytes; limits recomputed.
  LoadStatus SerializeLoad(std::span<const std::uint8_t> bytes);

  // An image read from the radio: offsets 0x000..0x7EF are taken from `image`, the rest
  // stays the document's own; the band limits are recomputed. The modified flag and the
  // path are left alone; the caller refreshes the whole window afterwards.
  void ReplaceImage(ConstImageSpan image);

  // The frequency-range change of the main form (after its own confirmation): a new image
  // for model `index`, marked modified, views updated.
  void ChangeFrequencyRange(int index);

  // --- band limits ---
  int FindModelIndex() const;
  // A new image's band bytes, limits and defaults for model `index`.
  void SetModelInfo(int index);
  void UpdateBandLimits();
  void RefreshBandLimits();  // UpdateBandLimits, then UpdateAllViews

  // Bookkeeping before a transfer and the Save command (never a modification).
  void UpdateIndexFields();

 private:
  enum class Limits { FollowBandBytes, Derive };
  bool Commit(ImageChange change, Limits limits, const ImageEditor& edit);
  void TellHistory(ImageChange change);
  void MarkChanged() { m_nRevision = ++m_nLastRevision; }  // a change of the user's data
  void MarkSaved() { m_nSavedRevision = m_nRevision; }     // what the file holds now
  void NotifyContents();
  bool Confirm(PromptMessage message);
  void ShowError(PromptMessage message);
  void BecomeNewDocument();  // reset, untitled, not modified, model 0
  void RestartHistory();
  void ResetHeader();        // the program's header text, rest of the 48 bytes zero

  BandLimits m_limits;
  ProjectHeader m_header{};
  RadioImage m_image{};
  IDocumentPrompts* m_pPrompts = nullptr;
  IImageHistory* m_pHistory = nullptr;
  // The open change scope: how deep, its label, the image at its start.
  int m_nScopeDepth = 0;
  ChangeLabel m_scopeLabel;
  RadioImage m_scopeBefore{};
  bool m_bRestoring = false;
  std::map<int, ViewCallback> m_views;
  std::map<int, ViewCallback> m_contentsViews;
  int m_nNextViewId = 1;
  Revision m_nRevision = 0;       // of the user's data as it stands
  Revision m_nSavedRevision = 0;  // of what the file holds
  Revision m_nLastRevision = 0;   // the newest number given
  bool m_bSilentNew = true;
  std::string m_strPathName;
};

// One step of the edit history for everything changed while it lives.
class ChangeScope {
 public:
  ChangeScope(CQorrinDoc& doc, const ChangeLabel& label) : m_doc(doc) { m_doc.BeginChange(label); }
  ~ChangeScope() { m_doc.EndChange(); }
  ChangeScope(const ChangeScope&) = delete;
  ChangeScope& operator=(const ChangeScope&) = delete;

 private:
  CQorrinDoc& m_doc;
};

}  // namespace qorrin
