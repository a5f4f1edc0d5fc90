#pragma once
// The CNG crypto primitives, loaded on first use (see LateBinding.h).

#include <windows.h>
// bcrypt.h needs the types of windows.h before it.
#include <bcrypt.h>

#include "win32/LateBinding.h"

namespace qev::win32::late {

QEV_LATE_FUNCTION(L"bcrypt.dll", BCryptCloseAlgorithmProvider);
QEV_LATE_FUNCTION(L"bcrypt.dll", BCryptCreateHash);
QEV_LATE_FUNCTION(L"bcrypt.dll", BCryptDestroyHash);
QEV_LATE_FUNCTION(L"bcrypt.dll", BCryptDestroyKey);
QEV_LATE_FUNCTION(L"bcrypt.dll", BCryptExportKey);
QEV_LATE_FUNCTION(L"bcrypt.dll", BCryptFinalizeKeyPair);
QEV_LATE_FUNCTION(L"bcrypt.dll", BCryptFinishHash);
QEV_LATE_FUNCTION(L"bcrypt.dll", BCryptGenerateKeyPair);
QEV_LATE_FUNCTION(L"bcrypt.dll", BCryptHashData);
QEV_LATE_FUNCTION(L"bcrypt.dll", BCryptImportKeyPair);
QEV_LATE_FUNCTION(L"bcrypt.dll", BCryptOpenAlgorithmProvider);
QEV_LATE_FUNCTION(L"bcrypt.dll", BCryptSignHash);
QEV_LATE_FUNCTION(L"bcrypt.dll", BCryptVerifySignature);

}  // namespace qev::win32::late
