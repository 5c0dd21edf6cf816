#pragma once
// What a store from one control of the main form or the FM dialog did: whether anything
// was written into the radio image, and whether the document became modified by it.
// Widgets call the commit functions with what the user picked and need nothing else to
// follow the rules; after a store they show the image again as the functions say.
namespace qorrin {

struct EditResult {
  bool bStored = false;    // the store ran; false: nothing was written (a choice no list offers)
  bool bModified = false;  // this store marked the document modified
};

}  // namespace qorrin
