// veltaro_sweep: randomized sweep over every input of the command line and
// of the boundary-layer library, each case in a process of its own with a
// time limit.
//
// Every case must end without a crash, a hang or a sanitizer report, with
// exit code 0, 1 or 2 only, leave only complete files behind, and say why
// whenever a result holds a number that is not finite.  A case is fixed by
// (seed, index): a failing one is printed with the command that repeats it.
//
// Sample runs:
//   veltaro_sweep --cli build/cli/veltaro-cli --cases 300           CI share
//   veltaro_sweep --cli build/cli/veltaro-cli --cases 100000 --jobs 8 --seed 7
//   veltaro_sweep --cli build/cli/veltaro-cli --seed 7 --only 4711 --keep
//
// Exit code 0 when every case passed, 1 when one failed, 2 on bad usage.
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <thread>

#include "sweep_cases.h"
#include "sweep_checks.h"
#include "sweep_library.h"

namespace {

using namespace sweep;
using Clock = std::chrono::steady_clock;

struct Settings {
  std::string cli;        // veltaro-cli; without it only library cases run
  long cases = 300;
  long first = 0;
  long only = -1;
  std::uint64_t seed = 1;
  int timeout = 120;      // seconds per case
  int jobs = 2;
  bool keep = false;      // keep the folders of cases that passed
  std::string work;
};

[[noreturn]] void usage(const char* why) {
  std::fprintf(stderr,
               "veltaro_sweep: %s\nusage: veltaro_sweep [--cli PATH] [--cases N] [--first K] [--only K]\n"
               "       [--seed S] [--timeout SEC] [--jobs J] [--keep] [--work DIR]\n",
               why);
  std::exit(2);
}

Settings parse(int argc, char** argv) {
  Settings s;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= argc) usage(("missing value of " + a).c_str());
      return argv[++i];
    };
    try {
      if (a == "--cli") s.cli = value();
      else if (a == "--cases") s.cases = std::stol(value());
      else if (a == "--first") s.first = std::stol(value());
      else if (a == "--only") s.only = std::stol(value());
      else if (a == "--seed") s.seed = std::stoull(value());
      else if (a == "--timeout") s.timeout = std::stoi(value());
      else if (a == "--jobs") s.jobs = std::stoi(value());
      else if (a == "--work") s.work = value();
      else if (a == "--keep") s.keep = true;
      else usage(("unknown argument " + a).c_str());
    } catch (const std::exception&) {
      usage(("bad value of " + a).c_str());
    }
  }
  if (s.jobs < 1 || s.timeout < 1 || s.cases < 0) usage("--jobs, --timeout and --cases must be positive");
  if (!s.cli.empty()) {  // the cases run in folders of their own
    std::error_code ec;
    s.cli = std::filesystem::absolute(s.cli, ec).string();
    if (access(s.cli.c_str(), X_OK) != 0) usage(("cannot run " + s.cli).c_str());
  }
  return s;
}

void writeVerdict(const std::string& dir, const Problems& problems) {
  std::ofstream v(dir + "/verdict");
  for (const std::string& p : problems) v << p << "\n";
}

// Runs veltaro-cli in work with its output in dir/out and dir/err; kills
// it at the time limit.  Returns the exit code, or -1 after a signal or
// the time limit (said in problems).
int runCli(const Settings& s, const CliCase& c, const std::string& dir, const std::string& work,
           Problems& problems) {
  if (!c.surfaceTable.empty()) std::ofstream(work + "/surface.txt") << c.surfaceTable;
  const pid_t pid = fork();
  if (pid == 0) {
    if (chdir(work.c_str()) != 0) _exit(126);
    const int out = open((dir + "/out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = open((dir + "/err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(out, 1);
    dup2(err, 2);
    std::vector<char*> argv{const_cast<char*>(s.cli.c_str())};
    for (const std::string& a : c.args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(s.cli.c_str(), argv.data());
    _exit(127);
  }
  const auto limit = Clock::now() + std::chrono::seconds(s.timeout);
  int status = 0;
  while (waitpid(pid, &status, WNOHANG) == 0) {
    if (Clock::now() > limit) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      problems.push_back("no answer within " + std::to_string(s.timeout) + " s");
      return -1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  if (WIFSIGNALED(status)) {
    problems.push_back(std::string("ended by signal ") + strsignal(WTERMSIG(status)));
    return -1;
  }
  return WEXITSTATUS(status);
}

// The body of one case, in its own process; its exit code is 0 (passed) or
// 3 (see dir/verdict), and dir/code holds veltaro-cli's exit code.
[[noreturn]] void runCase(const Settings& s, const Case& c, const std::string& dir) {
  const std::string work = dir + "/work";
  std::filesystem::create_directories(work);
  Problems problems;
  if (c.kind == Case::Cli) {
    const int code = runCli(s, c.cli, dir, work, problems);
    std::ofstream(dir + "/code") << code << "\n";
    if (code >= 0) checkCliRun(c.cli, code, readFile(dir + "/out"), readFile(dir + "/err"), work, problems);
  } else {
    alarm(static_cast<unsigned>(s.timeout));  // a hang ends the case with SIGALRM
    const int err = open((dir + "/err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(err, 2);
    const int out = open((dir + "/out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(out, 1);
    runLibraryCase(c.lib, work, problems);
  }
  writeVerdict(dir, problems);
  std::fflush(nullptr);
  _exit(problems.empty() ? 0 : 3);
}

struct Running {
  long index;
  std::string dir;
};

}  // namespace

int main(int argc, char** argv) {
  Settings s = parse(argc, argv);
  if (s.work.empty()) {
    char tmpl[] = "/tmp/veltaro-sweep-XXXXXX";
    if (!mkdtemp(tmpl)) usage("cannot make a work folder in /tmp");
    s.work = tmpl;
  }
  std::filesystem::create_directories(s.work);

  long begin = s.first, end = s.first + s.cases;
  if (s.only >= 0) begin = s.only, end = s.only + 1;

  std::map<pid_t, Running> running;
  std::map<std::string, long> tally;  // outcome -> cases
  long failed = 0, done = 0;
  const auto start = Clock::now();

  auto finish = [&](pid_t pid, int status) {
    const Running r = running[pid];
    running.erase(pid);
    const Case c = makeCase(s.seed, r.index);
    Problems problems;
    const std::string err = readFile(r.dir + "/err");
    if (WIFSIGNALED(status)) {
      problems.push_back(WTERMSIG(status) == SIGALRM
                             ? "no answer within " + std::to_string(s.timeout) + " s"
                             : std::string("ended by signal ") + strsignal(WTERMSIG(status)));
    } else if (WEXITSTATUS(status) == 3) {
      std::ifstream v(r.dir + "/verdict");
      for (std::string line; std::getline(v, line);) problems.push_back(line);
    } else if (WEXITSTATUS(status) != 0) {
      problems.push_back("the case ended with exit code " + std::to_string(WEXITSTATUS(status)));
    }
    if (c.kind == Case::Lib && sanitizerReport(err)) problems.push_back("sanitizer or assertion report");
    ++done;
    if (c.kind == Case::Cli)
      ++tally["command line, exit code " + std::to_string(std::atoi(readFile(r.dir + "/code").c_str()))];
    else
      ++tally["library"];
    if (!problems.empty()) {
      ++failed;
      std::printf("FAIL case %ld (seed %llu): %s\n", r.index, static_cast<unsigned long long>(s.seed),
                  c.describe().c_str());
      for (const std::string& p : problems) std::printf("  - %s\n", p.c_str());
      const std::size_t cut = err.size() > 3000 ? err.size() - 3000 : 0;
      if (!err.empty()) std::printf("  standard error (end):\n%s\n", err.substr(cut).c_str());
      std::printf("  files kept in %s\n", r.dir.c_str());
    } else if (!s.keep) {
      std::filesystem::remove_all(r.dir);
    }
    std::fflush(stdout);
  };

  for (long i = begin; i < end || !running.empty();) {
    if (i < end && static_cast<int>(running.size()) < s.jobs) {
      const Case c = makeCase(s.seed, i);
      if (c.kind == Case::Cli && s.cli.empty()) {
        ++i;
        continue;
      }
      const std::string dir = s.work + "/case-" + std::to_string(i);
      std::filesystem::remove_all(dir);
      std::filesystem::create_directories(dir);
      std::fflush(nullptr);
      const pid_t pid = fork();
      if (pid < 0) usage("fork failed");
      if (pid == 0) runCase(s, c, dir);
      running[pid] = Running{i, dir};
      ++i;
      continue;
    }
    int status = 0;
    const pid_t pid = waitpid(-1, &status, 0);
    if (pid > 0 && running.count(pid)) finish(pid, status);
  }

  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  std::printf("sweep: %ld cases, seed %llu, %.1f s, %ld failed\n", done,
              static_cast<unsigned long long>(s.seed), seconds, failed);
  for (const auto& [outcome, n] : tally) std::printf("  %-30s %ld\n", outcome.c_str(), n);
  if (failed == 0 && !s.keep) std::filesystem::remove_all(s.work);
  return failed == 0 ? 0 : 1;
}
