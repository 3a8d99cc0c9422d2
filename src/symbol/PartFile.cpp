#include "symbol/PartFile.h"

namespace pcbprep {

Text PartFileBaseName(TextView path) {
  // Library paths come from both worlds, so either separator ends a folder name.
  const std::size_t separator = path.find_last_of(u"\\/");
  TextView name = separator == TextView::npos ? path : path.substr(separator + 1);
  return Text(name.substr(0, name.find(u'.')));
}

}  // namespace pcbprep
