#pragma once
// The simulated radio's memory on disk: a project file (48-byte header + 4096-byte image)
// or a bare 4096-byte image. Saved back in the form it was loaded in.
#include <string>

#include "sim/RadioProtocol.h"

namespace qorrin::sim {

struct ImageFile {
  std::string path;
  std::string header;  // the 48 header bytes of a project file; empty for a bare image
};

// A blank radio: every byte 0xFF, as erased memory reads.
RadioImage BlankImage();

// Loads `file.path` into *image; a missing file leaves *image as it is and returns true
// (the file is created at the first save: a project file when the name ends in .7Q, else
// a bare image). False with a reason for a file of another size.
bool LoadImageFile(ImageFile& file, RadioImage* image, std::string* error);

// Replaces the file atomically with the image (behind the header if it had one).
bool SaveImageFile(const ImageFile& file, const RadioImage& image, std::string* error);

}  // namespace qorrin::sim
