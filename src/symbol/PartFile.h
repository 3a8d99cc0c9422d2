#pragma once

#include "design/Text.h"

namespace pcbprep {

// The symbol name of a chosen part file: the last path component (after "\" or "/"),
// cut at its first dot. "C:\lib\QFP.44.CHI" gives "QFP".
Text PartFileBaseName(TextView path);

}  // namespace pcbprep
