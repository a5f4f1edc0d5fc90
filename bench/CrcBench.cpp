// FileCrc32 over a 256 MiB file against zlib's crc32() reading the same file in pieces
// of the same size through the same file layer (MB/s, best of three; the file is read
// once first so both see it in the page cache). A second comparison runs both over one
// 64 MiB buffer in memory, without the file layer.

#include <zlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <vector>

#include "bench/Bench.h"
#include "config/Crc32.h"
#include "posix/PosixFileSystem.h"

namespace qev::bench {
namespace {

constexpr size_t kFileSize = 256u << 20;
constexpr size_t kPiece = 256 * 1024;  // FileCrc32's own read size

std::string MakeFile() {
  const std::string path = "build/crcbench-256mib.bin";
  if (std::filesystem::exists(path) && std::filesystem::file_size(path) == kFileSize) return path;
  std::filesystem::create_directories("build");
  std::ofstream out(path, std::ios::binary);
  std::mt19937_64 rng(256);
  std::vector<uint64_t> block((1u << 20) / 8);
  for (size_t done = 0; done < kFileSize; done += 1u << 20) {
    for (auto& w : block) w = rng();
    out.write(reinterpret_cast<const char*>(block.data()), 1 << 20);
  }
  return path;
}

uint32_t ZlibFileCrc(FileSystem& fs, const std::string& path) {
  std::unique_ptr<InputFile> in;
  if (fs.OpenRead(path, in)) return 0;
  std::vector<unsigned char> buf(kPiece);
  uLong crc = crc32(0L, Z_NULL, 0);
  for (;;) {
    size_t got = 0;
    if (in->Read(buf.data(), buf.size(), got) || got == 0) break;
    crc = crc32(crc, buf.data(), static_cast<uInt>(got));
  }
  return static_cast<uint32_t>(crc);
}

template <class Fn>
double BestMbPerSecond(size_t bytes, Fn fn) {
  double best = 0;
  for (int i = 0; i < 3; ++i) {
    const double t0 = Now();
    fn();
    const double t = Now() - t0;
    best = std::max(best, bytes / 1e6 / t);
  }
  return best;
}

}  // namespace

QEV_BENCH_CASE(crc_file) {
  const std::string path = MakeFile();
  PosixFileSystem fs;
  uint32_t ours = 0, theirs = 0;
  ZlibFileCrc(fs, path);  // into the page cache
  const double oursRate = BestMbPerSecond(kFileSize, [&] { ours = FileCrc32(fs, path).Crc; });
  const double zlibRate = BestMbPerSecond(kFileSize, [&] { theirs = ZlibFileCrc(fs, path); });
  std::printf("  crc ours %08X zlib %08X%s\n", ours, theirs, ours == theirs ? "" : "  MISMATCH");
  Compare("crc_file_256mib_mb_per_s", oursRate, "zlib", zlibRate, true);

  std::vector<unsigned char> mem(64u << 20);
  std::mt19937 rng(64);
  for (auto& b : mem) b = static_cast<unsigned char>(rng());
  uint32_t reg = 0;
  const double memOurs = BestMbPerSecond(mem.size(), [&] {
    reg = 0xFFFFFFFFu;
    for (size_t p = 0; p < mem.size(); p += kPiece) Crc32Update(mem.data() + p, kPiece, reg);
  });
  uLong z = 0;
  const double memZlib = BestMbPerSecond(mem.size(), [&] {
    z = crc32(0L, Z_NULL, 0);
    for (size_t p = 0; p < mem.size(); p += kPiece) z = crc32(z, mem.data() + p, kPiece);
  });
  if ((reg ^ 0xFFFFFFFFu) != z) std::printf("  in-memory MISMATCH\n");
  Compare("crc_memory_mb_per_s", memOurs, "zlib", memZlib, true);
}

}  // namespace qev::bench
