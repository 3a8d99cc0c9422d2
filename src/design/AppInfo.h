#pragma once

#include "design/Text.h"

namespace pcbprep {

// The application title shown in title bars and the version dialog.
inline constexpr char16_t kAppTitle[] = u"pcbprep";

// "ﾊﾞｰｼﾞｮﾝ " followed by major.minor.revision in plain decimal.
Text VersionLabel(int major, int minor, int revision);

// Caption of the version dialog: the title followed by "のﾊﾞｰｼﾞｮﾝ情報".
Text VersionDialogCaption(TextView title);

}  // namespace pcbprep
