#include "core/model/CQorrinDoc.h"

#include <algorithm>
#include <filesystem>

#include "core/platform/Utf8Path.h"
#include "core/settings/AtomicFile.h"
#include "core/model/ModelDefaults.h"

namespace qorrin {

namespace {

constexpr char kUntitledTitle[] = "Item";

}  // namespace

CQorrinDoc::CQorrinDoc() = default;

int CQorrinDoc::AddView(ViewCallback callback) {
  const int id = m_nNextViewId++;
  m_views.emplace(id, std::move(callback));
  return id;
}

void CQorrinDoc::RemoveView(int id) { m_views.erase(id); }

void CQorrinDoc::UpdateAllViews() {
  // A copy, so that a view may add or remove views while it updates.
  std::vector<ViewCallback> views;
  views.reserve(m_views.size());
  for (const auto& [id, callback] : m_views) views.push_back(callback);
  for (const ViewCallback& callback : views) {
    if (callback) callback();
  }
}

std::string CQorrinDoc::GetTitle() const {
  if (m_strPathName.empty()) return kUntitledTitle;
  return platform::PathUtf8(platform::Utf8Path(m_strPathName).filename());
}

bool CQorrinDoc::Confirm(PromptMessage message) {
  return m_pPrompts == nullptr || m_pPrompts->Confirm(message);
}

void CQorrinDoc::ShowError(PromptMessage message) {
  if (m_pPrompts != nullptr) m_pPrompts->ShowError(message);
}

void CQorrinDoc::ResetHeader() {
  // All 48 bytes: nothing of a header loaded before may survive behind the text.
  m_header.fill(0);
  std::copy(kProjectHeaderText.begin(), kProjectHeaderText.end(), m_header.begin());
}

void CQorrinDoc::ResetContents() {
  ResetHeader();
  m_image.fill(0);
}

void CQorrinDoc::BecomeNewDocument() {
  ResetContents();
  m_strPathName.clear();
  m_bModified = false;
  SetModelInfo(0);
}

bool CQorrinDoc::OnNewDocument() {
  if (m_bSilentNew) {
    m_bSilentNew = false;
  } else if (!Confirm({PromptKind::WarnClear, "IDS_WARN_CLEAR", "", "IDS_PROMPT"})) {
    return false;  // Cancel: nothing at all changes
  }
  BecomeNewDocument();
  UpdateAllViews();
  return true;
}

LoadStatus CQorrinDoc::SerializeLoad(std::span<const std::uint8_t> bytes) {
  ResetContents();
  // A file shorter than the header fills what it holds; the identification still needs
  // its 25 characters to be in the file itself.
  std::copy_n(bytes.begin(), std::min(bytes.size(), kProjectHeaderSize), m_header.begin());
  const LoadStatus status = HasProjectHeaderId(bytes) ? LoadStatus::Ok : LoadStatus::HeaderMismatch;
  if (status == LoadStatus::Ok && bytes.size() > kProjectHeaderSize) {
    const std::size_t count = std::min(bytes.size() - kProjectHeaderSize, kImageSize);
    std::copy_n(bytes.begin() + kProjectHeaderSize, count, m_image.begin());
  }
  m_nSplitLow = 0;
  m_nSplitHigh = 0;
  UpdateBandLimits();
  return status;
}

LoadResult CQorrinDoc::OnOpenDocument(const std::string& path) {
  LoadResult result;
  FileReadResult file = ReadFileHead(path, kProjectFileSize);
  if (!file.bOk) {
    ShowError({PromptKind::FileOpenFailed, "", file.strError, ""});
    BecomeNewDocument();
    UpdateAllViews();
    return {LoadStatus::CannotOpen, file.strError};
  }
  result.status = SerializeLoad(file.bytes);
  m_bModified = false;
  if (result.ok()) {
    m_strPathName = path;
  } else {
    // Keeping the name would let the next Save overwrite the foreign file with zeros.
    m_strPathName.clear();
    ShowError({PromptKind::WarnLoad, "IDS_WARN_LOAD", "", ""});
  }
  UpdateAllViews();
  return result;
}

std::vector<std::uint8_t> CQorrinDoc::SerializeStore() {
  // A header kept from a rejected file would make the saved file unreadable in its turn;
  // any header that identifies a project file is written back unchanged.
  if (!HasProjectHeaderId(m_header)) ResetHeader();
  std::vector<std::uint8_t> bytes(m_header.begin(), m_header.end());
  bytes.insert(bytes.end(), m_image.begin(), m_image.end());
  m_nSplitLow = 0;
  m_nSplitHigh = 0;
  UpdateBandLimits();
  return bytes;
}

SaveResult CQorrinDoc::OnSaveDocument(const std::string& path) {
  const std::vector<std::uint8_t> bytes = SerializeStore();
  std::string error;
  const std::string_view data(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (!WriteFileAtomically(path, data, &error)) {
    ShowError({PromptKind::FileWriteFailed, "", error, ""});
    return {false, error};
  }
  m_strPathName = path;
  m_bModified = false;
  return {true, {}};
}

bool CQorrinDoc::OnSaveCommand() {
  if (!m_strPathName.empty() &&
      !Confirm({PromptKind::WarnSave, "IDS_WARN_SAVE", m_strPathName, "IDS_PROMPT"})) {
    return false;
  }
  UpdateIndexFields();
  std::string path = m_strPathName;
  if (path.empty()) {
    std::optional<std::string> chosen;
    if (m_pPrompts != nullptr) chosen = m_pPrompts->AskSavePath(GetTitle());
    if (!chosen || chosen->empty()) return false;
    path = *chosen;
  }
  return OnSaveDocument(path).bOk;
}

bool CQorrinDoc::OnFileSaveAs() {
  if (m_pPrompts == nullptr) return false;
  const std::optional<std::string> chosen = m_pPrompts->AskSavePath(GetTitle());
  if (!chosen || chosen->empty()) return false;
  return OnSaveDocument(*chosen).bOk;
}

SaveResult CQorrinDoc::SaveWithIndexFields(const std::string& path) {
  UpdateIndexFields();
  return OnSaveDocument(path);
}

void CQorrinDoc::ReplaceImage(ConstImageSpan image) {
  std::copy_n(image.begin(), kLinkedImageSize, m_image.begin());
  m_nSplitLow = 0;
  m_nSplitHigh = 0;
  UpdateBandLimits();
}

void CQorrinDoc::ChangeFrequencyRange(int index) {
  ResetContents();
  SetModelInfo(index);
  m_bModified = true;
  UpdateAllViews();
}

void CQorrinDoc::SetModelInfo(int index) {
  WriteModelBandInfo(m_image, index);
  m_nSplitLow = 0;
  m_nSplitHigh = 0;
  UpdateBandLimits();
  ApplyModelDefaults();
}

void CQorrinDoc::UpdateBandLimits() {
  const BandLimits limits = ComputeBandLimits(m_image);
  m_nSplitLow = limits.m_nSplitLow;
  m_nSplitHigh = limits.m_nSplitHigh;
  m_nFreqMin = limits.m_nFreqMin;
  m_nFreqMax = limits.m_nFreqMax;
}

void CQorrinDoc::RefreshBandLimits() {
  UpdateBandLimits();
  UpdateAllViews();
}

void CQorrinDoc::ApplyModelDefaults() { qorrin::ApplyModelDefaults(m_image, GetBandLimits()); }

}  // namespace qorrin
