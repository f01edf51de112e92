// Every text Zentu shows: its description and its error messages.
#pragma once

namespace zentu::msg {

inline constexpr const char* kDescription = "Zentu MaxScript Extension";
// In the module file's version information.
inline constexpr const char* kVersionComments = "Built for host release 5100 (LibVersion 0x13EC0800)";

// Node arguments: the function's name followed by kRequiresNode.
inline constexpr const char* kRequiresNode = " requires a node";
inline constexpr const char* kDeletedNode = "Attempted to access to deleted object";

inline constexpr const char* kVersionReadOnly = "ZentuVersion is read-only";

// Space warps and controllers.
inline constexpr const char* kRequiresSpacewarp = "GetSpaceWarpForce requires a spacewarp";
inline constexpr const char* kNoForceField = "Passed spacewarp doesn't support force fields.";
// Completed by the controller.
inline constexpr const char* kNoKeyableProp = "Controller doesn't support keyable property: ";
inline constexpr const char* kKeyablePropUndo = "Set Keyable Property";

// Mesh queries ("verticies" is spelled so).
inline constexpr const char* kNotAMesh = "Object is not a mesh";
inline constexpr const char* kNoFaces = "Object has no faces";
inline constexpr const char* kNoVertices = "Object has no verticies";
inline constexpr const char* kFaceOutOfRange = "Face index out-of-range";
// A node whose transform squashes space flat has no object space to map into.
inline constexpr const char* kNoInverse = "Node transform has no inverse";

// Vertex-colour baking.
inline constexpr const char* kNotCollapsedMesh = "Object is not a collapsed editable mesh: ApplyVertexColors";
// A colour per corner needs three entries per face, counted in an int.
inline constexpr const char* kTooManyFaces = "Too many faces for a colour per face corner";
// The title the progress bar shows while a bake runs.
inline constexpr const char* kBakeProgressTitle = "Foobar";

// Image files; completed by the file name.
inline constexpr const char* kCannotLoadFile = "Couldn't load file:";

// The scanline renderer's settings.
inline constexpr const char* kNoRenderer = "Can't get renderer";
inline constexpr const char* kNotScanline = "Current renderer is not scanline renderer.";

// The registry; "Unknown root key: ", "Cannot create keys under given root
// key: " and "Unsupported key value type: " are completed by the value.
inline constexpr const char* kUnknownRootKey = "Unknown root key: ";
inline constexpr const char* kCannotCreateKeys = "Cannot create keys under given root key: ";
inline constexpr const char* kUnsupportedValueType = "Unsupported key value type";
inline constexpr const char* kUnsupportedValueTypeOf = "Unsupported key value type: ";
// Completed by the system's own text for the error code.
inline constexpr const char* kWindowsError = "Windows Error: ";

// The active viewport.
inline constexpr const char* kNoActiveViewport = "Can't get active viewport.";

}  // namespace zentu::msg
