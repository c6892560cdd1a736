#pragma once

#include <string>
#include <vector>

namespace slicewright::cli {

// slicewright-cli analyze IN.wav [--channel left|right|combine] [--threshold T]
int RunAnalyze(const std::vector<std::string>& args);

}  // namespace slicewright::cli
