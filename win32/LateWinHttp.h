#pragma once
// WinHTTP, loaded on first use (see LateBinding.h).

#include <windows.h>
#include <winhttp.h>

#include "win32/LateBinding.h"

namespace qev::win32::late {

QEV_LATE_FUNCTION(L"winhttp.dll", WinHttpCloseHandle);
QEV_LATE_FUNCTION(L"winhttp.dll", WinHttpConnect);
QEV_LATE_FUNCTION(L"winhttp.dll", WinHttpCrackUrl);
QEV_LATE_FUNCTION(L"winhttp.dll", WinHttpOpen);
QEV_LATE_FUNCTION(L"winhttp.dll", WinHttpOpenRequest);
QEV_LATE_FUNCTION(L"winhttp.dll", WinHttpQueryDataAvailable);
QEV_LATE_FUNCTION(L"winhttp.dll", WinHttpQueryHeaders);
QEV_LATE_FUNCTION(L"winhttp.dll", WinHttpReadData);
QEV_LATE_FUNCTION(L"winhttp.dll", WinHttpReceiveResponse);
QEV_LATE_FUNCTION(L"winhttp.dll", WinHttpSendRequest);
QEV_LATE_FUNCTION(L"winhttp.dll", WinHttpSetOption);
QEV_LATE_FUNCTION(L"winhttp.dll", WinHttpSetTimeouts);

}  // namespace qev::win32::late
