// SPDX-License-Identifier: MIT
// zorv_startup [--runs N] NAME=COMMAND ...: times each command from its exec
// to its first top-level window mapped on the X display, by wall time and
// by the CPU time its processes have used by then, the commands taking
// turns run after run, so that whatever else the machine does falls on all
// of them alike. Prints each one's median with its spread, and the ratio of
// each median to the last command's (the floor).
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <dirent.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Command {
  std::string name;
  std::vector<std::string> argv;
  std::vector<double> wallMs, cpuMs, peakMiB;
};

double nowMs() {
  timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// The process and all its descendants (a launcher script execs, but Wine's
// loader starts children).
std::set<pid_t> processTree(pid_t root) {
  std::set<pid_t> tree{root};
  for (bool grew = true; grew;) {
    grew = false;
    DIR* proc = opendir("/proc");
    if (!proc)
      break;
    while (dirent* e = readdir(proc)) {
      pid_t pid = (pid_t)atoi(e->d_name);
      if (pid <= 0 || tree.count(pid))
        continue;
      std::ifstream stat("/proc/" + std::string(e->d_name) + "/stat");
      std::string line;
      std::getline(stat, line);
      size_t close = line.rfind(')');
      if (close == std::string::npos)
        continue;
      std::istringstream rest(line.substr(close + 2));
      char state;
      pid_t parent = 0;
      rest >> state >> parent;
      if (tree.count(parent)) {
        tree.insert(pid);
        grew = true;
      }
    }
    closedir(proc);
  }
  return tree;
}

// Nanoseconds on the CPU of every thread of the processes, from schedstat.
double cpuMsOf(const std::set<pid_t>& pids) {
  double ns = 0;
  for (pid_t pid : pids) {
    std::string dir = "/proc/" + std::to_string(pid) + "/task";
    DIR* tasks = opendir(dir.c_str());
    if (!tasks)
      continue;
    while (dirent* e = readdir(tasks)) {
      if (e->d_name[0] == '.')
        continue;
      std::ifstream f(dir + "/" + e->d_name + "/schedstat");
      double run = 0;
      if (f >> run)
        ns += run;
    }
    closedir(tasks);
  }
  return ns / 1e6;
}

double peakMiBOf(const std::set<pid_t>& pids) {
  double kib = 0;
  for (pid_t pid : pids) {
    std::ifstream f("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(f, line);)
      if (line.rfind("VmHWM:", 0) == 0)
        kib += atof(line.c_str() + 6);
  }
  return kib / 1024;
}

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
  xcb_intern_atom_reply_t* r =
      xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, (uint16_t)strlen(name), name), nullptr);
  xcb_atom_t a = r ? r->atom : XCB_ATOM_NONE;
  free(r);
  return a;
}

pid_t windowPid(xcb_connection_t* c, xcb_window_t w, xcb_atom_t netWmPid) {
  xcb_get_property_reply_t* r = xcb_get_property_reply(
      c, xcb_get_property(c, 0, w, netWmPid, XCB_ATOM_CARDINAL, 0, 1), nullptr);
  pid_t pid = r && xcb_get_property_value_length(r) == 4 ? *(pid_t*)xcb_get_property_value(r) : 0;
  free(r);
  return pid;
}

// One run: exec, then wait for a window of the command's processes to map.
bool runOnce(xcb_connection_t* c, xcb_atom_t netWmPid, Command& cmd) {
  const double start = nowMs();
  pid_t child = fork();
  if (child == 0) {
    std::vector<char*> argv;
    for (std::string& a : cmd.argv)
      argv.push_back(a.data());
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  bool mapped = false;
  const double deadline = start + 30000;
  while (!mapped && nowMs() < deadline) {
    xcb_generic_event_t* e = xcb_poll_for_event(c);
    if (!e) {
      if (waitpid(child, nullptr, WNOHANG) == child) {
        fprintf(stderr, "%s ended before it showed a window\n", cmd.name.c_str());
        return false;
      }
      usleep(200);
      continue;
    }
    if ((e->response_type & 0x7f) == XCB_MAP_NOTIFY) {
      auto* map = (xcb_map_notify_event_t*)e;
      const double at = nowMs();
      std::set<pid_t> tree = processTree(child);
      const double cpu = cpuMsOf(tree);
      if (tree.count(windowPid(c, map->window, netWmPid))) {
        cmd.wallMs.push_back(at - start);
        cmd.cpuMs.push_back(cpu);
        cmd.peakMiB.push_back(peakMiBOf(tree));
        mapped = true;
      }
    }
    free(e);
  }
  for (pid_t pid : processTree(child))
    kill(pid, SIGKILL);
  waitpid(child, nullptr, 0);
  if (!mapped)
    fprintf(stderr, "%s showed no window in 30 s\n", cmd.name.c_str());
  return mapped;
}

struct Spread {
  double median, low, high;
};

Spread spread(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return {v[v.size() / 2], v.front(), v.back()};
}

}  // namespace

int main(int argc, char** argv) {
  int runs = 20;
  std::vector<Command> commands;
  for (int i = 1; i < argc; ++i) {
    if (!strcmp(argv[i], "--runs") && i + 1 < argc) {
      runs = std::max(1, atoi(argv[++i]));
      continue;
    }
    const char* eq = strchr(argv[i], '=');
    if (!eq) {
      fprintf(stderr, "usage: zorv_startup [--runs N] NAME=COMMAND... (the last is the floor)\n");
      return 2;
    }
    Command cmd;
    cmd.name.assign(argv[i], (size_t)(eq - argv[i]));
    std::istringstream words(eq + 1);
    for (std::string w; words >> w;)
      cmd.argv.push_back(w);
    commands.push_back(cmd);
  }
  if (commands.empty()) {
    fprintf(stderr, "usage: zorv_startup [--runs N] NAME=COMMAND... (the last is the floor)\n");
    return 2;
  }
  xcb_connection_t* c = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(c)) {
    fprintf(stderr, "zorv_startup: no X display\n");
    return 1;
  }
  xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
  uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  xcb_change_window_attributes(c, screen->root, XCB_CW_EVENT_MASK, &mask);
  xcb_atom_t netWmPid = atom(c, "_NET_WM_PID");
  xcb_flush(c);

  // One round first, not counted: it fills the file cache.
  for (int round = -1; round < runs; ++round) {
    for (Command& cmd : commands) {
      std::vector<double> w = cmd.wallMs, u = cmd.cpuMs, m = cmd.peakMiB;
      if (!runOnce(c, netWmPid, cmd))
        return 1;
      if (round < 0) {
        cmd.wallMs = w, cmd.cpuMs = u, cmd.peakMiB = m;
      }
    }
  }
  const Command& floor = commands.back();
  const Spread fw = spread(floor.wallMs), fc = spread(floor.cpuMs), fm = spread(floor.peakMiB);
  printf("exec to window mapped, %d interleaved runs; median (lowest-highest)\n", runs);
  for (const Command& cmd : commands) {
    Spread w = spread(cmd.wallMs), u = spread(cmd.cpuMs), m = spread(cmd.peakMiB);
    printf("%-12s wall %6.1f ms (%.1f-%.1f)  cpu %6.1f ms (%.1f-%.1f)  peak %5.1f MiB",
           cmd.name.c_str(), w.median, w.low, w.high, u.median, u.low, u.high, m.median);
    if (&cmd != &floor)
      printf("  | x%.2f wall, x%.2f cpu, %+.1f MiB", w.median / fw.median, u.median / fc.median,
             m.median - fm.median);
    printf("\n");
  }
  xcb_disconnect(c);
  return 0;
}
