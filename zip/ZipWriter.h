#pragma once
// Writing a ZIP archive in memory: each member a local header with the sizes in it (no
// data descriptor) and its data, then the central directory and an end record with no
// archive comment. Only the plain format: sizes, offsets and counts must fit its fields.

#include <cstdint>
#include <string>
#include <string_view>

namespace qev {

// What a member's local header and its directory entry say besides CRC and sizes.
struct ZipWriterEntry {
  std::string Name;                    // stored name, written as given
  uint32_t DosDateTime = 0;            // date in the high 16 bits, time in the low 16 bits
  uint32_t ExternalAttributes = 0x20;  // Windows attributes: archive
  uint16_t Flags = 0;                  // bit 0: the data is enciphered
  uint16_t Method = 8;                 // written as given; AddDeflated always deflates
};

// Raw Deflate (no zlib header or trailer) at a zlib level. Raises ZipError when zlib fails
// or data is too large for a plain ZIP member.
std::string RawDeflate(std::string_view data, int level = 9);

// The CRC-32 that ZIP records carry.
uint32_t ZipCrc32(std::string_view data);

class ZipWriter {
 public:
  // Deflates data at level and adds it; returns the offset of the member's local header.
  // Raises ZipError as RawDeflate does, or when the member would leave the plain format.
  size_t AddDeflated(const ZipWriterEntry& entry, std::string_view data, int level = 9);

  // Adds data the caller has packed (and perhaps enciphered); crc and plainSize describe
  // the plain data. Returns the offset of the local header; raises ZipError as above.
  size_t AddPacked(const ZipWriterEntry& entry, uint32_t crc, uint64_t plainSize,
                   std::string_view packed);

  // The whole archive as it stands.
  std::string Finish() const;

 private:
  std::string members_, directory_;
  uint32_t count_ = 0;
};

}  // namespace qev
