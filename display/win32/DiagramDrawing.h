#pragma once
// Boxes, lines and arrows for the block diagrams.
#include <windows.h>

namespace velmora::diagram {

void Box(HDC dc, RECT r, const char* text, bool bold = false);
void Line(HDC dc, POINT from, POINT to);
void Arrow(HDC dc, POINT from, POINT to);  // the head at 'to'
void Label(HDC dc, int x, int y, const char* text);
HWND Button(HWND parent, int id, RECT r, const char* text);
POINT Mid(const RECT& r, char side);  // 'l', 'r', 't', 'b': the middle of that edge

}  // namespace velmora::diagram
