// The host's message texts, in one place. Each area of the host keeps its
// texts in its own section; a text that several places raise is defined once.
#pragma once

namespace host::msg {

// ---- Language and evaluator ------------------------------------------------

// Listener line prefixes of the kinds of script error.
inline constexpr const char* kArgCountErrorPrefix = "-- Argument count error: ";
inline constexpr const char* kTypeErrorPrefix = "-- Type error: ";
inline constexpr const char* kRuntimeErrorPrefix = "-- Runtime error: ";
inline constexpr const char* kConversionErrorPrefix = "-- Unable to convert: ";
inline constexpr const char* kUnknownPropertyPrefix = "-- Unknown property: ";
inline constexpr const char* kSyntaxErrorPrefix = "-- Syntax error: at ";
// "-- No ""+"" function for undefined": the function's name in doubled quotes.
inline constexpr const char* kNoMethodPrefix = "-- No \"\"";
inline constexpr const char* kNoMethodFor = "\"\" function for ";

inline constexpr const char* kCallNeedsFunction = "Call needs function or class";
inline constexpr const char* kAsNeedsClass = "as needs a class";
inline constexpr const char* kStackOverflow = "Stack overflow";
inline constexpr const char* kExitOutsideLoop = "exit outside of a loop";
inline constexpr const char* kContinueOutsideLoop = "continue outside of a loop";
inline constexpr const char* kBareThrowOutsideCatch =
    "throw() with no arguments is only allowed inside catch";
inline constexpr const char* kReadOnlySystemGlobal = "Cannot assign to a read-only system global";
// A generic function applied to nothing.
inline constexpr const char* kGenericApply = "Generic apply";
// C++ exceptions that host or module code lets out become runtime errors.
inline constexpr const char* kOutOfMemoryIn = "Out of memory in ";
inline constexpr const char* kOutOfMemory = "Out of memory";
inline constexpr const char* kCppExceptionIn = "C++ exception in ";
inline constexpr const char* kCppException = "C++ exception: ";
inline constexpr const char* kUnknownCppExceptionIn = "Unknown C++ exception in ";
inline constexpr const char* kUnknownCppException = "Unknown C++ exception";
inline constexpr const char* kOutOfMemoryForFrame = "Out of memory for a script frame";
// A run stopped from outside the script (the fuzzer's step bound).
inline constexpr const char* kInterrupted = "** interrupted **";
// Script text the reader refuses.
inline constexpr const char* kNulCharacter = "NUL character";
inline constexpr const char* kStringWithoutNul = "a string without NUL characters";
// Script files: each is completed by the path.
inline constexpr const char* kCannotOpenScript = "Cannot open script file: ";
inline constexpr const char* kFileInCannotOpen = "fileIn: cannot open file: ";
inline constexpr const char* kFileInSyntaxError = "fileIn: syntax error in ";
// Structs: "Attempting to access private member: "c" in: #Struct:S(...)".
inline constexpr const char* kPrivateMember = "Attempting to access private member: ";
inline constexpr const char* kUnknownStructMember = "Unknown struct member: ";
// Loops.
inline constexpr const char* kForStepZero = "for loop step must not be zero";
// max <command words>, completed by the words.
inline constexpr const char* kUnknownMaxCommand = "Unknown max command: ";

// ---- Numbers, time and maths -----------------------------------------------

inline constexpr const char* kIntegerDivideByZero = "Integer divide by zero";
inline constexpr const char* kDivideByZero = "Divide by zero";
// Completed by the time in frames: "Time out of range: 1.6e+10f".
inline constexpr const char* kTimeOutOfRange = "Time out of range: ";
inline constexpr const char* kTimeLiteralRange = "a time of at most 2147483647 ticks either side of 0";
inline constexpr const char* kFrameRateRange = "frameRate must be between 1 and 4800, got: ";
// Completed by the bit index: "Bit index out of range: 33".
inline constexpr const char* kBitIndexOutOfRange = "Bit index out of range: ";
inline constexpr const char* kByteIndexOutOfRange = "Byte index out of range: ";
inline constexpr const char* kCharacterCodeOutOfRange = "Character code out of range: ";
inline constexpr const char* kNotAHexNumber = "Not a hexadecimal number: ";

// ---- Geometry values and colours -------------------------------------------

// Completed by the class and the index: "Point2 index out of range: 3".
inline constexpr const char* kIndexOutOfRange = " index out of range: ";
inline constexpr const char* kMatrixNotInvertible = "Matrix3 has no inverse: ";
inline constexpr const char* kMatrix3Wants = "matrix3 wants 0, 1 or four rows, got: ";
inline constexpr const char* kEulerOrderRange = "Euler angle order must be 1 to 9, got: ";

// ---- Strings, arrays and bit arrays ----------------------------------------

// Completed by the kind of value: "Array index must be positive number, got: 0".
inline constexpr const char* kIndexMustBePositive = " index must be positive number, got: ";
inline constexpr const char* kBitArrayIndexTooLarge = "BitArray index too large: ";
// Completed the same way: "Array index too large for memory: 1000000000".
inline constexpr const char* kTooLargeForMemory = " too large for memory: ";
inline constexpr const char* kArrayOutOfMemory = "Out of memory for an array";
inline constexpr const char* kStringOutOfMemory = "Out of memory for a string";
inline constexpr const char* kCountMustNotBeNegative = " count must not be negative, got: ";
inline constexpr const char* kStringIndexOutOfRange = "String index out of range: ";
inline constexpr const char* kSingleCharacterNeeded = "String element must be a single character, got: ";
inline constexpr const char* kDeleteItemOutOfRange = "deleteItem index out of range: ";
inline constexpr const char* kReplaceOutOfRange = "replace range lies outside the string: ";
inline constexpr const char* kQsortNeedsFunction = "qsort needs a function to compare with, got: ";
inline constexpr const char* kQsortStartOutOfRange = "qsort start: out of range: ";
inline constexpr const char* kQsortEndOutOfRange = "qsort end: out of range: ";
inline constexpr const char* kQsortEndBeforeStart = "qsort end: comes before start: ";
inline constexpr const char* kPatternNeeded = "matchPattern needs a pattern: argument";
inline constexpr const char* kFormatNotUnderstood = "formattedPrint format not understood: ";
inline constexpr const char* kNestedTooDeep = "Values nested too deeply in ";

// ---- Files, streams and processes ------------------------------------------

// Each is completed by the stream's printed form, e.g. "... <File:a.txt>".
inline constexpr const char* kStreamClosed = "Attempted to access a closed file: ";
inline constexpr const char* kStreamNotReadable = "FileStream not open for reading: ";
inline constexpr const char* kStreamNotWritable = "FileStream not open for writing: ";
inline constexpr const char* kReadPastEnd = "Read past end of file: ";
inline constexpr const char* kWriteFailed = "Error writing to file: ";
// Completed by the offset asked for.
inline constexpr const char* kSeekOutOfRange = "Seek position out of range: ";
// Completed by the text found where readValue wanted a value.
inline constexpr const char* kNotALiteral = "readValue expected a literal value, got: ";
// Completed by the name given.
inline constexpr const char* kUnknownDirName = "Unknown directory name: ";
// A TypeError's reason, completed by the value given.
inline constexpr const char* kExitCodeNeedsReference = "HiddenDOSCommand exitCode: needs a reference (&)";
// Completed by the path given.
inline constexpr const char* kCannotChangeDir = "Cannot change the current directory to: ";

// ---- Image files and bitmaps ------------------------------------------------

// The bitmap manager's report of a file it cannot read, outside silent mode:
// "-- Warning: cannot read image file <name>: <reason>".
inline constexpr const char* kImageWarning = "-- Warning: cannot read image file ";
inline constexpr const char* kImageNotFound = "file not found";
inline constexpr const char* kImageUnknownFormat = "not a PNG, JPEG, BMP or Targa image";
inline constexpr const char* kImageCorrupt = "the file is damaged or incomplete";
inline constexpr const char* kImageTooLarge = "the image is too large";
inline constexpr const char* kImageUnreadable = "the file cannot be read";
// Completed by the bitmap's printed form.
inline constexpr const char* kBitmapClosed = "Attempted to access a closed bitmap: ";

// ---- Model files -------------------------------------------------------------

// "-- Import failed: <file>: <reason>"; likewise for export.
inline constexpr const char* kImportFailed = "-- Import failed: ";
inline constexpr const char* kExportFailed = "-- Export failed: ";
inline constexpr const char* kNoExporter =
    "no exporter writes files of this kind (.obj, .ply, .stl, .gltf, .glb)";

// ---- Object model, properties and undo -------------------------------------

// getPropNames's second argument, when it is neither #staticOnly nor #dynamicOnly.
inline constexpr const char* kBadPropNamesFilter = "getPropNames wants #staticOnly or #dynamicOnly, got: ";
// A script wrapper whose host object was deleted.
inline constexpr const char* kDeletedObject = "Attempted to access deleted scene object";

// ---- Controllers and keys ----------------------------------------------------

// A key by a number the controller has no key for; completed by the number.
inline constexpr const char* kKeyIndexOutOfRange = "Key index out of range: ";
// Setting a key's time or value through a controller whose keys are its
// sub-controllers' (Position_XYZ); completed by the controller.
// Assigning over a property's controller; completed by the controller.
inline constexpr const char* kControllerNotReplaced = "A property's controller cannot be replaced: ";
// addNewKey or getKey on a controller that takes no keys; completed by it.
inline constexpr const char* kControllerTakesNoKeys = "Controller does not take keys: ";
inline constexpr const char* kCompoundControllerKey =
    "Keys of this controller are set through its sub-controllers: ";

// ---- Scene nodes --------------------------------------------------------------

// How a node or object prints once it was deleted.
inline constexpr const char* kDeletedNodePrint = "<Deleted scene node>";
inline constexpr const char* kDeletedObjectPrint = "<Deleted scene object>";
// Setting .parent to the node itself or one of its descendants; completed by the value.
inline constexpr const char* kParentLoop = "Cannot link a node to itself or to its own descendant: ";
// Setting .parent to a node that aims at the node (or a descendant of it).
inline constexpr const char* kParentAimsAtChild =
    "Cannot link a node to one whose transform depends on it through a target: ";
// Setting .target to the node itself or one whose transform depends on the node's.
inline constexpr const char* kTargetLoop = "Cannot aim a node at one whose transform depends on its own: ";

// ---- Meshes -------------------------------------------------------------------

// Each is completed by the index given.
inline constexpr const char* kVertexIndexOutOfRange = "Vertex index out of range: ";
inline constexpr const char* kFaceIndexOutOfRange = "Face index out of range: ";
inline constexpr const char* kEdgeIndexOutOfRange = "Edge index out of range: ";
inline constexpr const char* kTextureVertexIndexOutOfRange = "Texture vertex index out of range: ";
inline constexpr const char* kColorVertexIndexOutOfRange = "Color vertex index out of range: ";
inline constexpr const char* kMapVertexIndexOutOfRange = "Map vertex index out of range: ";
// A map channel outside -2..99, or one the mesh does not support; completed by the channel.
inline constexpr const char* kMapChannelOutOfRange = "Map channel out of range: ";
inline constexpr const char* kMapChannelNotSupported = "Map channel not supported: ";
// mesh vertices: faces: with a face naming a vertex the mesh does not have.
inline constexpr const char* kFaceVertexOutOfRange = "Face vertex index out of range: ";
inline constexpr const char* kMaterialIdOutOfRange = "Material ID out of range: ";
// meshop.attach of a mesh to itself; completed by the source.
inline constexpr const char* kAttachToItself = "Cannot attach a mesh to itself: ";
// addModifier with a modifier already on another node; completed by the modifier.
inline constexpr const char* kModifierInUse = "Modifier is already applied to another node: ";
// A count that must not be negative (setNumVerts -1); completed by the count.
inline constexpr const char* kNegativeCount = "Count must not be negative: ";
// ---- Lights, cameras, materials and renderers --------------------------------

// Completed by the value given.
inline constexpr const char* kInclExclTypeRange = "inclExclType must be 1, 2 or 3, got: ";
inline constexpr const char* kNumSubsRange = "numsubs must be from 1 to 1000, got: ";
inline constexpr const char* kMaterialIDRange = "Material ID must be from 1 to 65535, got: ";
inline constexpr const char* kMapChannelRange = "mapChannel must be from 1 to 99, got: ";
inline constexpr const char* kMaterialHoldsItself = "A material cannot hold itself: ";
inline constexpr const char* kListLongerThanNumsubs = "List has more items than the material's numsubs: ";

// ---- Scene files ----------------------------------------------------------------

// "-- Save failed: <file>: <reason>"; likewise for load.
inline constexpr const char* kSaveFailed = "-- Save failed: ";
inline constexpr const char* kLoadFailed = "-- Load failed: ";
// Reasons; those ending in a blank are completed by a name or an id.
inline constexpr const char* kSceneFileNotFound = "file not found";
inline constexpr const char* kSceneFileOutOfMemory = "out of memory";
inline constexpr const char* kSceneFileClosing = "closing the file";
inline constexpr const char* kSceneFileCannotCreate = "cannot create a file in its folder: ";
inline constexpr const char* kSceneFileCannotReplace = "cannot replace the file: ";
inline constexpr const char* kSceneFileCannotKeep = "the scene file cannot keep objects of class ";
inline constexpr const char* kSceneFileWrongSize = "the file is cut short or has bytes past its end";
inline constexpr const char* kSceneFileDamaged = "the file is damaged";
inline constexpr const char* kSceneFileNoVersion = "not a scene file (no format version)";
inline constexpr const char* kSceneFileNewer = "written by a newer version of the format (";
inline constexpr const char* kSceneFileReadsUpTo = "); this one reads up to ";
inline constexpr const char* kSceneFileBadValue = "damaged value in column ";
inline constexpr const char* kSceneFileWantedInteger = "not an integer";
inline constexpr const char* kSceneFileWantedText = "not text";
inline constexpr const char* kSceneFileWantedBlob = "not a blob";
inline constexpr const char* kSceneFileOutOfRange = "out of range";
inline constexpr const char* kSceneFileCutShort = ": cut short";
inline constexpr const char* kSceneFileTrailingBytes = ": unexpected bytes at the end";
inline constexpr const char* kSceneFileNotABit = ": not a bit";
inline constexpr const char* kSceneFileMissingRow = "missing row for ";
inline constexpr const char* kSceneFileDuplicateId = "id used twice: ";
inline constexpr const char* kSceneFileParentOrder = "parent missing or after its child: node ";
inline constexpr const char* kSceneFileMissingObject = "refers to a missing object: ";
inline constexpr const char* kSceneFileMissingMaterial = "refers to a missing material: ";
inline constexpr const char* kSceneFileMissingNode = "refers to a missing node: ";
inline constexpr const char* kSceneFileMissingOwner = "refers to a missing owner: ";
inline constexpr const char* kSceneFileUnusedObject = "object has no owner: ";
inline constexpr const char* kSceneFileUnknownClass = "unknown class: ";
inline constexpr const char* kSceneFileUnknownParam = "unknown parameter: ";
inline constexpr const char* kSceneFileWrongKind = "refers to the wrong kind of material: ";
inline constexpr const char* kSceneFileHoldsItself = "material holds itself: ";
inline constexpr const char* kSceneFilePartOrder = "part missing its controller or before it: controller ";
inline constexpr const char* kSceneFileWrongController = "not the controller the host has there: controller ";
inline constexpr const char* kSceneFileValueSize = "value of the wrong size for its controller: ";
inline constexpr const char* kSceneFileKeyOrder = "keys not in time order: controller ";
inline constexpr const char* kSceneFileNotKeyed = "keys on a controller that takes none: controller ";
inline constexpr const char* kSceneFileTargetLoop = "parents and targets lead back to node ";
inline constexpr const char* kSceneFileBadName = "bad global name: ";
inline constexpr const char* kSceneFileGlobalValue = "persistent_globals.value";
inline constexpr const char* kSceneFileTooDeep = ": nested too deeply";
inline constexpr const char* kSceneFileUnknownTag = ": unknown kind of value";

// ---- Particle systems, space warps and cloned nodes --------------------------

// Each is completed by the value given.
inline constexpr const char* kNotParticleSystem = "Not a particle system: ";
inline constexpr const char* kNotSpaceWarp = "Not a space warp: ";
// copy or reference of a node whose object cannot be copied.
inline constexpr const char* kCannotCopyNode = "Cannot copy the object of: ";

// ---- Collector, loader and listener ----------------------------------------

// "-- Plug-in <file> not loaded: <reason>"
inline constexpr const char* kPluginNotLoaded = " not loaded: ";
inline constexpr const char* kPluginPrefix = "-- Plug-in ";
inline constexpr const char* kPluginFolderPrefix = "-- Plug-in folder ";
inline constexpr const char* kPluginFolderUnreadable = " cannot be read: ";
inline constexpr const char* kPluginLoaderError = "unknown loader error";
inline constexpr const char* kPluginMissingExport = "it does not export ";
inline constexpr const char* kPluginStartRaised = "its start-up raised ";
inline constexpr const char* kPluginStartThrew = "its start-up threw ";
inline constexpr const char* kPluginStartThrewUnknown = "its start-up threw an unknown C++ exception";
inline constexpr const char* kPluginNameTaken = "a module of the same file name is already loaded from ";
inline constexpr const char* kCannotWriteOutput = "listener: cannot write its output: ";

}  // namespace host::msg
