// SPDX-License-Identifier: MIT
// The shell and the registry view: how WinExec reads a command line, what
// the registry answers from the desktop's associations and from a test's
// replacement, and that a value never runs past the caller's buffer.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <cstring>
#include <string>
#include <vector>

#include <windows.h>
#include "platform/testing_shell.h"

namespace {

TEST(DialogsShell, WinExecStartsProgramsWithoutAShell) {
  EXPECT_EQ(WinExec("/nonexistent/zorv-browser http://a.example/", SW_SHOW), 2u);
  EXPECT_EQ(WinExec("no-such-program-of-zorv http://a.example/", SW_SHOW), 2u);
  EXPECT_EQ(WinExec("", SW_SHOW), 2u);
  // Each quoted part reaches the program whole, and no shell reads the ";".
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  std::string base = dir.path().toStdString();
  std::string line = "touch \"" + base + "/a b\" \"" + base + "/c;d\"";
  EXPECT_GT(WinExec(line.c_str(), SW_SHOW), 31u);
  for (int i = 0; i < 100 && !QFile::exists(dir.path() + "/c;d"); ++i) {
    QThread::msleep(50);
  }
  EXPECT_TRUE(QFile::exists(dir.path() + "/a b"));
  EXPECT_TRUE(QFile::exists(dir.path() + "/c;d"));
  EXPECT_FALSE(QFile::exists(dir.path() + "/a"));
}

TEST(DialogsShell, ReplacedRegistryAnswersKeysAndRefusesShortBuffers) {
  testing_seams::ReplaceRegistry(
      {{".htm", "htmlfile"}, {"htmlfile\\shell\\open\\command", "\"/bin/b\" \"%1\""}});
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyEx(HKEY_CLASSES_ROOT, ".HTM", 0, KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
  char value[16];
  LONG size = sizeof value;
  EXPECT_EQ(RegQueryValue(key, nullptr, value, &size), ERROR_SUCCESS);
  EXPECT_STREQ(value, "htmlfile");
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);

  ASSERT_EQ(RegOpenKeyEx(HKEY_CLASSES_ROOT, "htmlfile\\shell", 0, KEY_QUERY_VALUE, &key),
            ERROR_SUCCESS);
  // A value that does not fit is refused whole; the buffer is not written.
  char small[8];
  std::memset(small, 'x', sizeof small);
  size = sizeof small;
  EXPECT_EQ(RegQueryValue(key, "open\\command", small, &size), ERROR_MORE_DATA);
  EXPECT_EQ(size, 14);
  EXPECT_EQ(small[0], 'x');
  RegCloseKey(key);

  EXPECT_EQ(RegOpenKeyEx(HKEY_CLASSES_ROOT, ".txt", 0, KEY_QUERY_VALUE, &key),
            ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, ".htm", 0, KEY_QUERY_VALUE, &key),
            ERROR_FILE_NOT_FOUND);
  testing_seams::RestoreRegistry();
}

// The registry's answer comes from the desktop's files: a default handler
// for web pages in mimeapps.list and its desktop entry.
TEST(DialogsShell, RegistryReadsTheDesktopsWebPageHandler) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QDir(dir.path()).mkpath("config");
  QDir(dir.path()).mkpath("data/applications");
  auto write = [&](const QString& name, const QByteArray& text) {
    QFile file(dir.path() + "/" + name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
  };
  write("config/mimeapps.list",
        "[Added Associations]\ntext/html=other.desktop;\n"
        "[Default Applications]\ntext/html=missing.desktop;web.desktop;\n");
  write("data/applications/web.desktop",
        "[Desktop Entry]\nName=Web\nExec=\"/opt/web browser/run\" --new-tab %U\n"
        "[Desktop Action x]\nExec=/bin/false\n");
  const char* vars[] = {"XDG_CONFIG_HOME", "XDG_CONFIG_DIRS", "XDG_DATA_HOME", "XDG_DATA_DIRS"};
  QByteArray saved[4];
  for (int i = 0; i < 4; ++i) {
    saved[i] = qgetenv(vars[i]);
  }
  qputenv("XDG_CONFIG_HOME", (dir.path() + "/config").toUtf8());
  qputenv("XDG_CONFIG_DIRS", (dir.path() + "/none").toUtf8());
  qputenv("XDG_DATA_HOME", (dir.path() + "/data").toUtf8());
  qputenv("XDG_DATA_DIRS", (dir.path() + "/none").toUtf8());

  char value[MAX_PATH];
  LONG size = sizeof value;
  EXPECT_EQ(RegQueryValue(HKEY_CLASSES_ROOT, ".htm", value, &size), ERROR_SUCCESS);
  EXPECT_STREQ(value, "htmlfile");
  size = sizeof value;
  EXPECT_EQ(RegQueryValue(HKEY_CLASSES_ROOT, "htmlfile\\shell\\open\\command", value, &size),
            ERROR_SUCCESS);
  EXPECT_STREQ(value, "\"/opt/web browser/run\" --new-tab \"%1\"");

  write("config/mimeapps.list", "[Default Applications]\nimage/png=web.desktop\n");
  size = sizeof value;
  EXPECT_EQ(RegQueryValue(HKEY_CLASSES_ROOT, ".htm", value, &size), ERROR_FILE_NOT_FOUND);

  for (int i = 0; i < 4; ++i) {
    if (saved[i].isNull()) {
      qunsetenv(vars[i]);
    } else {
      qputenv(vars[i], saved[i]);
    }
  }
}

}  // namespace
