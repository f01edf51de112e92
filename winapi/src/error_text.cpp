#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string_view>

namespace {

struct SystemText {
  DWORD code;
  std::string_view text;
};

// The English system texts of every code this layer reports.
constexpr SystemText kTexts[] = {
    {0, "The operation completed successfully."},
    {1, "Incorrect function."},
    {2, "The system cannot find the file specified."},
    {3, "The system cannot find the path specified."},
    {5, "Access is denied."},
    {6, "The handle is invalid."},
    {8, "Not enough memory resources are available to process this command."},
    {13, "The data is invalid."},
    {17, "The system cannot move the file to a different disk drive."},
    {19, "The media is write protected."},
    {21, "The device is not ready."},
    {32, "The process cannot access the file because it is being used by another process."},
    {33,
     "The process cannot access the file because another process has locked a portion of the "
     "file."},
    {50, "The request is not supported."},
    {87, "The parameter is incorrect."},
    {112, "There is not enough space on the disk."},
    {122, "The data area passed to a system call is too small."},
    {123, "The filename, directory name, or volume label syntax is incorrect."},
    {124, "The system call level is not correct."},
    {145, "The directory is not empty."},
    {161, "The specified path is invalid."},
    {183, "Cannot create a file when that file already exists."},
    {206, "The filename or extension is too long."},
    {234, "More data is available."},
    {259, "No more data is available."},
    {267, "The directory name is invalid."},
    {317, "The system cannot find message text for message number 0x%1 in the message file for %2."},
    {1009, "The configuration registry database is corrupt."},
    {1016,
     "An I/O operation initiated by the registry failed unrecoverably. The registry could not "
     "read in, or write out, or flush, one of the files that contain the system's image of "
     "the registry."},
    {1117, "The request could not be performed because of an I/O device error."},
    {1400, "Invalid window handle."},
    {1403, "Invalid accelerator table handle."},
    {1407, "Cannot find window class."},
    {1410, "Class already exists."},
    {1812, "The specified image file did not contain a resource section."},
    {1813, "The specified resource type cannot be found in the image file."},
    {1814, "The specified resource name cannot be found in the image file."},
    {2250, "This network connection does not exist."},
};

const SystemText* find_text(DWORD code) {
  for (const auto& entry : kTexts) {
    if (entry.code == code) return &entry;
  }
  return nullptr;
}

}  // namespace

DWORD FormatMessageA(DWORD flags, LPCVOID, DWORD messageId, DWORD, LPSTR buffer, DWORD size, void*) {
  if ((flags & FORMAT_MESSAGE_FROM_SYSTEM) == 0 || buffer == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const SystemText* entry = find_text(messageId);
  if (entry == nullptr) {
    SetLastError(ERROR_MR_MID_NOT_FOUND);
    return 0;
  }
  const std::size_t length = entry->text.size() + 2;  // with "\r\n"
  char* target = buffer;
  if (flags & FORMAT_MESSAGE_ALLOCATE_BUFFER) {
    // `size` is the least number of characters to allocate.
    const std::size_t allocation = (length + 1 > size ? length + 1 : size);
    target = static_cast<char*>(std::malloc(allocation));
    if (target == nullptr) {
      SetLastError(ERROR_NOT_ENOUGH_MEMORY);
      return 0;
    }
    *reinterpret_cast<LPSTR*>(buffer) = target;
  } else if (size < length + 1) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::memcpy(target, entry->text.data(), entry->text.size());
  std::memcpy(target + entry->text.size(), "\r\n", 3);
  return static_cast<DWORD>(length);
}

HLOCAL LocalFree(HLOCAL memory) {
  std::free(memory);
  return nullptr;
}
