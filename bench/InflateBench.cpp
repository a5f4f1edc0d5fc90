// The skin decoder's throughput (MB/s of output) on every stream of the corpus's
// deflate/ folder, against zlib's raw inflate and libdeflate on the same stream.
// Each decoder writes into a buffer allocated beforehand; best of seven rounds.

#include <libdeflate.h>
#include <zlib.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "bench/Bench.h"
#include "skin/SkinInflate.h"

namespace qev::bench {
namespace {

std::string Load(const std::filesystem::path& p) {
  std::ifstream f(p, std::ios::binary);
  std::stringstream ss;
  ss << f.rdbuf();
  return ss.str();
}

class ViewSource : public InflateSource {
 public:
  explicit ViewSource(std::string_view d) : d_(d) {}
  // The skin reader decodes from memory too.
  bool Whole(const uint8_t*& data, size_t& n) override {
    data = reinterpret_cast<const uint8_t*>(d_.data());
    n = d_.size();
    d_ = {};
    return true;
  }
  bool Read(uint8_t* buf, size_t n, size_t& got) override {
    got = std::min(n, d_.size());
    std::memcpy(buf, d_.data(), got);
    d_.remove_prefix(got);
    return true;
  }

 private:
  std::string_view d_;
};

class BufferSink : public InflateSink {
 public:
  explicit BufferSink(std::vector<uint8_t>& out) : out_(out) {}
  bool Write(const uint8_t* data, size_t n) override {
    if (n > out_.size() - used) return false;
    std::memcpy(out_.data() + used, data, n);
    used += n;
    return true;
  }
  size_t used = 0;

 private:
  std::vector<uint8_t>& out_;
};

size_t Ours(const std::string& in, std::vector<uint8_t>& out) {
  ViewSource src(in);
  BufferSink sink(out);
  SkinInflater inflater(src, sink, out.size());
  return inflater.Run() == InflateStatus::Ok ? sink.used : 0;
}

size_t Zlib(const std::string& in, std::vector<uint8_t>& out) {
  z_stream z{};
  inflateInit2(&z, -MAX_WBITS);
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
  z.avail_in = static_cast<uInt>(in.size());
  z.next_out = out.data();
  z.avail_out = static_cast<uInt>(out.size());
  int r = inflate(&z, Z_FINISH);
  size_t n = z.total_out;
  inflateEnd(&z);
  return r == Z_STREAM_END ? n : 0;
}

size_t Libdeflate(const std::string& in, std::vector<uint8_t>& out) {
  static libdeflate_decompressor* d = libdeflate_alloc_decompressor();
  size_t n = 0;
  return libdeflate_deflate_decompress(d, in.data(), in.size(), out.data(), out.size(), &n) ==
                 LIBDEFLATE_SUCCESS
             ? n
             : 0;
}

using Decoder = size_t (*)(const std::string&, std::vector<uint8_t>&);

// Best MB/s of each decoder over seven rounds; the decoders take turns within a round
// so that a change in the machine's load hits all of them alike.
std::vector<double> BestMBs(const std::vector<Decoder>& decoders, const std::string& in,
                            std::vector<uint8_t>& out, const std::string& expected) {
  std::vector<double> best(decoders.size(), 1e30);
  for (int round = 0; round < 7; ++round) {
    for (size_t d = 0; d < decoders.size(); ++d) {
      double t0 = Now();
      size_t n = decoders[d](in, out);
      double t = Now() - t0;
      if (n != expected.size() || std::memcmp(out.data(), expected.data(), n) != 0) {
        std::printf("  wrong output from decoder %zu (%zu bytes)\n", d, n);
        return std::vector<double>(decoders.size(), 0);
      }
      best[d] = std::min(best[d], t);
    }
  }
  for (double& b : best) b = expected.size() / 1e6 / b;
  return best;
}

}  // namespace

QEV_BENCH_CASE(skin_inflate) {
  std::string corpus = CorpusDir();
  if (corpus.empty()) {
    std::printf("  no corpus (run make_corpus.sh build/corpus)\n");
    return;
  }
  std::vector<std::filesystem::path> streams;
  for (const auto& e : std::filesystem::directory_iterator(corpus + "/deflate"))
    if (e.path().extension() == ".deflate") streams.push_back(e.path());
  std::sort(streams.begin(), streams.end());
  for (const auto& p : streams) {
    std::string name = p.stem().string();  // e.g. mixed32.zlib6
    std::string source = name.substr(0, name.find('.'));
    std::string in = Load(p), expected = Load(p.parent_path() / (source + ".bin"));
    std::vector<uint8_t> out(expected.size() + 65536);
    std::vector<double> mbs = BestMBs({Ours, Zlib, Libdeflate}, in, out, expected);
    double ours = mbs[0], zlib = mbs[1], libdeflate = mbs[2];
    std::printf("  %-30s ours %.0f MB/s, zlib %.0f MB/s, libdeflate %.0f MB/s\n", name.c_str(),
                ours, zlib, libdeflate);
    Compare("skin_inflate/" + name, ours, "zlib", zlib, true);
    Compare("skin_inflate/" + name, ours, "libdeflate", libdeflate, true);
  }
}

}  // namespace qev::bench
