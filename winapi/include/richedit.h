// Rich-edit control messages and records.
#pragma once

#include <windows.h>

#define EM_SETCHARFORMAT (WM_USER + 68)
#define SCF_SELECTION 0x0001
#define CFM_COLOR 0x40000000
#define LF_FACESIZE 32

struct CHARFORMATA {
  UINT cbSize;
  DWORD dwMask;
  DWORD dwEffects;
  LONG yHeight;
  LONG yOffset;
  COLORREF crTextColor;
  BYTE bCharSet;
  BYTE bPitchAndFamily;
  char szFaceName[LF_FACESIZE];
};
using CHARFORMAT = CHARFORMATA;
static_assert(sizeof(CHARFORMATA) == 60, "CHARFORMAT keeps its Windows layout");
