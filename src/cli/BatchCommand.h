#pragma once

#include <string>
#include <vector>

namespace slicewright::cli {

// slicewright-cli batch [--jobs N] [--convert] (--threshold T | --sensitivity P) ... --out-dir DIR
//                       [--slices] [--region] [--sf2] [--midi] [--sfz] INPUT...
// Exports every audio file of the inputs as export would, each into its own
// folder DIR/STEM, N files at once, with one JSON line per file on stdout in
// input order. Exits 0 when every file was exported, otherwise with the
// highest status among the files that failed.
int RunBatch(const std::vector<std::string>& args);

}  // namespace slicewright::cli
