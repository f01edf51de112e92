// System message texts: FormatMessageA and the local heap that holds the texts
// it allocates.
#pragma once

#define FORMAT_MESSAGE_ALLOCATE_BUFFER 0x00000100
#define FORMAT_MESSAGE_IGNORE_INSERTS 0x00000200
#define FORMAT_MESSAGE_FROM_STRING 0x00000400
#define FORMAT_MESSAGE_FROM_HMODULE 0x00000800
#define FORMAT_MESSAGE_FROM_SYSTEM 0x00001000
#define FORMAT_MESSAGE_ARGUMENT_ARRAY 0x00002000
#define FORMAT_MESSAGE_MAX_WIDTH_MASK 0x000000FF

#define LANG_NEUTRAL 0x00
#define SUBLANG_DEFAULT 0x01
#define MAKELANGID(p, s) ((((WORD)(s)) << 10) | (WORD)(p))

// Only FORMAT_MESSAGE_FROM_SYSTEM is supported as a source. With
// FORMAT_MESSAGE_ALLOCATE_BUFFER, `buffer` is really an LPSTR* that receives a
// text to be released with LocalFree. Texts end in "\r\n" as Windows' do.
DWORD FormatMessageA(DWORD flags, LPCVOID source, DWORD messageId, DWORD languageId, LPSTR buffer, DWORD size,
                     void* arguments);

HLOCAL LocalFree(HLOCAL memory);
