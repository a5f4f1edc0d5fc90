#include "skin/SUI2SkinReader.h"

#include <set>

#include "base/LittleEndian.h"
#include "skin/AsciiCase.h"
#include "skin/SkinContainer.h"

namespace qev {
namespace {

template <typename T>
const T* FindFirst(const std::vector<std::pair<std::string, T>>& list, std::string_view name) {
  for (const auto& [n, v] : list)
    if (SameNameIgnoringCase(n, name)) return &v;
  return nullptr;
}

[[noreturn]] void Damaged(const char* why) { throw SkinError(std::string("skin data: ") + why); }

// The bytes [offset, offset + size) of the data, or a raise when they leave it.
std::string_view Slice(std::string_view data, uint32_t offset, uint32_t size) {
  if (offset > data.size() || data.size() - offset < size) Damaged("offset outside the file");
  return data.substr(offset, size);
}

struct Record {
  std::string name;
  uint8_t kind = 0;
  uint32_t dataOffset = 0, dataSize = 0, nextOffset = 0;
};

Record ReadRecord(std::string_view data, uint32_t offset) {
  std::string_view r = Slice(data, offset, kSkinRecordSize);
  Record rec;
  std::string_view name = r.substr(0, 64);
  rec.name = std::string(name.substr(0, name.find('\0')));
  rec.kind = static_cast<uint8_t>(r[64]);
  rec.dataOffset = LoadLe32(r, 65);
  rec.dataSize = LoadLe32(r, 69);
  rec.nextOffset = LoadLe32(r, 73);
  return rec;
}

}  // namespace

Tsk2SkinFileReader::Tsk2SkinFileReader(FileSystem& fs, const std::string& skinPath,
                                       const std::string& password) {
  uint8_t result = ReadSkinEntry(fs, skinPath, kSkinDataEntryName, password, data_);
  if (result == kSkinEntryRefused) {
    data_.clear();
    return;
  }
  if (result != kSkinEntryDone) throw SkinError(kSkinReadFailedText);
  Parse();
}

Tsk2SkinFileReader::Tsk2SkinFileReader(std::string_view skinData) : data_(skinData) { Parse(); }

void Tsk2SkinFileReader::Parse() {
  const std::string_view data = data_;
  std::string_view header = Slice(data, 0, 16);
  if (LoadLe32(header, 12) != kSkinHeaderSize) Damaged("header size is not 24");
  header = Slice(data, 0, kSkinHeaderSize);
  uint32_t offset = LoadLe32(header, 20);
  std::set<uint32_t> visited;
  int64_t pixels = 0;  // many records may name one large bitmap: bound the sum
  for (Record rec = ReadRecord(data, offset); rec.nextOffset != 0; rec = ReadRecord(data, offset)) {
    if (!visited.insert(offset).second) Damaged("record chain loops");
    // A record of an unknown kind is skipped without looking at its data.
    bool known = rec.kind <= kSkinText;
    std::string_view value = known ? Slice(data, rec.dataOffset, rec.dataSize) : std::string_view();
    switch (rec.kind) {
      case kSkinBitmap: {
        const BmpShape shape = CheckBmp(value);
        pixels += static_cast<int64_t>(shape.Width) * shape.Height;
        if (pixels > kMaxBmpPixels) Damaged("bitmaps too large in total");
        Picture picture;
        picture.offset = rec.dataOffset;
        picture.size = rec.dataSize;
        bitmaps_.emplace_back(rec.name, std::move(picture));
        break;
      }
      case kSkinInteger:
        if (value.size() != 4) Damaged("integer value is not 4 bytes");
        integers_.emplace_back(rec.name, std::to_string(static_cast<int32_t>(LoadLe32(value, 0))));
        break;
      case kSkinBoolean:
        if (value.size() != 1) Damaged("boolean value is not 1 byte");
        booleans_.emplace_back(rec.name, std::to_string(static_cast<uint8_t>(value[0])));
        break;
      case kSkinText:
        texts_.emplace_back(rec.name, std::string(value));
        break;
      default:
        break;  // unknown kinds are skipped
    }
    offset = rec.nextOffset;
  }
  loaded_ = true;
}

const PlainBitmap* Tsk2SkinFileReader::GetBitmap(std::string_view name) const {
  const Picture* picture = FindFirst(bitmaps_, name);
  if (!picture) return nullptr;
  if (!picture->decoded) {
    // Checked when loaded: this decode cannot fail.
    picture->bitmap = DecodeBmp(std::string_view(data_).substr(picture->offset, picture->size));
    picture->decoded = true;
  }
  return &picture->bitmap;
}

int32_t Tsk2SkinFileReader::GetInteger(std::string_view name) const {
  const std::string* v = FindFirst(integers_, name);
  return v ? static_cast<int32_t>(std::stol(*v)) : -1;
}

bool Tsk2SkinFileReader::GetBoolean(std::string_view name) const {
  const std::string* v = FindFirst(booleans_, name);
  return v && *v != "0";
}

}  // namespace qev
