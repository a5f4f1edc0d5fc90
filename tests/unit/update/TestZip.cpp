#include "tests/unit/update/TestZip.h"

#include <zlib.h>

#include <cstdint>
#include <stdexcept>

namespace qev::test {

namespace {

void Put16(std::string& s, uint32_t v) {
  s.push_back(static_cast<char>(v & 0xFF));
  s.push_back(static_cast<char>((v >> 8) & 0xFF));
}

void Put32(std::string& s, uint32_t v) {
  Put16(s, v & 0xFFFF);
  Put16(s, v >> 16);
}

std::string RawDeflate(const std::string& data) {
  z_stream z{};
  if (deflateInit2(&z, 9, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
    throw std::runtime_error("deflateInit2");
  std::string out(deflateBound(&z, data.size()) + 16, '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  z.avail_in = static_cast<uInt>(data.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  int rc = deflate(&z, Z_FINISH);
  out.resize(z.total_out);
  deflateEnd(&z);
  if (rc != Z_STREAM_END) throw std::runtime_error("deflate");
  return out;
}

constexpr uint32_t kDosTime = (12 << 11) | (30 << 5);               // 12:30:00
constexpr uint32_t kDosDate = ((2009 - 1980) << 9) | (3 << 5) | 1;  // 2009-03-01

}  // namespace

std::string MakeZip(const std::vector<std::pair<std::string, std::string>>& members) {
  std::string out, central;
  for (const auto& [name, content] : members) {
    const std::string packed = RawDeflate(content);
    const uint32_t crc =
        crc32(0, reinterpret_cast<const Bytef*>(content.data()), static_cast<uInt>(content.size()));
    const uint32_t offset = static_cast<uint32_t>(out.size());
    Put32(out, 0x04034b50);
    Put16(out, 20);
    Put16(out, 0);
    Put16(out, 8);
    Put16(out, kDosTime);
    Put16(out, kDosDate);
    Put32(out, crc);
    Put32(out, static_cast<uint32_t>(packed.size()));
    Put32(out, static_cast<uint32_t>(content.size()));
    Put16(out, static_cast<uint32_t>(name.size()));
    Put16(out, 0);
    out += name;
    out += packed;

    Put32(central, 0x02014b50);
    Put16(central, 20);
    Put16(central, 20);
    Put16(central, 0);
    Put16(central, 8);
    Put16(central, kDosTime);
    Put16(central, kDosDate);
    Put32(central, crc);
    Put32(central, static_cast<uint32_t>(packed.size()));
    Put32(central, static_cast<uint32_t>(content.size()));
    Put16(central, static_cast<uint32_t>(name.size()));
    Put16(central, 0);
    Put16(central, 0);
    Put16(central, 0);
    Put16(central, 0);
    Put32(central, 0x20);
    Put32(central, offset);
    central += name;
  }
  const uint32_t centralOffset = static_cast<uint32_t>(out.size());
  out += central;
  Put32(out, 0x06054b50);
  Put16(out, 0);
  Put16(out, 0);
  Put16(out, static_cast<uint32_t>(members.size()));
  Put16(out, static_cast<uint32_t>(members.size()));
  Put32(out, static_cast<uint32_t>(central.size()));
  Put32(out, centralOffset);
  Put16(out, 0);
  return out;
}

}  // namespace qev::test
