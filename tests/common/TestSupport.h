// SPDX-License-Identifier: Apache-2.0
#pragma once
#include <string>

namespace orvane::test {

// Folder of the source tree and of the build tree (for examples and tools).
std::string sourceDir();
std::string binaryDir();
// A fresh temporary folder, removed with its content at process exit.
std::string tempDir();

} // namespace orvane::test
