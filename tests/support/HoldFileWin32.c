/* The other program of the wine scenario's sharing steps: holds a file open for writing, as
 * the monitoring program holds the archive it appends to, until it is ended. With "share" it
 * lets others read and write the file; with "alone" it lets nobody in.
 *   hold-file.exe FILE share|alone     prints "held" once the file is open */
#include <stdio.h>
#include <wchar.h>
#include <windows.h>

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) return 2;
  const DWORD sharing = wcscmp(argv[2], L"share") == 0 ? FILE_SHARE_READ | FILE_SHARE_WRITE : 0;
  HANDLE file = CreateFileW(argv[1], GENERIC_READ | GENERIC_WRITE, sharing, NULL, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, NULL);
  if (file == INVALID_HANDLE_VALUE) return 1;
  puts("held");
  fflush(stdout);
  Sleep(INFINITE);
  return 0;
}
