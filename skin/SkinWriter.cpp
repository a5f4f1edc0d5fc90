#include "skin/SkinWriter.h"

#include <zlib.h>

#include <stdexcept>

#include "skin/PkCipher.h"
#include "skin/SUI2SkinReader.h"

namespace qev {
namespace {

void Put16(std::string& s, uint32_t v) {
  s += static_cast<char>(v & 0xFF);
  s += static_cast<char>((v >> 8) & 0xFF);
}
void Put32(std::string& s, uint32_t v) {
  Put16(s, v & 0xFFFF);
  Put16(s, v >> 16);
}

std::string RawDeflate(std::string_view data, int level) {
  z_stream z{};
  if (deflateInit2(&z, level, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY) != Z_OK)
    throw std::runtime_error("deflateInit2 failed");
  std::string out(deflateBound(&z, static_cast<uLong>(data.size())) + 16, '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  z.avail_in = static_cast<uInt>(data.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  int r = deflate(&z, Z_FINISH);
  out.resize(z.total_out);
  deflateEnd(&z);
  if (r != Z_STREAM_END) throw std::runtime_error("deflate failed");
  return out;
}

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
  Put32(d, static_cast<uint32_t>(value));
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
  Put32(out, kSkinHeaderSize);
  Put32(out, 0);
  Put32(out, kSkinHeaderSize);
  uint32_t dataAt = static_cast<uint32_t>(kSkinHeaderSize + (values.size() + 1) * kSkinRecordSize);
  for (size_t i = 0; i < values.size(); ++i) {
    const SkinValue& v = values[i];
    if (v.Name.size() > 64) throw std::invalid_argument("skin value name longer than 64 bytes");
    std::string name = v.Name;
    name.resize(64, '\0');
    out += name;
    out += static_cast<char>(v.Kind);
    Put32(out, dataAt);
    Put32(out, static_cast<uint32_t>(v.Data.size()));
    Put32(out, static_cast<uint32_t>(kSkinHeaderSize + (i + 1) * kSkinRecordSize));
    dataAt += static_cast<uint32_t>(v.Data.size());
  }
  out.append(kSkinRecordSize, '\0');  // the closing record: NextOffset 0
  for (const SkinValue& v : values) out += v.Data;
  return out;
}

std::string BuildSkinContainer(const std::vector<SkinContainerEntry>& entries,
                               std::string_view password, uint32_t seed) {
  std::string body, dir;
  const uint16_t flags = password.empty() ? 0 : 1;
  const uint32_t dosTime = 0x5A8C6000;  // 2025-04-12 12:00:00, a fixed stamp
  for (const SkinContainerEntry& e : entries) {
    uint32_t crc = static_cast<uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(e.Data.data()), static_cast<uInt>(e.Data.size())));
    std::string data = RawDeflate(e.Data, e.Level);
    if (flags) data = Encipher(password, crc, data, seed);
    uint32_t offset = static_cast<uint32_t>(body.size());

    body += "SK\3\4";
    Put16(body, 20);
    Put16(body, flags);
    Put16(body, e.Method);
    Put32(body, dosTime);
    Put32(body, crc);
    Put32(body, static_cast<uint32_t>(data.size()));
    Put32(body, static_cast<uint32_t>(e.Data.size()));
    Put16(body, static_cast<uint32_t>(e.Name.size()));
    Put16(body, 0);
    body += e.Name;
    body += data;

    dir += "PK\1\2";
    Put16(dir, 20);
    Put16(dir, 20);
    Put16(dir, flags);
    Put16(dir, e.Method);
    Put32(dir, dosTime);
    Put32(dir, crc);
    Put32(dir, static_cast<uint32_t>(data.size()));
    Put32(dir, static_cast<uint32_t>(e.Data.size()));
    Put16(dir, static_cast<uint32_t>(e.Name.size()));
    Put32(dir, 0);  // extra and comment lengths
    Put32(dir, 0);  // disk number, internal attributes
    Put32(dir, 0);  // external attributes
    Put32(dir, offset);
    dir += e.Name;
  }
  std::string out = body + dir;
  out += "PK\5\6";
  Put32(out, 0);
  Put16(out, static_cast<uint32_t>(entries.size()));
  Put16(out, static_cast<uint32_t>(entries.size()));
  Put32(out, static_cast<uint32_t>(dir.size()));
  Put32(out, static_cast<uint32_t>(body.size()));
  Put16(out, 0);
  return out;
}

}  // namespace qev
