// The skin container, its Deflate decoder and the record chain, fed arbitrary bytes.
// The first byte picks what the rest is: a container (with or without a password),
// SKINDATA.SK2 bytes, or a bare Deflate stream.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "skin/BmpDecoder.h"
#include "skin/SUI2SkinReader.h"
#include "skin/SkinContainer.h"
#include "skin/SkinInflate.h"

namespace {

void ParseChain(std::string_view bytes) {
  try {
    qev::Tsk2SkinFileReader reader(bytes);
    reader.GetBitmap("SKIN2_BUTTON");
    reader.GetInteger("SKIN2_FORMCOLOR");
    reader.GetBoolean("SKIN2_TRANSPARENT");
  } catch (const qev::SkinError&) {
  } catch (const qev::BmpError&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  std::string out;
  switch (data[0] % 4) {
    case 0:
    case 1: {
      uint8_t r = qev::ExtractSkinEntryFromBytes(rest, qev::kSkinDataEntryName,
                                                 data[0] % 4 ? "pw" : "", out);
      if (r == qev::kSkinEntryDone) ParseChain(out);
      break;
    }
    case 2:
      ParseChain(rest);
      break;
    default:
      qev::InflateBuffer(rest, 1 << 22, out);
      break;
  }
  return 0;
}
