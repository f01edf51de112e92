// Every text Zentu shows: its description and its error messages.
#pragma once

namespace zentu::msg {

inline constexpr const char* kDescription = "Zentu MaxScript Extension";

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

// The scanline renderer's settings.
inline constexpr const char* kNoRenderer = "Can't get renderer";
inline constexpr const char* kNotScanline = "Current renderer is not scanline renderer.";

}  // namespace zentu::msg
