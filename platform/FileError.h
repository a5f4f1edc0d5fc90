#pragma once
// The exception of the file layer: raised where the design lets file errors travel
// to the step that started the work (INI load and write-back, the skin reader).

#include <stdexcept>
#include <string>

#include "platform/FileSystem.h"

namespace qev {

class FileError : public std::runtime_error {
 public:
  FileError(const std::string& what, SysError code) : std::runtime_error(what), code_(code) {}
  SysError code() const { return code_; }

 private:
  SysError code_;
};

}  // namespace qev
