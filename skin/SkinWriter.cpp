#include "skin/SkinWriter.h"

#include <stdexcept>

#include "base/LittleEndian.h"
#include "skin/PkCipher.h"
#include "skin/SUI2SkinReader.h"
#include "zip/ZipWriter.h"

namespace qev {
namespace {

std::string Encipher(std::string_view password, uint32_t crc, std::string_view data,
                     uint32_t& seed) {
  PkCipher cipher(password);
  std::string out;
  out.reserve(12 + data.size());
  for (int i = 0; i < 11; ++i) {
    seed = seed * 1103515245u + 12345u;
    out += static_cast<char>(cipher.EncryptByte(static_cast<uint8_t>(seed >> 16)));
  }
  out += static_cast<char>(cipher.EncryptByte(static_cast<uint8_t>(crc >> 24)));
  for (char c : data) out += static_cast<char>(cipher.EncryptByte(static_cast<uint8_t>(c)));
  return out;
}

}  // namespace

SkinValue SkinValue::Bitmap(std::string name, std::string bmpFile) {
  return {std::move(name), kSkinBitmap, std::move(bmpFile)};
}
SkinValue SkinValue::Integer(std::string name, int32_t value) {
  std::string d;
  AppendLe32(d, static_cast<uint32_t>(value));
  return {std::move(name), kSkinInteger, d};
}
SkinValue SkinValue::Boolean(std::string name, bool value) {
  return {std::move(name), kSkinBoolean, std::string(1, value ? '\1' : '\0')};
}
SkinValue SkinValue::Text(std::string name, std::string text) {
  return {std::move(name), kSkinText, std::move(text)};
}

std::string BuildSkinData(const std::vector<SkinValue>& values) {
  std::string out(12, '\0');
  AppendLe32(out, kSkinHeaderSize);
  AppendLe32(out, 0);
  AppendLe32(out, kSkinHeaderSize);
  uint32_t dataAt = static_cast<uint32_t>(kSkinHeaderSize + (values.size() + 1) * kSkinRecordSize);
  for (size_t i = 0; i < values.size(); ++i) {
    const SkinValue& v = values[i];
    if (v.Name.size() > 64) throw std::invalid_argument("skin value name longer than 64 bytes");
    std::string name = v.Name;
    name.resize(64, '\0');
    out += name;
    out += static_cast<char>(v.Kind);
    AppendLe32(out, dataAt);
    AppendLe32(out, static_cast<uint32_t>(v.Data.size()));
    AppendLe32(out, static_cast<uint32_t>(kSkinHeaderSize + (i + 1) * kSkinRecordSize));
    dataAt += static_cast<uint32_t>(v.Data.size());
  }
  out.append(kSkinRecordSize, '\0');  // the closing record: NextOffset 0
  for (const SkinValue& v : values) out += v.Data;
  return out;
}

std::string BuildSkinContainer(const std::vector<SkinContainerEntry>& entries,
                               std::string_view password, uint32_t seed) {
  ZipWriter zip;
  std::vector<size_t> localHeaders;
  for (const SkinContainerEntry& e : entries) {
    ZipWriterEntry header;
    header.Name = e.Name;
    header.DosDateTime = 0x5A8C6000;  // 2025-04-12 12:00:00, a fixed stamp
    header.ExternalAttributes = 0;
    header.Flags = password.empty() ? 0 : 1;
    header.Method = e.Method;
    uint32_t crc = ZipCrc32(e.Data);
    std::string data = RawDeflate(e.Data, e.Level);
    if (header.Flags) data = Encipher(password, crc, data, seed);
    localHeaders.push_back(zip.AddPacked(header, crc, e.Data.size(), data));
  }
  std::string out = zip.Finish();
  // The skin files mark their local headers "SK" where an archive has "PK".
  for (size_t at : localHeaders) out.replace(at, 2, "SK");
  return out;
}

}  // namespace qev
