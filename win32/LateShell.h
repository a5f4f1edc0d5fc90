#pragma once
// The shell and COM, loaded on first use (see LateBinding.h).

#include <ole2.h>
#include <oleauto.h>
#include <shellapi.h>
#include <windows.h>

#include "win32/LateBinding.h"

namespace qev::win32::late {

QEV_LATE_FUNCTION(L"shell32.dll", ShellExecuteW);
QEV_LATE_FUNCTION(L"shell32.dll", Shell_NotifyIconW);

QEV_LATE_FUNCTION(L"ole32.dll", CoCreateInstance);
QEV_LATE_FUNCTION(L"ole32.dll", CoInitializeEx);
QEV_LATE_FUNCTION(L"ole32.dll", CoUninitialize);
QEV_LATE_FUNCTION(L"ole32.dll", OleInitialize);
QEV_LATE_FUNCTION(L"ole32.dll", OleSetContainedObject);
QEV_LATE_FUNCTION(L"ole32.dll", OleUninitialize);

QEV_LATE_FUNCTION(L"oleaut32.dll", SysAllocStringLen);
QEV_LATE_FUNCTION(L"oleaut32.dll", SysFreeString);
QEV_LATE_FUNCTION(L"oleaut32.dll", VariantInit);

}  // namespace qev::win32::late
