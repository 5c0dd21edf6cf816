#include "sim/ImageFile.h"

#include <cctype>
#include <filesystem>

#include "core/model/ProjectFile.h"
#include "core/settings/AtomicFile.h"

namespace qorrin::sim {
namespace {
constexpr std::size_t kHeaderSize = kProjectHeaderSize;

// A file that does not exist yet becomes a project file when its name says so.
void ChooseFormatForNewFile(ImageFile& file) {
  std::string extension = std::filesystem::path(file.path).extension().string();
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  file.header.clear();
  if (extension == ".7q") {
    file.header.assign(kProjectHeaderText);
    file.header.resize(kHeaderSize, '\0');
  }
}

}  // namespace

RadioImage BlankImage() {
  RadioImage image;
  image.fill(0xFF);
  return image;
}

bool LoadImageFile(ImageFile& file, RadioImage* image, std::string* error) {
  std::error_code ec;
  if (!std::filesystem::exists(file.path, ec)) {
    ChooseFormatForNewFile(file);
    return true;
  }
  // One byte more than a project file, so a longer file is recognised as neither form.
  const FileReadResult read = ReadFileHead(file.path, kProjectFileSize + 1);
  if (!read.bOk) {
    if (error) *error = read.strError;
    return false;
  }
  const std::string bytes(read.bytes.begin(), read.bytes.end());
  std::size_t start = 0;
  if (bytes.size() == kHeaderSize + image->size()) {
    file.header = bytes.substr(0, kHeaderSize);
    start = kHeaderSize;
  } else if (bytes.size() != image->size()) {
    if (error) *error = file.path + ": neither a project file nor a 4096-byte image";
    return false;
  }
  std::copy(bytes.begin() + static_cast<std::ptrdiff_t>(start), bytes.end(), image->begin());
  return true;
}

bool SaveImageFile(const ImageFile& file, const RadioImage& image, std::string* error) {
  std::string bytes = file.header;
  bytes.append(image.begin(), image.end());
  return WriteFileAtomically(file.path, bytes, error);
}

}  // namespace qorrin::sim
