#pragma once
// What a command works with: the file system, the standard streams and the text rule
// (UTF-8 on the terminal, GBK in files, or bytes unchanged with --raw).

#include <iosfwd>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"

namespace qev::tool {

class ToolContext {
 public:
  // gbkFs takes GBK paths (as the launcher's code passes them); rawFs takes the bytes
  // of the host's own paths and serves --raw.
  ToolContext(FileSystem& gbkFs, FileSystem& rawFs, std::istream& in, std::ostream& out,
              std::ostream& err)
      : gbkFs_(gbkFs), rawFs_(rawFs), in_(in), out_(out), err_(err) {}

  FileSystem& Fs() { return Raw ? rawFs_ : gbkFs_; }
  std::istream& In() { return in_; }
  std::ostream& Out() { return out_; }
  std::ostream& Err() { return err_; }

  bool Raw = false;

  // A text from the command line or standard input as the GBK bytes a file holds.
  // what names the argument in the usage error raised when GBK cannot write it.
  std::string FileText(std::string_view arg, std::string_view what) const;
  // A GBK text from a file as it is printed.
  std::string ScreenText(std::string_view gbk) const;
  // A path as Fs() takes it, for the host's own directory listing.
  std::string NativePath(std::string_view path) const;

 private:
  FileSystem& gbkFs_;
  FileSystem& rawFs_;
  std::istream& in_;
  std::ostream& out_;
  std::ostream& err_;
};

}  // namespace qev::tool
