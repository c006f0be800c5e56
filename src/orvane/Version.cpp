// SPDX-License-Identifier: Apache-2.0
#include "orvane/Version.h"

namespace orvane {

// Compiled into the library, so these answer for the library a program loaded,
// whatever headers the program was built with.
const char* version() { return ORVANE_VERSION_STRING; }
int versionMajor() { return ORVANE_VERSION_MAJOR; }
int versionMinor() { return ORVANE_VERSION_MINOR; }
int versionPatch() { return ORVANE_VERSION_PATCH; }

} // namespace orvane
