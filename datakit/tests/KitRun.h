#pragma once

#include "platform/testing/TempDir.h"

#include <string>
#include <vector>

// Runs the data-kit tool as the build does and reports how it ended.
struct KitRun {
    int exitCode = -1;
    std::string errors; // what it wrote to standard error
};

// Runs "vakrel_datakit sources program"; the tool's output goes to files in `scratch`.
KitRun RunKitTool(const std::string& sources, const std::string& program, const TempDir& scratch);

// What a UTF-8 source with LF line ends becomes in code page 932 with CR LF line ends; fails
// the calling test when it cannot be converted.
std::string ExpectedKitBytes(const std::string& utf8Source);

// The names of the files in a folder, sorted.
std::vector<std::string> FileNames(const std::string& folder);
