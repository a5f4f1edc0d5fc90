// Holds a file open without letting others write, rename or delete it, for a while:
//   HoldFile PATH MS [exclusive]   prints "held" once the file is open, "released" when
//                                  closed; "exclusive" also keeps others from reading it.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return 2;
  const bool exclusive = argc > 3 && wcscmp(argv[3], L"exclusive") == 0;
  HANDLE h = CreateFileW(argv[1], GENERIC_READ, exclusive ? 0 : FILE_SHARE_READ, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    printf("error %lu\n", GetLastError());
    fflush(stdout);
    return 1;
  }
  printf("held\n");
  fflush(stdout);
  Sleep(wcstoul(argv[2], nullptr, 10));
  CloseHandle(h);
  printf("released\n");
  fflush(stdout);
  return 0;
}
