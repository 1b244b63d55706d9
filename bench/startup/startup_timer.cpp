// SPDX-License-Identifier: MIT
// zorv_startup [--runs N] NAME=COMMAND ...: times each command from its exec
// to its first top-level window mapped on the X display, by wall time and
// by the CPU time its processes have used by then, the commands taking
// turns run after run, so that whatever else the machine does falls on all
// of them alike. Prints each one's median with its spread, and the ratio of
// each median to the last command's (the floor).
//
// Once the window is mapped, its pixels are read back from the screen until
// they have been still for a quarter of a second (less than a caret's blink):
// the last change before, from the exec, is when the window was drawn whole
// (a window can be mapped well before that).
//
// With NAME@X,Y=COMMAND the run goes on once the window is still: a click at
// X,Y in the window (through XTest), then the time from the click to the
// first and to the last pixel of the window that changes.
#include <signal.h>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <xcb/shm.h>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

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
  int clickX = -1, clickY = -1;  // in the window; none when negative
  std::vector<double> wallMs, cpuMs, peakMiB, drawnMs;
  std::vector<double> firstPixelMs, lastPixelMs;
  int clicksUnanswered = 0;
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
  xcb_atom_t a = r ? r->atom : (xcb_atom_t)XCB_ATOM_NONE;
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

// A round trip: the server has handled every request before it.
void sync(xcb_connection_t* c) {
  free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
}

// The window's pixels as the screen shows them (no compositor on Xvfb: the
// root holds what is drawn), read through shared memory where the server
// offers it, so that reading them keeps the server, which the program
// draws through, as little as may be from its work.
struct Area {
  int16_t x, y;
  uint16_t width, height;
};

class Pixels {
 public:
  Pixels(xcb_connection_t* c, xcb_window_t root, const Area& a) : c_(c), root_(root), a_(a) {
    const size_t size = (size_t)a.width * a.height * 4;
    xcb_shm_query_version_reply_t* shm =
        xcb_shm_query_version_reply(c, xcb_shm_query_version(c), nullptr);
    if (shm && (id_ = shmget(IPC_PRIVATE, size, IPC_CREAT | 0600)) >= 0) {
      data_ = (char*)shmat(id_, nullptr, 0);
      seg_ = xcb_generate_id(c);
      xcb_shm_attach(c, seg_, (uint32_t)id_, 0);
      size_ = size;
    }
    free(shm);
  }
  ~Pixels() {
    if (data_) {
      xcb_shm_detach(c_, seg_);
      shmdt(data_);
      shmctl(id_, IPC_RMID, nullptr);
    }
  }
  uint16_t width() const { return a_.width; }
  // Reads them into `into`; empty where the window has gone.
  void read(std::string& into) {
    if (data_) {
      xcb_shm_get_image_reply_t* r =
          xcb_shm_get_image_reply(c_,
                                  xcb_shm_get_image(c_, root_, a_.x, a_.y, a_.width, a_.height, ~0u,
                                                    XCB_IMAGE_FORMAT_Z_PIXMAP, seg_, 0),
                                  nullptr);
      if (r)
        into.assign(data_, size_);
      else
        into.clear();
      free(r);
      return;
    }
    xcb_get_image_reply_t* r = xcb_get_image_reply(
        c_,
        xcb_get_image(c_, XCB_IMAGE_FORMAT_Z_PIXMAP, root_, a_.x, a_.y, a_.width, a_.height, ~0u),
        nullptr);
    if (r)
      into.assign((const char*)xcb_get_image_data(r), (size_t)xcb_get_image_data_length(r));
    else
      into.clear();
    free(r);
  }

 private:
  xcb_connection_t* c_;
  xcb_window_t root_;
  Area a_;
  int id_ = -1;
  xcb_shm_seg_t seg_ = 0;
  char* data_ = nullptr;
  size_t size_ = 0;
};

bool g_trace = false;

// The box of the pixels that differ, for --trace.
void printChange(const std::string& was, const std::string& now, uint16_t width, double at) {
  int x0 = INT16_MAX, y0 = INT16_MAX, x1 = -1, y1 = -1;
  for (size_t i = 0; i + 4 <= now.size() && i + 4 <= was.size(); i += 4) {
    if (memcmp(&now[i], &was[i], 4)) {
      const int x = (int)(i / 4 % width), y = (int)(i / 4 / width);
      x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
    }
  }
  fprintf(stderr, "  %6.1f ms: %d,%d-%d,%d\n", at, x0, y0, x1, y1);
}

// Waits until the pixels have not changed for stillMs (or untilMs passed),
// giving the times of the first and the last change after `from`.
void watch(Pixels& pixels, double from, double stillMs, double untilMs, double& first, double& last,
           bool trace = false) {
  first = last = -1;
  std::string seen, now;
  pixels.read(seen);
  double stillSince = nowMs();
  for (double t = stillSince; t - stillSince < stillMs && t < untilMs; t = nowMs()) {
    usleep(200);  // the server's time is the program's too
    pixels.read(now);
    t = nowMs();
    if (now != seen) {
      if (trace)
        printChange(seen, now, pixels.width(), t - from);
      if (first < 0)
        first = t - from;
      last = t - from;
      seen.swap(now);
      stillSince = t;
    }
  }
}

// Until the window is still, then one click in it, where there is one, and
// the pixels it changes. `start` is the exec, `mapped` the window's mapping.
void afterMap(xcb_connection_t* c, xcb_window_t root, xcb_window_t w, Command& cmd, double start,
              double mapped) {
  xcb_get_geometry_reply_t* g = xcb_get_geometry_reply(c, xcb_get_geometry(c, w), nullptr);
  xcb_translate_coordinates_reply_t* at =
      xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, w, root, 0, 0), nullptr);
  if (!g || !at) {
    free(g), free(at);
    return;
  }
  const Area area{at->dst_x, at->dst_y, g->width, g->height};
  free(g), free(at);
  Pixels pixels(c, root, area);
  double first, last;
  watch(pixels, start, 250, nowMs() + 10000, first, last);
  cmd.drawnMs.push_back(last >= 0 ? last : mapped - start);
  if (cmd.clickX < 0)
    return;
  watch(pixels, nowMs(), 1000, nowMs() + 10000, first, last);
  const int16_t x = (int16_t)(area.x + cmd.clickX), y = (int16_t)(area.y + cmd.clickY);
  xcb_test_fake_input(c, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, root, x, y, 0);
  sync(c);
  usleep(50000);  // the pointer's arrival is not part of the click
  watch(pixels, nowMs(), 100, nowMs() + 1000, first, last);
  xcb_test_fake_input(c, XCB_BUTTON_PRESS, 1, XCB_CURRENT_TIME, root, 0, 0, 0);
  xcb_test_fake_input(c, XCB_BUTTON_RELEASE, 1, XCB_CURRENT_TIME, root, 0, 0, 0);
  sync(c);
  const double click = nowMs();
  watch(pixels, click, 500, click + 5000, first, last, g_trace);
  if (first < 0) {
    ++cmd.clicksUnanswered;
    return;
  }
  cmd.firstPixelMs.push_back(first);
  cmd.lastPixelMs.push_back(last);
}

// One run: exec, then wait for a window of the command's processes to map.
bool runOnce(xcb_connection_t* c, xcb_window_t root, xcb_atom_t netWmPid, Command& cmd) {
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
        afterMap(c, root, map->window, cmd, start, at);
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
    if (!strcmp(argv[i], "--trace")) {
      g_trace = true;
      continue;
    }
    if (!strcmp(argv[i], "--runs") && i + 1 < argc) {
      runs = std::max(1, atoi(argv[++i]));
      continue;
    }
    const char* eq = strchr(argv[i], '=');
    if (!eq) {
      fprintf(stderr,
              "usage: zorv_startup [--runs N] [--trace] NAME[@X,Y]=COMMAND... (the last is the "
              "floor)\n");
      return 2;
    }
    Command cmd;
    cmd.name.assign(argv[i], (size_t)(eq - argv[i]));
    const size_t click = cmd.name.find('@');
    if (click != std::string::npos) {
      if (sscanf(cmd.name.c_str() + click + 1, "%d,%d", &cmd.clickX, &cmd.clickY) != 2) {
        fprintf(stderr, "zorv_startup: %s: a click is NAME@X,Y\n", argv[i]);
        return 2;
      }
      cmd.name.resize(click);
    }
    std::istringstream words(eq + 1);
    for (std::string w; words >> w;)
      cmd.argv.push_back(w);
    commands.push_back(cmd);
  }
  if (commands.empty()) {
    fprintf(
        stderr,
        "usage: zorv_startup [--runs N] [--trace] NAME[@X,Y]=COMMAND... (the last is the floor)\n");
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
      const Command before = cmd;
      if (!runOnce(c, screen->root, netWmPid, cmd))
        return 1;
      if (round < 0)
        cmd = before;
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
  printf("exec to the window's last pixel drawn, before a quarter of a second with none\n");
  const Spread fd = spread(floor.drawnMs);
  for (const Command& cmd : commands) {
    Spread d = spread(cmd.drawnMs);
    printf("%-12s drawn %6.1f ms (%.1f-%.1f)", cmd.name.c_str(), d.median, d.low, d.high);
    if (&cmd != &floor)
      printf("  | x%.2f", d.median / fd.median);
    printf("\n");
  }
  for (const Command& cmd : commands) {
    if (cmd.clickX < 0)
      continue;
    printf("%-12s click at %d,%d: ", cmd.name.c_str(), cmd.clickX, cmd.clickY);
    if (!cmd.firstPixelMs.empty()) {
      Spread f = spread(cmd.firstPixelMs), l = spread(cmd.lastPixelMs);
      printf("first pixel %.1f ms (%.1f-%.1f), last pixel %.1f ms (%.1f-%.1f)", f.median, f.low,
             f.high, l.median, l.low, l.high);
    }
    printf("; %d of %d clicks changed nothing\n", cmd.clicksUnanswered,
           cmd.clicksUnanswered + (int)cmd.firstPixelMs.size());
  }
  xcb_disconnect(c);
  return 0;
}
