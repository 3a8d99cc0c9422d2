#include "netlist/NetTableLimits.h"

namespace pcbprep {

int NetTableLimits::LineSlots(TextView line) {
  if (line.empty()) return 0;
  return line.find(u'[') != TextView::npos ? 2 : 1;
}

Text NetTableLimits::pinTotalStatus(long long totalPins) const {
  return totalPins > capacity_.lineSlots ? u"OVR" : u"OK";
}

Text LimitReason(LoadFailure failure, const Capacity& capacity) {
  switch (failure) {
    case LoadFailure::TooManyLineSlots:
      return u"行数が上限（" + IntText(capacity.lineSlots) + u" 行分）を超えています。";
    case LoadFailure::TooManyNets:
      return u"ネット数が上限（" + IntText(capacity.nets) + u"）を超えています。";
    case LoadFailure::TooManyPins:
      return u"１ネットのピン数が上限（" + IntText(capacity.pinsPerNet) + u"）を超えています。";
    case LoadFailure::PartsDoNotFit:
      return u"読み込み済みの部品リストの部品数が上限（" + IntText(capacity.parts) +
             u"）を超えています。";
    default:
      return {};
  }
}

Text LimitNeedsLine(LoadFailure failure, const LimitNeeds& needs) {
  switch (failure) {
    case LoadFailure::TooManyLineSlots:
      if (needs.lineSlots > 0) {
        return u"このファイルに必要な表の行: " + IntText(needs.lineSlots) +
               u" 行分（ネットの始まりは２行分、続くピンは１行分）";
      }
      break;
    case LoadFailure::TooManyNets:
      if (needs.nets > 0) return u"このファイル: " + IntText(needs.nets) + u" ネット";
      break;
    case LoadFailure::TooManyPins:
      if (needs.pins > 0) {
        return u"このファイル: ネット " + needs.net + u" のピン数 " + IntText(needs.pins);
      }
      break;
    case LoadFailure::PartsDoNotFit:
      if (needs.parts > 0) return u"部品リスト: " + IntText(needs.parts) + u" 個";
      break;
    default:
      break;
  }
  return {};
}

}  // namespace pcbprep
