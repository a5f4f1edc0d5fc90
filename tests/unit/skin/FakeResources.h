#pragma once
// Built-in bitmap resources for the tests: a name-to-picture map, counting requests.

#include <map>
#include <string>

#include "BmpMaker.h"
#include "skin/BuiltInStyles.h"

namespace qev::test {

class FakeResources : public BitmapResources {
 public:
  void Add(const std::string& name, const std::string& bmpFile) {
    bitmaps[name] = DecodeBmp(bmpFile);
  }
  bool LoadBitmapResource(std::string_view name, PlainBitmap& out) override {
    requests.emplace_back(name);
    auto it = bitmaps.find(std::string(name));
    if (it == bitmaps.end()) return false;
    out = it->second;
    return true;
  }
  std::map<std::string, PlainBitmap> bitmaps;
  std::vector<std::string> requests;
};

}  // namespace qev::test
