#include "ToolContext.h"

#include "TextCodec.h"
#include "ToolErrors.h"

namespace qev::tool {

std::string ToolContext::FileText(std::string_view arg, std::string_view what) const {
  if (Raw) return std::string(arg);
  std::string gbk;
  if (!Utf8ToGbk(arg, gbk))
    throw UsageError(std::string(what) + " cannot be written in GBK (or is not UTF-8)");
  return gbk;
}

std::string ToolContext::ScreenText(std::string_view gbk) const {
  return Raw ? std::string(gbk) : GbkToUtf8(gbk);
}

std::string ToolContext::NativePath(std::string_view path) const {
  if (Raw) return std::string(path);
  std::string native;
  if (!GbkToUtf8Strict(path, native)) throw UsageError("a path is not GBK text");
  return native;
}

}  // namespace qev::tool
