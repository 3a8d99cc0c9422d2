#include "design/AppInfo.h"

namespace pcbprep {

Text VersionLabel(int major, int minor, int revision) {
  return u"ﾊﾞｰｼﾞｮﾝ " + IntText(major) + u"." + IntText(minor) + u"." + IntText(revision);
}

Text VersionDialogCaption(TextView title) { return Text(title) + u"のﾊﾞｰｼﾞｮﾝ情報"; }

}  // namespace pcbprep
