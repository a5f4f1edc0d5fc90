#pragma once
// The window's shape from its face picture: every pixel that is not the transparent
// colour belongs to the window (the runs themselves come from skin/RegionRuns).

#include <windows.h>

#include <cstdint>
#include <vector>

#include "skin/BmpDecoder.h"
#include "skin/RegionRuns.h"
#include "win32/StoredRows.h"

namespace qev::win32 {

// The union of runs as one region; an empty list gives an empty region.
HRGN RegionFromRuns(const std::vector<RegionRun>& runs, int width, int height);

// The region of a bitmap's opaque pixels (null when the bitmap cannot be read). An
// all-transparent picture gives an empty region.
HRGN RegionFromBitmap(HBITMAP bitmap, COLORREF transparent);

// The same for a 32-bit top-down DIB section, read in place without a copy. GDI does
// not report reliably which way up a section's rows run: the caller vouches for it.
// Any other bitmap is read as RegionFromBitmap reads it.
HRGN RegionFromTopDownDib(HBITMAP dib, COLORREF transparent);

// The same for a picture read in place where the program stores it.
HRGN RegionFromStoredRows(const StoredRows& rows, COLORREF transparent);

// Gives hwnd the shape (which it then owns), redrawing it. An empty shape would leave
// the window unreachable: the window then keeps its rectangle. False for a null shape.
bool ShapeWindow(HWND hwnd, HRGN shape);

// The pixels of a bitmap, top row first (each 0x00RRGGBB); false when unreadable.
bool ReadPlain(HBITMAP bitmap, PlainBitmap& out);

}  // namespace qev::win32
