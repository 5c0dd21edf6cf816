#pragma once
// The single document: the radio image every view, dialog and transfer works on, the
// 48-byte project-file header, the band limits of the image's model, and the framework
// state a document carries (path name, title, modified flag, views to update).
//
// Field accessors neither mark the document modified nor refresh views: the editing views
// do that (SetModifiedFlag), so that bookkeeping writes stay invisible. Messages go through
// the IDocumentPrompts given with SetPrompts; without one the document stays silent.
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

struct LoadResult {
  LoadStatus status = LoadStatus::Ok;
  std::string strError;         // system text for CannotOpen
  std::size_t nMissingBytes = 0;  // Ok: how many bytes the file was short of 4144
  bool ok() const { return status == LoadStatus::Ok; }
};

struct SaveResult {
  bool bOk = false;
  std::string strError;  // system text when bOk is false; "" also when the user cancelled
};

class CQorrinDoc {
 public:
  CQorrinDoc();
  CQorrinDoc(const CQorrinDoc&) = delete;
  CQorrinDoc& operator=(const CQorrinDoc&) = delete;

  // --- contents (public: views and the transfer dialog read and copy them directly) ---
  std::int32_t m_nSplitLow = 0;   // two-band: upper edge of the lower band, else 0
  std::int32_t m_nSplitHigh = 0;  // two-band: lower edge of the upper band, else 0
  std::int32_t m_nFreqMin = 0;    // lowest accepted frequency (10 Hz units)
  std::int32_t m_nFreqMax = 0;    // highest accepted frequency
  std::array<std::uint8_t, kProjectHeaderSize> m_header{};
  std::array<std::uint8_t, kImageSize> m_image{};

  // --- messages and views ---
  void SetPrompts(IDocumentPrompts* prompts) { m_pPrompts = prompts; }  // not owned; null = silent
  using ViewCallback = std::function<void()>;
  int AddView(ViewCallback callback);  // returns an id for RemoveView
  void RemoveView(int id);
  void UpdateAllViews();

  // --- framework state ---
  bool IsModified() const { return m_bModified; }
  void SetModifiedFlag(bool modified = true) { m_bModified = modified; }
  const std::string& GetPathName() const { return m_strPathName; }
  void SetPathName(const std::string& path) { m_strPathName = path; }
  std::string GetTitle() const;  // "Item" when untitled, else the file name
  // The next OnNewDocument runs without the IDS_WARN_CLEAR question (set at construction
  // for the first document, and by the application before an open).
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
  // Writes the file as it stands (header + image, atomically) and takes its name; no
  // question, no index update: what Save As and the save-changes question use.
  SaveResult OnSaveDocument(const std::string& path);
  // The Save command: IDS_WARN_SAVE + path (when there is a path), UpdateIndexFields,
  // then save (asking for a file name when there is none). True when the file was written.
  bool OnSaveCommand();
  // The Save As command: asks for a file name, then OnSaveDocument.
  bool OnFileSaveAs();
  // Writes `path` as the Save command writes it (index fields updated), without questions.
  SaveResult SaveWithIndexFields(const std::string& path);

  // The project file's bytes, and the same store steps the save runs (limits recomputed).
  // A header without the project identification (kept from a rejected file) is replaced
  // by the program's header first, so that what is saved can be opened again.
  std::vector<std::uint8_t> SerializeStore();
  // ResetContents, then reads header and image from the bytes; limits recomputed.
  LoadStatus SerializeLoad(std::span<const std::uint8_t> bytes);

  // An image read from the radio: offsets 0x000..0x7EF are taken from `image`, the rest
  // stays the document's own; the band limits are recomputed. The modified flag, path
  // and views are left alone (the caller refreshes the whole window afterwards).
  void ReplaceImage(ConstImageSpan image);

  // The frequency-range change of the main form (after its own confirmation): a new image
  // for model `index`, marked modified, views updated.
  void ChangeFrequencyRange(int index);

  // --- band limits ---
  int FindModelIndex() const { return qorrin::FindModelIndex(m_image); }
  void SetModelInfo(int index);
  void UpdateBandLimits();
  void RefreshBandLimits();  // UpdateBandLimits, then UpdateAllViews
  void ApplyModelDefaults();
  BandLimits GetBandLimits() const { return {m_nSplitLow, m_nSplitHigh, m_nFreqMin, m_nFreqMax}; }
  static std::vector<std::uint8_t> HexToBytes(std::string_view text, std::size_t count) {
    return qorrin::HexToBytes(text, count);
  }

  // --- frequency codecs ---
  static std::string FormatFrequency(int value) { return qorrin::FormatFrequency(value); }
  static std::string NormalizeFrequencyText(std::string_view text) {
    return qorrin::NormalizeFrequencyText(text);
  }
  static int ParseFrequencyText(std::string_view text) { return qorrin::ParseFrequencyText(text); }
  int CheckFrequencyRange(std::string_view text) const {
    return qorrin::CheckFrequencyRange(text, GetBandLimits());
  }
  std::string GetLimitText(int which) const { return qorrin::GetLimitText(which, GetBandLimits()); }
  int SnapToChannelStep(int value) const { return qorrin::SnapToChannelStep(value, GetBandLimits()); }
  void EncodeFrequencyField(FreqField field, std::string_view text, bool snap) const {
    qorrin::EncodeFrequencyField(field, text, snap, GetBandLimits());
  }
  static std::string DecodeFrequencyField(ConstFreqField field) {
    return qorrin::DecodeFrequencyField(field);
  }

  // --- record fields (1..99 channels, 121 VFO B, 122 VFO A) ---
  std::string GetFrequencyText(int record, bool first) const {
    return qorrin::GetFrequencyText(m_image, record, first);
  }
  void SetFrequencyText(int record, bool first, std::string_view text) {
    qorrin::SetFrequencyText(m_image, GetBandLimits(), record, first, text);
  }
  std::string GetTransmitFrequencyText(int record) const {
    return qorrin::GetTransmitFrequencyText(m_image, record);
  }
  bool IsRecordEmpty(int record) const { return qorrin::IsRecordEmpty(m_image, record); }
  int ProgrammedChannelCount() const { return qorrin::ProgrammedChannelCount(m_image); }
  bool IsOffsetEmpty(int record) const { return qorrin::IsOffsetEmpty(m_image, record); }
  bool IsTransmitOff(int record) const { return qorrin::IsTransmitOff(m_image, record); }
  int GetToneCode(int record, bool receive) const { return qorrin::GetToneCode(m_image, record, receive); }
  void SetToneCode(int record, bool receive, int code) { qorrin::SetToneCode(m_image, record, receive, code); }
  bool IsToneInverted(int record, bool receive) const {
    return qorrin::IsToneInverted(m_image, record, receive);
  }
  void SetToneInverted(int record, bool receive, bool on) {
    qorrin::SetToneInverted(m_image, record, receive, on);
  }
  int GetShiftDirection(int record) const { return qorrin::GetShiftDirection(m_image, record); }
  void SetShiftDirection(int record, int direction) { qorrin::SetShiftDirection(m_image, record, direction); }
  bool IsNamePresent(int record) const { return qorrin::IsNamePresent(m_image, record); }
  void SetNamePresent(int record, bool on) { qorrin::SetNamePresent(m_image, record, on); }
  bool IsWide(int record) const { return qorrin::IsWide(m_image, record); }
  void SetWide(int record, bool on) { qorrin::SetWide(m_image, record, on); }
  bool IsHighPower(int record) const { return qorrin::IsHighPower(m_image, record); }
  void SetHighPower(int record, bool on) { qorrin::SetHighPower(m_image, record, on); }
  int GetStepIndex(int record) const { return qorrin::GetStepIndex(m_image, record); }
  void SetStepIndex(int record, int step) { qorrin::SetStepIndex(m_image, record, step); }
  std::string GetChannelName(int record) const { return qorrin::GetChannelName(m_image, record); }
  void SetChannelName(int record, std::string_view text) { qorrin::SetChannelName(m_image, record, text); }
  std::string UpdateNamePresentBit(int record) { return qorrin::UpdateNamePresentBit(m_image, record); }
  RecordBytes GetRecordBytes(int record) const { return qorrin::GetRecordBytes(m_image, record); }

  // --- option block and FM ---
  int GetSquelch() const { return qorrin::GetSquelch(m_image); }
  void SetSquelch(int level) { qorrin::SetSquelch(m_image, level); }
  int GetVoxLevel() const { return qorrin::GetVoxLevel(m_image); }
  void SetVoxLevel(int level) { qorrin::SetVoxLevel(m_image, level); }
  int GetTxTimeLimit() const { return qorrin::GetTxTimeLimit(m_image); }
  void SetTxTimeLimit(int limit) { qorrin::SetTxTimeLimit(m_image, limit); }
  int GetChannelFlag() const { return qorrin::GetChannelFlag(m_image); }
  void SetChannelFlag(int value) { qorrin::SetChannelFlag(m_image, value); }
  bool IsBusyLockout() const { return qorrin::IsBusyLockout(m_image); }
  void SetBusyLockout(bool on) { qorrin::SetBusyLockout(m_image, on); }
  bool IsKeyBeep() const { return qorrin::IsKeyBeep(m_image); }
  void SetKeyBeep(bool on) { qorrin::SetKeyBeep(m_image, on); }
  int GetChannelDisplay() const { return qorrin::GetChannelDisplay(m_image); }
  void SetChannelDisplay(int value) { qorrin::SetChannelDisplay(m_image, value); }
  bool IsPowerSave() const { return qorrin::IsPowerSave(m_image); }
  void SetPowerSave(bool on) { qorrin::SetPowerSave(m_image, on); }
  bool IsPriorityScan() const { return qorrin::IsPriorityScan(m_image); }
  void SetPriorityScan(bool on) { qorrin::SetPriorityScan(m_image, on); }
  int GetScanMode() const { return qorrin::GetScanMode(m_image); }
  void SetScanMode(int value) { qorrin::SetScanMode(m_image, value); }
  int GetBackLight() const { return qorrin::GetBackLight(m_image); }
  void SetBackLight(int value) { qorrin::SetBackLight(m_image, value); }
  int GetPriorityChannel() const { return qorrin::GetPriorityChannel(m_image); }
  void SetPriorityChannel(int channel) { qorrin::SetPriorityChannel(m_image, channel); }
  int GetFmFrequency() const { return qorrin::GetFmFrequency(m_image); }
  void SetFmFrequency(int index) { qorrin::SetFmFrequency(m_image, index); }
  int GetFmPreset(int preset) const { return qorrin::GetFmPreset(m_image, preset); }
  void SetFmPreset(int preset, int index) { qorrin::SetFmPreset(m_image, preset, index); }
  bool IsChannelInUse(int channel) const { return qorrin::IsChannelInUse(m_image, channel); }

  void UpdateIndexFields() { qorrin::UpdateIndexFields(m_image); }

 private:
  bool Confirm(PromptMessage message);
  void ShowError(PromptMessage message);
  void BecomeNewDocument();  // reset, untitled, not modified, model 0
  void ResetHeader();        // the program's header text, rest of the 48 bytes zero

  IDocumentPrompts* m_pPrompts = nullptr;
  std::map<int, ViewCallback> m_views;
  int m_nNextViewId = 1;
  bool m_bModified = false;
  bool m_bSilentNew = true;
  std::string m_strPathName;
};

}  // namespace qorrin
