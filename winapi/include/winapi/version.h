// Version information of module files (GetFileVersionInfoA, VerQueryValueA).
// A module carries it as version_resource.h writes it, in a section of its
// file of its own, so it is read from the file without loading the module.
// The block has the ANSI layout of a VS_VERSIONINFO resource: each node is
// its length, its value's length, its key (a NUL-terminated string) and its
// value, then its children, each start on a 4-byte boundary:
//
//   VS_VERSION_INFO            value: VS_FIXEDFILEINFO
//     StringFileInfo
//       040904E4               language and code page, in hexadecimal
//         CompanyName ...      value: the text, with its NUL
//     VarFileInfo
//       Translation            value: WORD language, WORD code page
#pragma once

// The name of the module file's section that holds the information.
#define WINAPI_VERSION_SECTION ".winapi_version"

#define VS_FFI_SIGNATURE 0xFEEF04BDu
#define VS_FFI_STRUCVERSION 0x00010000u
#define VS_FFI_FILEFLAGSMASK 0x0000003Fu

#define VS_FF_DEBUG 0x01u
#define VS_FF_PRERELEASE 0x02u
#define VS_FF_PATCHED 0x04u
#define VS_FF_PRIVATEBUILD 0x08u
#define VS_FF_INFOINFERRED 0x10u
#define VS_FF_SPECIALBUILD 0x20u

#define VOS_UNKNOWN 0x00000000u
#define VOS_NT 0x00040000u
#define VOS__WINDOWS32 0x00000004u
#define VOS_NT_WINDOWS32 0x00040004u

#define VFT_UNKNOWN 0x0u
#define VFT_APP 0x1u
#define VFT_DLL 0x2u
#define VFT2_UNKNOWN 0x0u

struct VS_FIXEDFILEINFO {
  DWORD dwSignature;      // VS_FFI_SIGNATURE
  DWORD dwStrucVersion;   // VS_FFI_STRUCVERSION
  DWORD dwFileVersionMS;  // major << 16 | minor
  DWORD dwFileVersionLS;  // build << 16 | revision
  DWORD dwProductVersionMS;
  DWORD dwProductVersionLS;
  DWORD dwFileFlagsMask;
  DWORD dwFileFlags;
  DWORD dwFileOS;
  DWORD dwFileType;
  DWORD dwFileSubtype;
  DWORD dwFileDateMS;
  DWORD dwFileDateLS;
};
using PUINT = UINT*;

// The size of a file's version information, for GetFileVersionInfoA; 0 on
// failure: the file's own error (ERROR_FILE_NOT_FOUND ...), not a module
// file (ERROR_RESOURCE_DATA_NOT_FOUND), a module without version information
// (ERROR_RESOURCE_TYPE_NOT_FOUND), or information that is not well formed
// (ERROR_INVALID_DATA). `handle`, when given, is set to 0.
DWORD GetFileVersionInfoSizeA(LPCSTR fileName, LPDWORD handle);

// Copies the file's version information into `data` (`length` bytes). A
// smaller buffer gets the start of it, marked as that long, so that
// VerQueryValueA finds only what was copied (less than 4 bytes:
// ERROR_INSUFFICIENT_BUFFER). `handle` is ignored.
BOOL GetFileVersionInfoA(LPCSTR fileName, DWORD handle, DWORD length, LPVOID data);

// Finds a value in a block from GetFileVersionInfoA by its path of keys
// (matched without regard to case): "\\" for the VS_FIXEDFILEINFO,
// "\\VarFileInfo\\Translation" for the language and code page pairs,
// "\\StringFileInfo\\040904E4\\FileVersion" for a text. Gives a pointer into
// the block and the value's length (bytes; for a text, its characters with
// the NUL). FALSE when there is no such value (ERROR_RESOURCE_NAME_NOT_FOUND)
// or the block is not well formed (ERROR_INVALID_DATA).
BOOL VerQueryValueA(LPCVOID block, LPCSTR subBlock, LPVOID* buffer, PUINT length);

#define GetFileVersionInfoSize GetFileVersionInfoSizeA
#define GetFileVersionInfo GetFileVersionInfoA
#define VerQueryValue VerQueryValueA
