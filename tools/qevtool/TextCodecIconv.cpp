#include <iconv.h>

#include <cerrno>

#include "TextCodec.h"

namespace qev::tool {

namespace {

constexpr char kReplacementUtf8[] = "\xEF\xBF\xBD";

class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool Ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts as much as it can; in and left tell where it stopped.
  bool Run(const char*& in, size_t& left, std::string& out) {
    char buf[256];
    while (left > 0) {
      char* dst = buf;
      size_t room = sizeof buf;
      size_t r = iconv(cd_, const_cast<char**>(&in), &left, &dst, &room);
      out.append(buf, static_cast<size_t>(dst - buf));
      if (r == static_cast<size_t>(-1) && errno != E2BIG) return false;
    }
    return true;
  }

 private:
  iconv_t cd_;
};

}  // namespace

bool Utf8ToGbk(std::string_view utf8, std::string& gbk) {
  gbk.clear();
  Converter conv("GBK", "UTF-8");
  if (!conv.Ok()) return false;
  const char* in = utf8.data();
  size_t left = utf8.size();
  return conv.Run(in, left, gbk);
}

bool GbkToUtf8Strict(std::string_view gbk, std::string& utf8) {
  utf8.clear();
  Converter conv("UTF-8", "GBK");
  if (!conv.Ok()) return false;
  const char* in = gbk.data();
  size_t left = gbk.size();
  return conv.Run(in, left, utf8);
}

std::string GbkToUtf8(std::string_view gbk) {
  std::string out;
  Converter conv("UTF-8", "GBK");
  if (!conv.Ok()) return std::string(gbk);
  const char* in = gbk.data();
  size_t left = gbk.size();
  while (!conv.Run(in, left, out)) {
    // Skip one undecodable byte and mark the place, so a damaged value still prints.
    out += kReplacementUtf8;
    ++in;
    --left;
  }
  return out;
}

}  // namespace qev::tool
