#include "app/bench_table_run.h"

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <sstream>
#include <system_error>

#include "app/application.h"
#include "platform/recording_speech.h"
#include "platform/script.h"
#include "platform/script_host.h"
#include "platform/virtual_audio_device.h"

namespace corvane {

namespace {

namespace fs = std::filesystem;

// A new, empty folder under the system's temporary folder, removed with everything in it.
class TemporaryFolder {
 public:
  TemporaryFolder() {
    std::error_code error;
    std::string pattern = (fs::temp_directory_path(error) / "corvane-bench-XXXXXX").string();
    if (!error && ::mkdtemp(pattern.data()) != nullptr) path_ = pattern + "/";
  }
  ~TemporaryFolder() {
    std::error_code error;
    if (!path_.empty()) fs::remove_all(path_, error);
  }
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;

  // Ends in "/"; empty when the folder could not be made.
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

void ReplaceAll(std::string& text, const std::string& from, std::string_view to) {
  if (from.empty()) return;
  for (std::size_t at = text.find(from); at != std::string::npos;
       at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
}

}  // namespace

BenchTableRun PlayBenchTable(const BenchTable& table, TranscriptSignature& all) {
  BenchTableRun run;
  const TemporaryFolder data;
  if (data.path().empty()) {
    run.status = 1;
    run.error = "cannot make a temporary data folder\n";
    return run;
  }
  std::ostringstream transcript;
  std::ostringstream failures;
  ScriptHost host(ParseScriptText(BenchScript(table), table.name), transcript, failures, false);
  VirtualAudioDevice audio([&host] { return host.Now(); });
  RecordingSpeech engines;
  AppOptions options;
  options.seed = table.seed;
  options.dataFolder = data.path();

  const std::clock_t start = std::clock();
  Application app(host, audio, engines, options);
  int status = 0;
  try {
    app.Main();
  } catch (const EndProgram& end) {
    status = end.status;
  }
  run.seconds = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
  run.hands = app.HandsPlayed();
  run.status = host.FinalStatus(status);
  run.error = failures.str();

  std::string text = transcript.str();
  ReplaceAll(text, data.path(), "<data>/");
  ReplaceAll(text, app.folders().ProgramFolder, "<program>/");
  all.Add(text);
  TranscriptSignature own;
  own.Add(text);
  run.signature = own.Value();
  return run;
}

}  // namespace corvane
