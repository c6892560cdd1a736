#include "cli/BatchCommand.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <optional>
#include <set>
#include <system_error>
#include <thread>

#include "cli/Arguments.h"
#include "cli/CliDocument.h"
#include "cli/ExportJob.h"
#include "cli/Interrupt.h"
#include "cli/Json.h"
#include "document/AudioConversion.h"
#include "document/LoadMessages.h"
#include "document/WaveLoader.h"

namespace slicewright::cli {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int32_t kMostJobs = 64;

std::vector<OptionSpec> BatchOptions() {
  std::vector<OptionSpec> options = ExportSettingOptions();
  options.insert(options.end(), {{"--jobs", true},
                                 {"--out-dir", true},
                                 {"--slices", false},
                                 {"--region", false},
                                 {"--sf2", false},
                                 {"--midi", false},
                                 {"--sfz", false}});
  return options;
}

// Each folder gives the files under it with a wanted extension, sorted by
// path; any other input is taken as it is, so a missing file is reported.
std::vector<std::string> InputFiles(const std::vector<std::string>& inputs, bool convert) {
  std::vector<std::string> files;
  for (const std::string& input : inputs) {
    std::error_code ec;
    if (!fs::is_directory(input, ec)) {
      files.push_back(input);
      continue;
    }
    std::vector<std::string> found;
    for (fs::recursive_directory_iterator it(input, fs::directory_options::skip_permission_denied, ec), end;
         !ec && it != end; it.increment(ec)) {
      if (it->is_regular_file(ec) && OpensAsAudio(it->path().string(), convert))
        found.push_back(it->path().string());
    }
    std::sort(found.begin(), found.end());
    files.insert(files.end(), found.begin(), found.end());
  }
  return files;
}

// A file's folder is its name less the extension; a name an earlier file
// took becomes the first free of NAME-2, NAME-3, ... The stems "." and ".."
// (of "..wav" and "...wav") would name the output folder or its parent, so
// they get a leading underscore.
std::vector<std::string> FolderNames(const std::vector<std::string>& files) {
  std::set<std::string> taken;
  std::vector<std::string> names;
  for (const std::string& file : files) {
    std::string stem = fs::path(file).stem().string();
    if (stem.empty() || stem == "." || stem == "..") stem = "_" + stem;
    std::string name = stem;
    for (int k = 2; taken.count(name) != 0; ++k) name = stem + "-" + std::to_string(k);
    taken.insert(name);
    names.push_back(name);
  }
  return names;
}

// A message as the single commands print it, as one JSON string.
std::string MessageText(const std::vector<std::string>& messages) {
  std::string text;
  for (const std::string& message : messages) {
    if (!text.empty()) text += '\n';
    text += PlainLines(message);
    while (!text.empty() && text.back() == '\n') text.pop_back();
  }
  return JsonString(text);
}

struct FileResult {
  int status = kExitOk;
  std::string line;  // the JSON object, with its line break
};

// The line of a file that failed as a whole; `head` opens its JSON object.
FileResult Failed(const std::string& head, int status, const std::string& message) {
  return FileResult{status, head + ", \"status\":" + std::to_string(status) +
                                ", \"message\":" + MessageText({message}) + "}\n"};
}

class Batch {
 public:
  Batch(const ParsedArguments& parsed, const ExportSettings& settings, std::vector<std::string> files,
        const fs::path& outDir)
      : parsed_(parsed),
        settings_(settings),
        files_(std::move(files)),
        folders_(FolderNames(files_)),
        outDir_(outDir),
        results_(files_.size()) {}

  // Runs the files on `jobs` threads while this thread prints; returns the
  // exit status.
  int Run(int32_t jobs) {
    const auto threads = static_cast<size_t>(std::min<int64_t>(jobs, static_cast<int64_t>(files_.size())));
    std::vector<std::thread> workers;
    for (size_t t = 0; t < threads; ++t) {
      try {
        AddWorker();
        workers.emplace_back([this] { Work(); });
      } catch (const std::system_error&) {
        // The system will not start more threads: go on with those running.
        const std::lock_guard<std::mutex> lock(mutex_);
        --running_;
        break;
      }
    }
    if (workers.empty()) {
      AddWorker();
      Work();
    }
    Report();
    for (std::thread& worker : workers) worker.join();
    int status = kExitOk;
    for (const std::optional<FileResult>& result : results_) {
      if (result) status = std::max(status, result->status);
    }
    return status;
  }

 private:
  void AddWorker() {
    const std::lock_guard<std::mutex> lock(mutex_);
    ++running_;
  }

  void Work() {
    Document doc;
    for (;;) {
      const size_t i = next_.fetch_add(1);
      if (i >= files_.size() || StopRequested()) break;
      std::optional<FileResult> result = ExportOne(doc, i);
      CloseDocument(doc);
      const std::lock_guard<std::mutex> lock(mutex_);
      results_[i] = std::move(result);
      ++finished_;
      changed_.notify_one();
    }
    const std::lock_guard<std::mutex> lock(mutex_);
    --running_;
    changed_.notify_one();
  }

  // Nothing when the file was given up for a stop request.
  std::optional<FileResult> ExportOne(Document& doc, size_t i) {
    const std::string& input = files_[i];
    const fs::path folder = outDir_ / folders_[i];
    const fs::path base = folder / fs::path(input).stem();
    const auto named = [&](const std::string& suffix) { return (base.string() + suffix); };
    ExportTargets targets;
    if (parsed_.Has("--slices")) targets.slices = named(".wav");
    if (parsed_.Has("--region")) targets.region = named("-region.wav");
    if (parsed_.Has("--sf2")) targets.sf2 = named(".sf2");
    if (parsed_.Has("--midi")) targets.midi = named(".mid");
    if (parsed_.Has("--sfz")) targets.sfz = named(".sfz");

    std::string head = "{\"input\":" + JsonString(input);
    try {
      std::error_code ec;
      fs::create_directories(folder, ec);  // a folder that cannot be made fails every save
      const ExportOutcome outcome = ExportFile(doc, input, parsed_, settings_, targets, false);
      std::string outputs;
      const auto add = [&](const std::string& name) {
        outputs += (outputs.empty() ? "" : ", ") + JsonString(name);
      };
      for (const std::string& name : outcome.slices) add(name);
      for (const auto* name :
           {&outcome.region, &outcome.sf2, &outcome.midi, &outcome.sfz, &outcome.sfzFolder}) {
        if (*name) add(**name + (name == &outcome.sfzFolder ? "/" : ""));
      }
      std::string line = head + ", \"status\":" + std::to_string(outcome.Status()) +
                         ", \"folder\":" + JsonString(folder.string()) +
                         ", \"points\":" + std::to_string(doc.ActivePointCount) +
                         ", \"slices\":" + std::to_string(outcome.sliceCount) + ", \"outputs\":[" + outputs +
                         "]";
      if (!outcome.failures.empty()) line += ", \"message\":" + MessageText(outcome.failures);
      if (outcome.pointLimitReached) line += ", \"warning\":" + MessageText({messages::kPointLimit});
      return FileResult{outcome.Status(), line + "}\n"};
    } catch (const CommandFailure& failure) {
      return Failed(head, failure.status, failure.message);
    } catch (const Interrupted&) {
      std::error_code ec;
      fs::remove(folder, ec);  // only when nothing was saved in it
      return std::nullopt;
    } catch (const std::bad_alloc&) {
      return Failed(head, kExitFailed, "out of memory");
    } catch (const std::exception& error) {
      // Anything else that fails (a thread the system would not start, say)
      // fails this file, not the whole batch.
      return Failed(head, kExitFailed, error.what());
    }
  }

  // Prints the lines in input order as they are ready, with the progress
  // bar on a terminal, until every worker has ended.
  void Report() {
    const bool bar = ::isatty(STDERR_FILENO) == 1;
    const Clock::time_point start = Clock::now();
    size_t printed = 0;
    bool outputLost = false;
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
      changed_.wait_for(lock, std::chrono::milliseconds(250));
      std::string lines;
      while (printed < results_.size() && (results_[printed] || Ended(printed))) {
        if (results_[printed]) lines += results_[printed]->line;
        ++printed;
      }
      const bool done = running_ == 0;
      const size_t finished = finished_;
      lock.unlock();
      if (!lines.empty() && !outputLost) {
        if (bar) std::fputs("\r\033[K", stderr);
        if (std::fwrite(lines.data(), 1, lines.size(), stdout) != lines.size() || std::fflush(stdout) != 0) {
          outputLost = true;
          // The reader is gone (a pipe into head, say): stop as a pipe writer would.
          if (errno == EPIPE) RequestStop(SIGPIPE);
        }
      }
      if (bar) DrawBar(finished, start, done);
      lock.lock();
      if (done) break;
    }
  }

  // A file no worker will take any more: the workers stopped first.
  bool Ended(size_t i) const { return running_ == 0 && !results_[i]; }

  void DrawBar(size_t finished, Clock::time_point start, bool done) const {
    constexpr size_t kWidth = 30;
    const size_t total = files_.size();
    const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    const size_t filled = total == 0 ? kWidth : finished * kWidth / total;
    const auto clock = [](double seconds) {
      const auto whole = static_cast<long long>(seconds + 0.5);
      char text[32];
      std::snprintf(text, sizeof text, "%lld:%02lld", whole / 60, whole % 60);
      return std::string(text);
    };
    const std::string left =
        finished == 0
            ? "--:--"
            : clock(elapsed / static_cast<double>(finished) * static_cast<double>(total - finished));
    std::fprintf(stderr, "\r[%s%s] %zu/%zu files  %s elapsed  %s left\033[K%s",
                 std::string(filled, '#').c_str(), std::string(kWidth - filled, '.').c_str(), finished, total,
                 clock(elapsed).c_str(), left.c_str(), done ? "\n" : "");
    std::fflush(stderr);
  }

  const ParsedArguments& parsed_;
  const ExportSettings& settings_;
  const std::vector<std::string> files_;
  const std::vector<std::string> folders_;
  const fs::path outDir_;

  std::atomic<size_t> next_{0};
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::optional<FileResult>> results_;
  size_t finished_ = 0;
  size_t running_ = 0;
};

}  // namespace

int RunBatch(const std::vector<std::string>& args) {
  const ParsedArguments parsed = ParseArguments(args, BatchOptions());
  const ExportSettings settings = ReadExportSettings(parsed);
  const std::string outDir = parsed.Value("--out-dir").value_or("");
  if (outDir.empty()) throw UsageError{"batch needs --out-dir DIR"};
  const int32_t jobs =
      parsed.Has("--jobs")
          ? IntegerValue(parsed, "--jobs", 1, kMostJobs)
          : std::clamp(static_cast<int32_t>(std::thread::hardware_concurrency()), 1, kMostJobs);
  if (parsed.positional.empty()) throw UsageError{"batch needs at least one input file or folder"};
  std::vector<std::string> files = InputFiles(parsed.positional, settings.load.convert);
  if (files.empty()) throw UsageError{"no audio files found in the inputs"};

  const GracefulStop stop;
  // A closed pipe is noticed by the write that fails, so the files under way
  // are given up cleanly rather than left half-written by SIGPIPE.
  std::signal(SIGPIPE, SIG_IGN);
  Batch batch(parsed, settings, std::move(files), outDir);
  const int status = batch.Run(jobs);
  stop.EndIfStopped();
  return status;
}

}  // namespace slicewright::cli
