#pragma once
// Helpers of the Windows tests: waiting for window messages, GBK expectations.

#include <windows.h>

#include <functional>
#include <string>

namespace qev::test {

// Dispatches the thread's window messages until done() holds or limitMs have passed
// (a guard against a hang, not a measurement); the last value of done().
bool PumpUntil(const std::function<bool()>& done, DWORD limitMs = 5000);
// Dispatches the thread's window messages for ms.
void PumpFor(DWORD ms);

// A UTF-8 text as GBK (the system's converter for code page 936), for readable
// expectations; UTF-16 likewise.
std::string Gbk(const std::string& utf8);
std::wstring Wide(const std::string& utf8);

}  // namespace qev::test
