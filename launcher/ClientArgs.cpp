#include "launcher/ClientArgs.h"

namespace qev {

// Packed with EncodeSixBit (the operator tool's "args encode" makes such texts).
const char ClientArgs[] = "IromWtclNebx[D{j[qJ^Iro_[TwaXDSpLcCc[bomWtclF@{KYtOcLbwmZds_Y>";
const char ClientArgsAlt[] = "IromWtclNebx[D{j[qJ^IrsmWDRxNto_ZuKgVp>mSRbxQbSU";

}  // namespace qev
