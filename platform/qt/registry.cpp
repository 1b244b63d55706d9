// SPDX-License-Identifier: MIT
// The registry, read only, as far as the program asks it: the class of web
// pages (".htm") and that class's open command, answered from the desktop's
// MIME associations (mimeapps.list, mimeinfo.cache and .desktop files).
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>
#include <QTextStream>
#include <algorithm>
#include <cctype>
#include <cstring>
#include <memory>
#include <optional>
#include <set>

#include <windows.h>
#include "platform/testing_shell.h"

namespace {

const LONG kErrorInvalidHandle = 6;
const LONG kErrorInvalidParameter = 87;

const char kHtmlClass[] = "htmlfile";

struct OpenKey {
  std::string path;  // under HKEY_CLASSES_ROOT, lower case, backslashes
};

std::set<OpenKey*>& openKeys() {
  static std::set<OpenKey*> keys;
  return keys;
}

std::optional<std::map<std::string, std::string>>& replacedRegistry() {
  static std::optional<std::map<std::string, std::string>> registry;
  return registry;
}

// Key names compare without regard to case, as the platform's do.
std::string lowerKey(std::string path) {
  std::transform(path.begin(), path.end(), path.begin(),
                 [](unsigned char c) { return c < 0x80 ? (char)std::tolower(c) : (char)c; });
  return path;
}

QStringList searchDirs(const char* homeVar, const QString& homeDefault, const char* dirsVar,
                       const QString& dirsDefault) {
  QStringList dirs;
  QString home = qEnvironmentVariable(homeVar);
  dirs << (home.isEmpty() ? QDir::homePath() + homeDefault : home);
  QString more = qEnvironmentVariable(dirsVar);
  dirs << (more.isEmpty() ? dirsDefault : more).split(QLatin1Char(':'), Qt::SkipEmptyParts);
  return dirs;
}

QStringList applicationDirs() {
  QStringList dirs;
  for (const QString& dir :
       searchDirs("XDG_DATA_HOME", QStringLiteral("/.local/share"), "XDG_DATA_DIRS",
                  QStringLiteral("/usr/local/share:/usr/share"))) {
    dirs << dir + QStringLiteral("/applications");
  }
  return dirs;
}

// The desktop ids a list file gives for a MIME type in a group.
QStringList listedHandlers(const QString& fileName, const QString& group, const QString& mime) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
    return {};
  }
  QTextStream in(&file);
  bool inGroup = false;
  while (!in.atEnd()) {
    QString line = in.readLine().trimmed();
    if (line.startsWith(QLatin1Char('['))) {
      inGroup = line == QLatin1Char('[') + group + QLatin1Char(']');
    } else if (inGroup && line.startsWith(mime + QLatin1Char('='))) {
      return line.mid(mime.size() + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts);
    }
  }
  return {};
}

QString findDesktopFile(const QString& desktopId) {
  for (const QString& dir : applicationDirs()) {
    QString path = dir + QLatin1Char('/') + desktopId;
    if (QFileInfo(path).isFile()) {
      return path;
    }
  }
  return {};
}

// The Exec line of a desktop entry.
QString execLine(const QString& desktopFile) {
  QFile file(desktopFile);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
    return {};
  }
  QTextStream in(&file);
  bool inEntry = false;
  while (!in.atEnd()) {
    QString line = in.readLine().trimmed();
    if (line.startsWith(QLatin1Char('['))) {
      inEntry = line == QStringLiteral("[Desktop Entry]");
    } else if (inEntry && line.startsWith(QStringLiteral("Exec="))) {
      return line.mid(5);
    }
  }
  return {};
}

// The Exec value's arguments: the string escapes of desktop entries, then
// double quotes with \" \` \$ \\ inside them.
QStringList splitExec(const QString& exec) {
  QString unescaped;
  for (int i = 0; i < exec.size(); ++i) {
    if (exec[i] == QLatin1Char('\\') && i + 1 < exec.size()) {
      QChar next = exec[i + 1];
      if (next == QLatin1Char('s')) {
        unescaped += QLatin1Char(' ');
        ++i;
        continue;
      }
      if (next == QLatin1Char('\\')) {
        unescaped += QStringLiteral("\\\\");
        ++i;
        continue;
      }
    }
    unescaped += exec[i];
  }
  QStringList args;
  QString current;
  bool inArg = false;
  bool quoted = false;
  for (int i = 0; i < unescaped.size(); ++i) {
    QChar ch = unescaped[i];
    if (quoted && ch == QLatin1Char('\\') && i + 1 < unescaped.size()) {
      current += unescaped[++i];
    } else if (ch == QLatin1Char('"')) {
      quoted = !quoted;
      inArg = true;
    } else if (!quoted && (ch == QLatin1Char(' ') || ch == QLatin1Char('\t'))) {
      if (inArg) {
        args << current;
        current.clear();
        inArg = false;
      }
    } else {
      current += ch;
      inArg = true;
    }
  }
  if (inArg) {
    args << current;
  }
  return args;
}

// One argument of a command line as WinExec reads it back: quoted when it
// has to be, or always (the program, as registered commands have it).
std::string quoteArgument(const QString& arg, bool always = false) {
  std::string text = arg.toUtf8().toStdString();
  if (!always && !text.empty() && text.find_first_of(" \t\"\\") == std::string::npos) {
    return text;
  }
  std::string quoted = "\"";
  for (char ch : text) {
    if (ch == '"' || ch == '\\') {
      quoted += '\\';
    }
    quoted += ch;
  }
  return quoted + "\"";
}

// The command line of a desktop entry, with "%1" where the file or URL goes.
std::string commandFromExec(const QString& exec) {
  QStringList args = splitExec(exec);
  if (args.isEmpty()) {
    return {};
  }
  QString program = args.takeFirst();
  if (!program.contains(QLatin1Char('/'))) {
    program = QStandardPaths::findExecutable(program);
    if (program.isEmpty()) {
      return {};
    }
  }
  std::string command = quoteArgument(program, true);
  bool placed = false;
  for (const QString& arg : args) {
    static const QStringList kTargetCodes = {QStringLiteral("%u"), QStringLiteral("%U"),
                                             QStringLiteral("%f"), QStringLiteral("%F")};
    if (kTargetCodes.contains(arg)) {
      if (!placed) {
        command += " \"%1\"";
        placed = true;
      }
      continue;
    }
    if (arg == QStringLiteral("%i") || arg == QStringLiteral("%c") || arg == QStringLiteral("%k")) {
      continue;
    }
    QString plain = arg;
    plain.replace(QStringLiteral("%%"), QStringLiteral("%"));
    command += " " + quoteArgument(plain);
  }
  if (!placed) {
    command += " \"%1\"";
  }
  return command;
}

// The command line of the desktop's handler of web pages, or empty.
std::string webPageCommand() {
  QStringList lists;
  for (const QString& dir : searchDirs("XDG_CONFIG_HOME", QStringLiteral("/.config"),
                                       "XDG_CONFIG_DIRS", QStringLiteral("/etc/xdg"))) {
    lists << dir + QStringLiteral("/mimeapps.list");
  }
  const QStringList appDirs = applicationDirs();
  for (const QString& dir : appDirs) {
    lists << dir + QStringLiteral("/mimeapps.list");
  }
  for (const QString& mime :
       {QStringLiteral("text/html"), QStringLiteral("x-scheme-handler/http")}) {
    QStringList candidates;
    for (const QString& list : lists) {
      candidates << listedHandlers(list, QStringLiteral("Default Applications"), mime);
    }
    for (const QString& dir : appDirs) {
      candidates << listedHandlers(dir + QStringLiteral("/mimeinfo.cache"),
                                   QStringLiteral("MIME Cache"), mime);
    }
    for (const QString& id : candidates) {
      QString file = findDesktopFile(id.trimmed());
      if (file.isEmpty()) {
        continue;
      }
      std::string command = commandFromExec(execLine(file));
      if (!command.empty()) {
        return command;
      }
    }
  }
  return {};
}

// The keys of HKEY_CLASSES_ROOT with their default values.
std::map<std::string, std::string> classesRoot() {
  if (replacedRegistry()) {
    return *replacedRegistry();
  }
  std::map<std::string, std::string> keys;
  std::string command = webPageCommand();
  if (!command.empty()) {
    keys[".htm"] = kHtmlClass;
    keys[".html"] = kHtmlClass;
    keys[std::string(kHtmlClass) + "\\shell\\open\\command"] = command;
  }
  return keys;
}

// The value of a key, or nothing when the key does not exist. A key that is
// only a parent of others exists with an empty value.
std::optional<std::string> lookUp(const std::string& path) {
  std::string wanted = lowerKey(path);
  for (const auto& [key, value] : classesRoot()) {
    std::string name = lowerKey(key);
    if (name == wanted) {
      return value;
    }
    if (name.size() > wanted.size() && name.compare(0, wanted.size(), wanted) == 0 &&
        name[wanted.size()] == '\\') {
      return std::string();
    }
  }
  return std::nullopt;
}

// The path under HKEY_CLASSES_ROOT that key\subKey names, or nothing when
// the key is not one of ours.
std::optional<std::string> resolve(HKEY key, LPCSTR subKey) {
  std::string base;
  if (key == HKEY_CLASSES_ROOT) {
    base.clear();
  } else if (openKeys().count(reinterpret_cast<OpenKey*>(key))) {
    base = reinterpret_cast<OpenKey*>(key)->path;
  } else {
    return std::nullopt;
  }
  std::string sub = subKey ? subKey : "";
  if (sub.empty()) {
    return base;
  }
  return base.empty() ? sub : base + "\\" + sub;
}

bool isKnownKey(HKEY key) {
  return key == HKEY_CLASSES_ROOT || key == HKEY_CURRENT_USER || key == HKEY_LOCAL_MACHINE ||
         openKeys().count(reinterpret_cast<OpenKey*>(key)) != 0;
}

}  // namespace

namespace testing_seams {

void ReplaceRegistry(const std::map<std::string, std::string>& keys) {
  replacedRegistry() = keys;
}

void RestoreRegistry() {
  replacedRegistry().reset();
}

}  // namespace testing_seams

LONG RegOpenKeyEx(HKEY key, LPCSTR subKey, DWORD, REGSAM, PHKEY result) {
  if (result == nullptr) {
    return kErrorInvalidParameter;
  }
  *result = nullptr;
  if (!isKnownKey(key)) {
    return kErrorInvalidHandle;
  }
  std::optional<std::string> path = resolve(key, subKey);
  if (!path || (!path->empty() && !lookUp(*path))) {
    return ERROR_FILE_NOT_FOUND;
  }
  auto* open = new OpenKey{lowerKey(*path)};
  openKeys().insert(open);
  *result = reinterpret_cast<HKEY>(open);
  return ERROR_SUCCESS;
}

LONG RegQueryValue(HKEY key, LPCSTR subKey, LPSTR value, PLONG valueSize) {
  if (!isKnownKey(key)) {
    return kErrorInvalidHandle;
  }
  if (value != nullptr && valueSize == nullptr) {
    return kErrorInvalidParameter;
  }
  std::optional<std::string> path = resolve(key, subKey);
  std::optional<std::string> text = path ? lookUp(*path) : std::nullopt;
  if (path && path->empty()) {
    text = std::string();
  }
  if (!text) {
    return ERROR_FILE_NOT_FOUND;
  }
  LONG needed = (LONG)text->size() + 1;
  if (value == nullptr) {
    if (valueSize != nullptr) {
      *valueSize = needed;
    }
    return ERROR_SUCCESS;
  }
  // Never past the caller's buffer: a value that does not fit is refused
  // whole, with the size it needs.
  if (*valueSize < needed) {
    *valueSize = needed;
    return ERROR_MORE_DATA;
  }
  std::memcpy(value, text->c_str(), (size_t)needed);
  *valueSize = needed;
  return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY key) {
  auto* open = reinterpret_cast<OpenKey*>(key);
  if (openKeys().erase(open) == 0) {
    return isKnownKey(key) ? ERROR_SUCCESS : kErrorInvalidHandle;
  }
  delete open;
  return ERROR_SUCCESS;
}
