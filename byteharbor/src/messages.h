// Every text ByteHarbor shows a user: error messages, help texts, the load
// banner and the module's own description. Nothing else in the module spells
// out a message.
#pragma once

namespace msg {

// ---- Module ---------------------------------------------------------------
inline constexpr char kDescription[] = "ByteHarbor Access Extension for MAXscript";
inline constexpr char kSignatureRecord[] = "QVXTByteHarbor.dlx 1.04";
inline constexpr char kHelpRecord[] =
    "HELP"
    "ByteHarbor.dlx 1.04 HELP\n"
    "This extension gives you access to binary files on disk,\n"
    "binary streams in memory, lets you manage binary data\n"
    "and gives you extended access to AppDataChunks.\n"
    "Classes implemented: BinaryFile & BinaryStream.\n"
    "Both classes have following methods:\n"
    "  flush <aFile>\n"
    "  eof <aFile>\n"
    "  close <aFile>\n"
    "  seek <aFile> <aPos> <aOrigin>\n"
    "  tell <aFile>\n"
    "  size <aFile>\n"
    "  readBinChar <aFile>\n"
    "  readBinByte <aFile>\n"
    "  readBinWord <aFile>\n"
    "  readBinInt <aFile>\n"
    "  readBinFloat <aFile>\n"
    "  readBinString <aFile>\n"
    "  writeBinChar <aFile> <aString>\n"
    "  writeBinByte <aFile> <aNumber>\n"
    "  writeBinWord <aFile> <aNumber>\n"
    "  writeBinInt <aFile> <aNumber>\n"
    "  writeBinFloat <aFile> <aNumber>\n"
    "  writeBinString <aFile> <aString>\n"
    "Function(s) implemented:\n"
    "  int2char, char2int, htonl, htons, ntohl, ntohs, setbit, testbit,\n"
    "  signIt, unsignIt, binNot, binAnd, binXor, binOr, getAppDataEx,\n"
    "  setAppDataEx, hasAppDataEx, listAppDataEx, deleteAppDataEx.\n"
    "Every utility function may be asked for usage help by calling\n"
    "with #help parameter, example:\n"
    "  int2char #help\n";

// ---- Module help registry -------------------------------------------------
inline constexpr char kMakersName[] = "QVX Studio";
inline constexpr char kBannerLoaded[] = "%s's MAXScript extension(s) loaded.\n";
inline constexpr char kBannerHint[] =
    "To get help about loaded modules execute \"qvxHelp ()\" command at listener.\n";
inline constexpr char kHelpListHeader[] = "Help for following modules is available\n";
inline constexpr char kHelpListEntry[] = "%4d. %s\n";
inline constexpr char kHelpListFooter[] =
    "To get help for a certain module call qvxHelp with modules index.\n"
    "Example:\n"
    "  qvxHelp 1\n"
    "To check for existence of a module from a script try analyzing value of\n"
    "\"qvxModules\" global variable. If any QVX's module is installed it contains\n"
    "array of signatures of currently loaded QVX's modules\n";
inline constexpr char kInvalidIndex[] = "Invalid index.\n";
inline constexpr char kRegistryUnavailable[] = "qvxModules could not be defined";

// ---- Binary files and streams ---------------------------------------------
inline constexpr char kNeeds1Argument[] = " needs 1 argument";
inline constexpr char kNeeds2Arguments[] = " needs 2 arguments";
inline constexpr char kNeeds3Arguments[] = " needs 3 arguments";
inline constexpr char kWrongOrigin[] = "Wrong origin specifier";
inline constexpr char kStreamCreationArgs[] = "BinaryStream::BinaryStream needs 1 or 0 arguments";
inline constexpr char kStreamTooLarge[] = "BinaryStream can't grow beyond 2147479999 bytes";
inline constexpr char kStreamOutOfMemory[] = "Not enough memory to grow the BinaryStream";
inline constexpr char kFileClosed[] = "Can't complete operation because the file is closed";
inline constexpr char kFileTooLarge[] = "BinaryFile position or size does not fit in 32 bits: ";
inline constexpr char kOpenBinaryFile[] = "openBinaryFile";
inline constexpr char kStreamPrintForm[] = "<BinaryStream>";
inline constexpr char kOpenFilePrintForm[] = "<BinaryFile: \"%s\">";
inline constexpr char kClosedFilePrintForm[] = "<BinaryFile: closed file>";

// ---- Integer and character functions --------------------------------------
inline constexpr char kBitIndexOutOfRange[] = "Bit index out of range.";
inline constexpr char kIncorrectDataSize[] = "Incorrect data size.";

inline constexpr char kSetBitHelp[] =
    "Usage:\n"
    "  setBit <integer> <nbit>\n"
    "Parameters:\n"
    "  <integer> - an integer number\n"
    "  <nbit> - index of bit to set, value in range [0,31]\n"
    "           bit with index 0 is the less significant bit\n"
    "           bit with index 31 is the most significant bit\n"
    "Return value:\n"
    "  the integer number with indexed bit set to 1\n";
inline constexpr char kTestBitHelp[] =
    "Usage:\n"
    "  testBit <integer> <nbit>\n"
    "Parameters:\n"
    "  <integer> - an integer number\n"
    "  <nbit> - index of bit to test, value in range [0,31]\n"
    "           bit with index 0 is the less significant bit\n"
    "           bit with index 31 is the most significant bit\n"
    "Return value:\n"
    "  true if indexed bit is 1 or false if 0\n";
inline constexpr char kSignItHelp[] =
    "Usage:\n"
    "  signIt <integer> <size>\n"
    "Parameters:\n"
    "  <integer> - an integer number 8 or 16 bit long\n"
    "  <size> - a number of bits to operate on: 8 or 16\n"
    "Return value:\n"
    "  unsigned number converted to signed number\n"
    "  with the same binary representation\n";
inline constexpr char kUnsignItHelp[] =
    "Usage:\n"
    "  unsignIt <integer> <size>\n"
    "Parameters:\n"
    "  <integer> - an integer number 8 or 16 bit long\n"
    "  <size> - a number of bits to operate on: 8 or 16\n"
    "Return value:\n"
    "  signed number converted to unsigned number\n"
    "  with the same binary representation\n";
inline constexpr char kBinNotHelp[] =
    "Usage:\n"
    "  binNot <integer>\n"
    "Parameters:\n"
    "  <integer> - an integer number\n"
    "Return value:\n"
    "  binary negation of <integer>\n";
inline constexpr char kBinAndHelp[] =
    "Usage:\n"
    "  binAnd <integer1> <integer2>\n"
    "Parameters:\n"
    "  <integer1>, <integer2> - integer numbers\n"
    "Return value:\n"
    "  <integer1> & <integer2> (C/C++ bitwise AND operator)\n";
inline constexpr char kBinXorHelp[] =
    "Usage:\n"
    "  binXor <integer1> <integer2>\n"
    "Parameters:\n"
    "  <integer1>, <integer2> - integer numbers\n"
    "Return value:\n"
    "  <integer1> ^ <integer2> (C/C++ bitwise XOR operator)\n";
inline constexpr char kBinOrHelp[] =
    "Usage:\n"
    "  binOr <integer1> <integer2>\n"
    "Parameters:\n"
    "  <integer1>, <integer2> - integer numbers\n"
    "Return value:\n"
    "  <integer1> | <integer2> (C/C++ bitwise OR operator)\n";
inline constexpr char kHtonlHelp[] =
    "Usage:\n"
    "  htonl <integer>\n"
    "Parameters:\n"
    "  <integer> - an integer number\n"
    "Return value:\n"
    "  the number (long) converted from host to network order\n";
inline constexpr char kNtohlHelp[] =
    "Usage:\n"
    "  btohl <integer>\n"
    "Parameters:\n"
    "  <integer> - an integer number\n"
    "Return value:\n"
    "  the number (long) converted from network to host order\n";
inline constexpr char kHtonsHelp[] =
    "Usage:\n"
    "  htons <integer>\n"
    "Parameters:\n"
    "  <integer> - an integer number\n"
    "Return value:\n"
    "  the number (short) converted from host to network order\n";
inline constexpr char kNtohsHelp[] =
    "Usage:\n"
    "  ntohs <integer>\n"
    "Parameters:\n"
    "  <integer> - an integer number\n"
    "Return value:\n"
    "  the number (short) converted from network to host order\n";
inline constexpr char kInt2CharHelp[] =
    "Usage:\n"
    "  int2char <integer>\n"
    "Parameters:\n"
    "  <integer> - an integer number\n"
    "Return value:\n"
    "  a character of code equal to aNumber as one character long string\n";
inline constexpr char kChar2IntHelp[] =
    "Usage:\n"
    "  char2int <string>\n"
    "Parameters:\n"
    "  <integer> - a string value\n"
    "Return value:\n"
    "  an integer number equal to code value of first character\n"
    "  of the given string,\tif the string is empty 0 is returned\n";

// ---- Extended app data ----------------------------------------------------
// After the function's name.
inline constexpr char kAppDataFormat[] = " first parameter incorrect format";
inline constexpr char kGetAppDataExWrapper[] =
    "second parameter of getAppDataEx must be an object of MAXWrapper kind";
inline constexpr char kHasAppDataExWrapper[] =
    "second parameter of hasAppDataEx must be an object of MAXWrapper kind";
inline constexpr char kSetAppDataExWrapper[] =
    "second parameter of setAppDataEx must be an object of MAXWrapper kind";
inline constexpr char kDeleteAppDataExWrapper[] =
    "second parameter of deleteAppDataEx must be an object of MAXWrapper kind";
inline constexpr char kListAppDataExWrapper[] =
    "first parameter of listAppDataEx must be an object of MAXWrapper kind";
inline constexpr char kSetAppDataExData[] =
    "fourth parameter of setAppDataEx must be a BinaryStream or a String";
// A wrapper that stands for no scene object (a deleted node); completed by it.
inline constexpr char kAppDataNoObject[] = "No scene object to hold app data: ";
inline constexpr char kAppDataNoMemory[] = "Not enough memory for the app data";

inline constexpr char kGetAppDataExHelp[] =
    "Usage:\n"
    "  getAppDataEx <classID> <aMaxObject> <slotID>\n"
    "Parameters:\n"
    "  <classID> - string - Class_ID (see description.html)\n"
    "  <aMaxObject> - instance of MAXWrapper class (objects, modifiers, animatables, etc)\n"
    "                 a max object of which AppDataChunks we want to access.\n"
    "  <slotID> - integer - a number that identifies a slot we want to access.\n"
    "Return value:\n"
    "  BinaryStream object containing AppData - if AppData found\n"
    "  undefined - if not AppData found.\n";
inline constexpr char kHasAppDataExHelp[] =
    "Usage:\n"
    "  hasAppDataEx <classID> <aMaxObject> <slotID>\n"
    "Parameters:\n"
    "  <classID> - string - Class_ID (see description.html)\n"
    "  <aMaxObject> - instance of MAXWrapper class (objects, modifiers, animatables, etc)\n"
    "                 a max object of which AppDataChunks we want to access.\n"
    "  <slotID> - integer - a number that identifies a slot we want to access.\n"
    "Return value:\n"
    "  true - if AppData exist\n"
    "  false - if AppData does not exist\n";
inline constexpr char kSetAppDataExHelp[] =
    "Usage:\n"
    "  setAppDataEx <classID> <aMaxObject> <slotID> <data> <clearOld>\n"
    "Parameters:\n"
    "  <classID> - string - Class_ID (see description.html)\n"
    "  <aMaxObject> - instance of MAXWrapper class (objects, modifiers, animatables, etc)\n"
    "                 a max object of which AppDataChunks we want to access.\n"
    "  <slotID> - integer - a number that identifies a slot we want to access.\n"
    "  <data> - String or BinaryStream that contains data to store\n"
    "  <clearOld> - true clears all AppData previously stored at this slot\n"
    "               false leaves them untouched\n"
    "Action:\n"
    "  attaches AppData to the max object\n";
inline constexpr char kDeleteAppDataExHelp[] =
    "Usage:\n"
    "  deleteAppDataEx <classID> <aMaxObject> <slotID>\n"
    "Parameters:\n"
    "  <classID> - string - Class_ID (see description.html)\n"
    "  <aMaxObject> - instance of MAXWrapper class (objects, modifiers, animatables, etc)\n"
    "                 a max object of which AppDataChunks we want to access.\n"
    "  <slotID> - integer - a number that identifies a slot we want to access.\n"
    "Action:\n"
    "  deletes referenced AppData\n";
inline constexpr char kListAppDataExHelp[] =
    "Usage:\n"
    "  listAppDataEx <aMaxObject>\n"
    "Parameters:\n"
    "  <aMaxObject> - instance of MAXWrapper class (objects, modifiers, animatables, etc)\n"
    "                 a max object of which AppDataChunks we want to access.\n"
    "Action:\n"
    "  lists ALL AppDataChunks attached to the given max object\n";

}  // namespace msg
