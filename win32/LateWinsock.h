#pragma once
// WinSock, loaded on first use (see LateBinding.h). Include before <windows.h>.

#include <windows.h>
#include <winsock2.h>

#include "win32/LateBinding.h"

namespace qev::win32::late {

QEV_LATE_FUNCTION(L"ws2_32.dll", WSAAsyncGetHostByName);
QEV_LATE_FUNCTION(L"ws2_32.dll", WSAAsyncGetServByName);
QEV_LATE_FUNCTION(L"ws2_32.dll", WSAAsyncSelect);
QEV_LATE_FUNCTION(L"ws2_32.dll", WSACancelAsyncRequest);
QEV_LATE_FUNCTION(L"ws2_32.dll", WSACleanup);
QEV_LATE_FUNCTION(L"ws2_32.dll", WSAGetLastError);
QEV_LATE_FUNCTION(L"ws2_32.dll", WSAStartup);
QEV_LATE_FUNCTION(L"ws2_32.dll", closesocket);
QEV_LATE_FUNCTION(L"ws2_32.dll", connect);
QEV_LATE_FUNCTION(L"ws2_32.dll", gethostbyname);
QEV_LATE_FUNCTION(L"ws2_32.dll", htons);
QEV_LATE_FUNCTION(L"ws2_32.dll", inet_addr);
QEV_LATE_FUNCTION(L"ws2_32.dll", ioctlsocket);
QEV_LATE_FUNCTION(L"ws2_32.dll", recv);
QEV_LATE_FUNCTION(L"ws2_32.dll", select);
QEV_LATE_FUNCTION(L"ws2_32.dll", socket);

}  // namespace qev::win32::late
