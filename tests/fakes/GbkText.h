#pragma once
// UTF-8 to GBK for readable test expectations, through the C library's converter so that
// it stays independent of the byte tables of the code under test. Header-only: only the
// host tree's tests use it, and the Windows tree's C library has no converter.

#include <iconv.h>

#include <stdexcept>
#include <string>

namespace qev::test {

inline std::string Gbk(const std::string& utf8) {
  iconv_t cd = iconv_open("GBK", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("no GBK converter");
  std::string in = utf8;
  std::string out(in.size() * 2 + 4, '\0');
  char* src = in.data();
  size_t srcLeft = in.size();
  char* dst = out.data();
  size_t dstLeft = out.size();
  const size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
  iconv_close(cd);
  if (r == static_cast<size_t>(-1)) throw std::runtime_error("not convertible: " + utf8);
  out.resize(out.size() - dstLeft);
  return out;
}

}  // namespace qev::test
