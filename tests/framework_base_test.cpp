// SPDX-License-Identifier: MIT
// CString, memory files and message boxes through the framework.
#include <cstring>

#include "tests/framework_fixture.h"

using namespace fwtest;

TEST(FrameworkString, FormatSizesItsBufferToTheText) {
  CString s;
  s.Format("%2d|%i|%s", 7, 36, "бито");
  EXPECT_EQ(s, " 7|36|бито");
  std::string wide(3000, 'x');
  s.Format("[%s]", wide.c_str());
  EXPECT_EQ(s.GetLength(), 3002);
  EXPECT_EQ(s.Right(2), CString("x]"));
}

TEST(FrameworkString, RangesAreClampedToTheText) {
  const CString s("abcdef");
  struct Case {
    CString got;
    const char* want;
  } cases[] = {
      {s.Left(3), "abc"},  {s.Left(-1), ""},        {s.Left(99), "abcdef"}, {s.Mid(2), "cdef"},
      {s.Mid(2, 2), "cd"}, {s.Mid(4, 99), "ef"},    {s.Mid(99), ""},        {s.Mid(-3, 2), "ab"},
      {s.Right(2), "ef"},  {s.Right(99), "abcdef"}, {s.Right(-5), ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.got, c.want);
  }
  EXPECT_EQ(s.Find("cd"), 2);
  EXPECT_EQ(s.Find("cd", 3), -1);
  EXPECT_EQ(s.Find('f', 99), -1);
  EXPECT_EQ(s.Find('a', -1), -1);
}

TEST(FrameworkString, BufferAccessTrimsAtTheEnd) {
  CString s;
  char* p = s.GetBuffer(16);
  strcpy(p, "%1");
  s.ReleaseBuffer();
  EXPECT_EQ(s, "%1");
  p = s.GetBuffer(0);
  s.ReleaseBuffer(1);
  EXPECT_EQ(s, "%");
}

TEST_F(FrameworkTest, LoadStringReadsLongTextsWholeAndFailsEmpty) {
  CString s;
  ASSERT_TRUE(s.LoadString(kLong));
  EXPECT_EQ(s.GetLength(), (int)LongText().size());
  EXPECT_TRUE(s.str() == LongText());
  s = "left over";
  EXPECT_FALSE(s.LoadString(4321));
  EXPECT_TRUE(s.IsEmpty());
  s.LoadString(kGreeting);
  CString greeting;
  greeting.Format(s, "Шарик");
  EXPECT_EQ(greeting, "Привет, Шарик!");
}

TEST(FrameworkMemFile, FixedBufferNeverReadsOrWritesPastItsSize) {
  BYTE backing[16];
  memset(backing, 0xEE, sizeof backing);
  memcpy(backing, "abcdefgh", 8);
  CMemFile file(backing, 8);  // growth 0: the file is the 8 bytes
  EXPECT_EQ(file.GetLength(), 8u);

  char out[32] = {};
  EXPECT_EQ(file.Read(out, 5), 5u);
  EXPECT_EQ(file.Read(out + 5, 30), 3u);
  EXPECT_STREQ(out, "abcdefgh");
  EXPECT_EQ(file.Read(out, 1), 0u);

  file.Seek(-2, CFile::end);
  file.Write("XYZW", 4);  // only two fit
  EXPECT_EQ(file.GetLength(), 8u);
  EXPECT_EQ(memcmp(backing, "abcdefXY", 8), 0);
  EXPECT_EQ(backing[8], 0xEE);
  file.Write("Q", 1);
  EXPECT_EQ(backing[8], 0xEE);
}

TEST(FrameworkMemFile, SeekClampsIntoTheFile) {
  BYTE bytes[10] = {};
  CMemFile file(bytes, sizeof bytes);
  struct Case {
    LONG offset;
    UINT from;
    LONG want;
  } cases[] = {
      {4, CFile::begin, 4},     {3, CFile::current, 7}, {100, CFile::current, 10},
      {-3, CFile::end, 7},      {-50, CFile::begin, 0}, {5, CFile::end, 10},
      {-99, CFile::current, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(file.Seek(c.offset, c.from), c.want) << c.offset << " from " << c.from;
    EXPECT_EQ(file.GetPosition(), (DWORD)c.want);
  }
}

TEST(FrameworkMemFile, GrowingFileKeepsWhatWasWritten) {
  CMemFile file(4);
  for (int i = 0; i < 100; ++i) {
    BYTE b = (BYTE)i;
    file.Write(&b, 1);
  }
  EXPECT_EQ(file.GetLength(), 100u);
  file.SeekToBegin();
  BYTE back[100] = {};
  EXPECT_EQ(file.Read(back, 200), 100u);
  EXPECT_EQ(back[0], 0);
  EXPECT_EQ(back[99], 99);

  // A caller's buffer that must grow is copied, never reallocated.
  BYTE mine[4] = {'a', 'b', 'c', 'd'};
  CMemFile over(mine, sizeof mine, 8);
  EXPECT_EQ(over.GetLength(), 0u);
  over.Write("0123456789", 10);
  EXPECT_EQ(over.GetLength(), 10u);
  EXPECT_EQ(memcmp(mine, "abcd", 4), 0);
  over.SeekToBegin();
  char back10[10] = {};
  EXPECT_EQ(over.Read(back10, 10), 10u);
  EXPECT_EQ(memcmp(back10, "0123456789", 10), 0);
}

TEST(FrameworkFile, DiskFileRoundTripAndReadOfMissingFile) {
  std::string path = ::testing::TempDir() + "framework_file.bin";
  {
    CFile out;
    ASSERT_TRUE(out.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeBinary));
    out.Write("BM\0\1", 4);
  }
  CFile in;
  ASSERT_TRUE(in.Open(path.c_str(), CFile::modeRead | CFile::typeBinary));
  EXPECT_EQ(in.GetLength(), 4u);
  EXPECT_EQ(in.Seek(10, CFile::begin), 4);
  in.SeekToBegin();
  char got[8] = {};
  EXPECT_EQ(in.Read(got, 8), 4u);
  EXPECT_EQ(memcmp(got, "BM\0\1", 4), 0);
  in.Close();
  std::remove(path.c_str());
  CFile missing;
  EXPECT_FALSE(missing.Open(path.c_str(), CFile::modeRead));
  EXPECT_EQ(missing.Read(got, 8), 0u);
}

TEST_F(FrameworkTest, MessageBoxesTakeTheModuleNameAsCaption) {
  testing_seams::ScriptMessageBoxes(true);
  testing_seams::ClearMessageBoxCalls();
  testing_seams::QueueMessageBoxAnswer(IDNO);
  EXPECT_EQ(AfxMessageBox("Начать новую игру?", MB_YESNO | MB_ICONQUESTION), IDNO);
  AfxMessageBox(kGreeting);
  const auto& calls = testing_seams::MessageBoxCalls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].caption, "Zorv");
  EXPECT_EQ(calls[0].text, "Начать новую игру?");
  EXPECT_EQ(calls[0].type, (UINT)(MB_YESNO | MB_ICONQUESTION));
  EXPECT_EQ(calls[1].text, "Привет, %s!");
  EXPECT_EQ(calls[1].caption, "Zorv");
  EXPECT_STREQ(AfxGetAppName(), "Zorv");
}

TEST_F(FrameworkTest, NamedApplicationCaptionsItsBoxes) {
  testing_seams::ScriptMessageBoxes(true);
  testing_seams::ClearMessageBoxCalls();
  {
    CWinApp app("Проба");
    AfxMessageBox("x");
    EXPECT_EQ(AfxGetApp(), &app);
  }
  AfxMessageBox("y");
  const auto& calls = testing_seams::MessageBoxCalls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].caption, "Проба");
  EXPECT_EQ(calls[1].caption, "Zorv");
}
