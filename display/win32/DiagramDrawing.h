#pragma once
// Boxes, lines and arrows for the block diagrams, laid out in pixels at 96
// dots per inch and drawn at the screen's scaling.
#include <windows.h>

#include "common/win32/LayoutScale.h"

namespace velmora::diagram {

// The diagram's own light ground over the whole window: its lines and
// labels are black, and stay readable under any colour scheme.
void Page(HDC dc, HWND window);
void Box(HDC dc, const LayoutScale& s, RECT r, const char* text, bool bold = false);
void Line(HDC dc, const LayoutScale& s, POINT from, POINT to);
void Arrow(HDC dc, const LayoutScale& s, POINT from, POINT to);  // the head at 'to'
void Label(HDC dc, const LayoutScale& s, int x, int y, const char* text);
HWND Button(HWND parent, const LayoutScale& s, int id, RECT r, const char* text);
POINT Mid(const RECT& r, char side);  // 'l', 'r', 't', 'b': the middle of that edge

}  // namespace velmora::diagram
