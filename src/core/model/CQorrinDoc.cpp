#include "core/model/CQorrinDoc.h"

#include <algorithm>
#include <filesystem>

#include "core/model/ModelDefaults.h"
#include "core/platform/Utf8Path.h"
#include "core/settings/AtomicFile.h"

namespace qorrin {

namespace {

constexpr char kUntitledTitle[] = "Item";

bool SameBandBytes(const RadioImage& a, const RadioImage& b) {
  return std::equal(a.begin() + kBandInfo, a.begin() + kBandInfo + kBandInfoSize, b.begin() + kBandInfo);
}

}  // namespace

CQorrinDoc::CQorrinDoc() = default;

// --- the one entry ---------------------------------------------------------------------

bool CQorrinDoc::Commit(ImageChange change, Limits limits, const ImageEditor& edit) {
  const RadioImage before = m_image;
  const bool changed = edit(m_image, m_limits);
  // The limits belong to the band bytes: a change of them (or a step that asks for it)
  // derives them again.
  if (limits == Limits::Derive || !SameBandBytes(before, m_image)) m_limits = ComputeBandLimits(m_image);
  const bool bytesChanged = m_image != before;
  if (change == ImageChange::Edit) {
    if (changed) MarkChanged();
    if (bytesChanged) NotifyContents();
  }
  if (bytesChanged) TellHistory(change);
  return changed;
}

// Outside a scope each edit that changed bytes is a step of its own; inside one the scope
// makes the step when it ends. Bookkeeping only amends the state the history holds.
void CQorrinDoc::TellHistory(ImageChange change) {
  if (m_pHistory == nullptr || m_bRestoring || m_nScopeDepth > 0) return;
  if (change == ImageChange::Edit) {
    m_pHistory->Recorded(ChangeLabel{}, m_image, m_nRevision);
  } else {
    m_pHistory->Amended(m_image);
  }
}

void CQorrinDoc::BeginChange(const ChangeLabel& label) {
  if (m_nScopeDepth++ > 0) return;
  m_scopeLabel = label;
  m_scopeBefore = m_image;
}

void CQorrinDoc::EndChange() {
  if (m_nScopeDepth == 0 || --m_nScopeDepth > 0) return;
  if (m_pHistory != nullptr && m_image != m_scopeBefore) m_pHistory->Recorded(m_scopeLabel, m_image, m_nRevision);
}

void CQorrinDoc::RestoreImage(const RadioImage& image, Revision revision) {
  m_bRestoring = true;
  Commit(ImageChange::Bookkeeping, Limits::Derive, [&](ImageSpan mine, const BandLimits&) {
    std::copy(image.begin(), image.end(), mine.begin());
    return false;
  });
  m_bRestoring = false;
  m_nRevision = revision;
  UpdateAllViews();
}

void CQorrinDoc::RestartHistory() {
  if (m_pHistory != nullptr) m_pHistory->Restarted();
}

bool CQorrinDoc::EditImage(ImageChange change, const ImageEditor& edit) {
  return Commit(change, Limits::FollowBandBytes, edit);
}

RadioImage CQorrinDoc::ImageAsSent() const {
  RadioImage sent = m_image;
  qorrin::UpdateIndexFields(sent);
  return sent;
}

// --- views -----------------------------------------------------------------------------

int CQorrinDoc::AddView(ViewCallback callback) {
  const int id = m_nNextViewId++;
  m_views.emplace(id, std::move(callback));
  return id;
}

int CQorrinDoc::AddContentsView(ViewCallback callback) {
  const int id = m_nNextViewId++;
  m_contentsViews.emplace(id, std::move(callback));
  return id;
}

void CQorrinDoc::RemoveView(int id) {
  m_views.erase(id);
  m_contentsViews.erase(id);
}

namespace {

// A copy, so that a view may add or remove views while it updates.
void CallEach(const std::map<int, CQorrinDoc::ViewCallback>& views) {
  std::vector<CQorrinDoc::ViewCallback> callbacks;
  callbacks.reserve(views.size());
  for (const auto& [id, callback] : views) callbacks.push_back(callback);
  for (const CQorrinDoc::ViewCallback& callback : callbacks) {
    if (callback) callback();
  }
}

}  // namespace

void CQorrinDoc::UpdateAllViews() { CallEach(m_views); }

void CQorrinDoc::NotifyContents() { CallEach(m_contentsViews); }

// --- framework state -------------------------------------------------------------------

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

// --- life cycle ------------------------------------------------------------------------

void CQorrinDoc::ResetHeader() {
  // All 48 bytes: nothing of a header loaded before may survive behind the text.
  m_header.fill(0);
  std::copy(kProjectHeaderText.begin(), kProjectHeaderText.end(), m_header.begin());
}

void CQorrinDoc::ResetContents() {
  ResetHeader();
  Commit(ImageChange::Bookkeeping, Limits::FollowBandBytes, [](ImageSpan image, const BandLimits&) {
    std::fill(image.begin(), image.end(), 0);
    return true;
  });
}

void CQorrinDoc::BecomeNewDocument() {
  ResetContents();
  m_strPathName.clear();
  SetModelInfo(0);
  MarkSaved();
  RestartHistory();
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
  ResetHeader();
  // A file shorter than the header fills what it holds; the identification still needs
  // its 25 characters to be in the file itself.
  std::copy_n(bytes.begin(), std::min(bytes.size(), kProjectHeaderSize), m_header.begin());
  const LoadStatus status = HasProjectHeaderId(bytes) ? LoadStatus::Ok : LoadStatus::HeaderMismatch;
  Commit(ImageChange::Bookkeeping, Limits::Derive, [&](ImageSpan image, const BandLimits&) {
    std::fill(image.begin(), image.end(), 0);
    if (status == LoadStatus::Ok && bytes.size() > kProjectHeaderSize) {
      const std::size_t count = std::min(bytes.size() - kProjectHeaderSize, kImageSize);
      std::copy_n(bytes.begin() + kProjectHeaderSize, count, image.begin());
    }
    return true;
  });
  return status;
}

LoadResult CQorrinDoc::OnOpenDocument(const std::string& path) {
  const ProjectFileRead file = ReadProjectFile(path);
  if (!file.ok()) {
    ReportUnreadable(file);
    return {file.status, file.strError};
  }
  return OpenProjectFile(path, file);
}

void CQorrinDoc::ReportUnreadable(const ProjectFileRead& file) {
  if (file.status == LoadStatus::HeaderMismatch) {
    ShowError({PromptKind::WarnLoad, "IDS_WARN_LOAD", "", ""});
  } else if (file.status == LoadStatus::CannotOpen) {
    ShowError({PromptKind::FileOpenFailed, "", file.strError, ""});
  }
}

LoadResult CQorrinDoc::OpenProjectFile(const std::string& path, const ProjectFileRead& file) {
  if (!file.ok()) return {file.status, file.strError};
  SerializeLoad(file.bytes);
  m_strPathName = path;
  const std::size_t missing = file.MissingBytes();
  MarkSaved();
  if (missing > 0) MarkChanged();  // the file lacks what the document holds
  RestartHistory();
  UpdateAllViews();
  if (missing > 0) {
    PromptMessage warning{PromptKind::WarnShortFile, "IDS_WARN_SHORT_FILE", "", ""};
    warning.nNumber = static_cast<long long>(missing);
    if (m_pPrompts != nullptr) m_pPrompts->ShowWarning(warning);
  }
  return {LoadStatus::Ok, {}, missing};
}

std::vector<std::uint8_t> CQorrinDoc::SerializeStore() {
  // A header kept from a rejected file would make the saved file unreadable in its turn;
  // any header that identifies a project file is written back unchanged.
  if (!HasProjectHeaderId(m_header)) ResetHeader();
  std::vector<std::uint8_t> bytes(m_header.begin(), m_header.end());
  bytes.insert(bytes.end(), m_image.begin(), m_image.end());
  UpdateBandLimits();
  return bytes;
}

SaveResult CQorrinDoc::OnSaveDocument(const std::string& path, IndexFieldsOnSave fields) {
  if (fields == IndexFieldsOnSave::Update) UpdateIndexFields();
  const std::vector<std::uint8_t> bytes = SerializeStore();
  std::string error;
  const std::string_view data(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (!WriteFileAtomically(path, data, &error)) {
    ShowError({PromptKind::FileWriteFailed, "", error, ""});
    return {false, error};
  }
  m_strPathName = path;
  MarkSaved();
  return {true, {}};
}

bool CQorrinDoc::Save(SaveCommand command) {
  const bool saveCommand = command == SaveCommand::Save;
  if (saveCommand && !m_strPathName.empty() &&
      !Confirm({PromptKind::WarnSave, "IDS_WARN_SAVE", m_strPathName, "IDS_PROMPT"})) {
    return false;
  }
  if (saveCommand) UpdateIndexFields();
  std::string path = command == SaveCommand::SaveAs ? std::string() : m_strPathName;
  if (path.empty()) {
    std::optional<std::string> chosen;
    if (m_pPrompts != nullptr) chosen = m_pPrompts->AskSavePath(GetTitle());
    if (!chosen || chosen->empty()) return false;
    path = *chosen;
  }
  return OnSaveDocument(path).bOk;
}

void CQorrinDoc::ReplaceImage(ConstImageSpan image) {
  // A step the user may undo, which leaves the modified flag as it was.
  const ChangeScope scope(*this, {"IDS_UNDO_READ", 0});
  Commit(ImageChange::Bookkeeping, Limits::Derive, [&](ImageSpan mine, const BandLimits&) {
    std::copy_n(image.begin(), kLinkedImageSize, mine.begin());
    return true;
  });
}

void CQorrinDoc::ChangeFrequencyRange(int index) {
  const ChangeScope scope(*this, {"IDS_UNDO_RANGE", 0});
  ResetContents();
  SetModelInfo(index);
  MarkChanged();
  UpdateAllViews();
}

// --- band limits -----------------------------------------------------------------------

int CQorrinDoc::FindModelIndex() const { return qorrin::FindModelIndex(m_image); }

void CQorrinDoc::SetModelInfo(int index) {
  Commit(ImageChange::Bookkeeping, Limits::Derive, [&](ImageSpan image, const BandLimits&) {
    WriteModelBandInfo(image, index);
    return true;
  });
  // The defaults follow the limits of the band just written.
  Commit(ImageChange::Bookkeeping, Limits::FollowBandBytes, [](ImageSpan image, const BandLimits& limits) {
    ApplyModelDefaults(image, limits);
    return true;
  });
}

void CQorrinDoc::UpdateBandLimits() {
  Commit(ImageChange::Bookkeeping, Limits::Derive, [](ImageSpan, const BandLimits&) { return false; });
}

void CQorrinDoc::RefreshBandLimits() {
  UpdateBandLimits();
  UpdateAllViews();
}

void CQorrinDoc::UpdateIndexFields() {
  Commit(ImageChange::Bookkeeping, Limits::FollowBandBytes, [](ImageSpan image, const BandLimits&) {
    qorrin::UpdateIndexFields(image);
    return false;
  });
}

}  // namespace qorrin
