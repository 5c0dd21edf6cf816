// Times the lookups that every screen refresh and every `dump` makes in the settings and
// language files: LoadLangString, FindModelIndex and a whole `dump` of a project file
// (load from disk, text and JSON). "cold" is the first lookup after the file changed on
// disk (the file is rewritten with a new modification time before each timed call, the
// rewrite not counted); "warm" repeats the lookup on a file unchanged for seconds.
//
// Runs on a private copy of the shipped data files, so nothing of the build tree changes.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>

#include "cli/DocumentDump.h"
#include "core/lang/LangText.h"
#include "core/model/CQorrinDoc.h"
#include "core/model/ModelInfo.h"
#include "core/settings/AppPaths.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Writes the same bytes again and moves the modification time on by a whole second per
// call, so that a file changed on disk is seen even on a file system with coarse times.
void Rewrite(const fs::path& path, const std::string& bytes) {
  static long long tick = 0;
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
  }
  const timespec times[2] = {{1000000000 + ++tick, 0}, {1000000000 + tick, 0}};
  ::utimensat(AT_FDCWD, path.c_str(), times, 0);
}

// Mean microseconds per call of `work`; `before` runs untimed ahead of each call.
double MeanMicros(int rounds, const std::function<void()>& before, const std::function<void()>& work) {
  double total = 0;
  for (int i = 0; i < rounds; ++i) {
    if (before) before();
    const auto start = Clock::now();
    work();
    total += std::chrono::duration<double, std::micro>(Clock::now() - start).count();
  }
  return total / rounds;
}

void Print(const char* what, double coldUs, double warmUs) {
  std::printf("%-16s cold %10.2f us   warm %10.2f us\n", what, coldUs, warmUs);
}

}  // namespace

int main(int argc, char** argv) {
  const fs::path programDir = fs::canonical("/proc/self/exe").parent_path();
  const fs::path dir = fs::temp_directory_path() / ("qorrin-lookup-bench-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const fs::path ini = dir / "setting.ini";
  const fs::path lang = dir / "english.lang";
  fs::copy_file(programDir / "setting.ini", ini);
  fs::copy_file(programDir / "english.lang", lang);
  qorrin::g_strAppDir = dir.string();
  qorrin::g_strIniFile = ini.string();
  qorrin::g_strLangFile = lang.string();
  const std::string iniBytes = ReadAll(ini);
  const std::string langBytes = ReadAll(lang);
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 200;

  // A project file of the two-band model with a few channels, as `new` would write it.
  qorrin::CQorrinDoc doc;
  doc.OnNewDocument();
  doc.SetModelInfo(2);
  const fs::path project = dir / "bench.7Q";
  if (!doc.OnSaveDocument(project.string(), qorrin::CQorrinDoc::IndexFieldsOnSave::Update).bOk) {
    std::fprintf(stderr, "cannot write %s\n", project.c_str());
    return 1;
  }
  const auto image = doc.Image();

  std::size_t sink = 0;
  auto langString = [&] { sink += qorrin::LoadLangString("IDS_OFF").size(); };
  auto findModel = [&] { sink += static_cast<std::size_t>(qorrin::FindModelIndex(image)); };
  auto dump = [&] {
    qorrin::CQorrinDoc loaded;
    loaded.SetSilentNew();
    loaded.OnOpenDocument(project.string());
    sink += qorrin::cli::DumpText(loaded).size() + qorrin::cli::DumpJson(loaded).dump().size();
  };
  auto touchLang = [&] { Rewrite(lang, langBytes); };
  auto touchIni = [&] { Rewrite(ini, iniBytes); };
  auto touchBoth = [&] { touchIni(); touchLang(); };

  // Warm first, on files left alone for a few seconds as they are while the program runs
  // (a file changed moments ago is read again at every lookup until its time stamps are
  // old enough to tell a later change apart).
  std::this_thread::sleep_for(std::chrono::seconds(3));
  langString();
  findModel();
  dump();
  const double warmLang = MeanMicros(rounds * 10, nullptr, langString);
  const double warmModel = MeanMicros(rounds * 10, nullptr, findModel);
  const double warmDump = MeanMicros(rounds / 2 + 1, nullptr, dump);
  Print("LoadLangString", MeanMicros(rounds, touchLang, langString), warmLang);
  Print("FindModelIndex", MeanMicros(rounds, touchIni, findModel), warmModel);
  Print("dump (text+json)", MeanMicros(rounds / 4 + 1, touchBoth, dump), warmDump);

  fs::remove_all(dir);
  return sink == 0 ? 1 : 0;
}
