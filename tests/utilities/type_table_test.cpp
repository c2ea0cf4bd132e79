#include "utilities/type_table.h"

#include "utilities/prototype_options.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace trawlex::utilities {
namespace {

constexpr const char* kTable =
    "! comments and skipped lines\r\n"
    "; semicolon\r\n"
    " INDENTED  EQUATE(LONG)\r\n"
    "/ slash\r\n"
    "\r\n"
    "HKEY        EQUATE(HANDLE_T)    ! handle of a registry key\r\n"
    "DWORD       EQUATE(ULONG)       ! 32-bit unsigned\r\n"
    "LPARAM      EQUATE(LONG_T)\r\n"
    "HWND        EQUATE(HANDLE_T)    ! handle of a window\r\n"
    "AB EQUATE(SHORT)\r\n"
    "A EQUATE(BYTE)\r\n"
    "NOEQUATE    LONG\r\n";

class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "trawlex-wt-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
  }
  ~TempDir() { std::filesystem::remove_all(path_); }
  const std::filesystem::path& path() const { return path_; }
  void Write(const char* name, const std::string& text) const {
    std::ofstream(path_ / name, std::ios::binary) << text;
  }

 private:
  std::filesystem::path path_;
};

TEST(TypeTable, ReadsEntriesSkipsCommentsAndRejectsMalformedLines) {
  const TypeTableParse parse = ParseTypeTable(kTable);
  ASSERT_EQ(parse.table.entries.size(), 5u);
  const WinTypeEntry* hkey = parse.table.Find("hkey");
  ASSERT_NE(hkey, nullptr);
  EXPECT_EQ(hkey->vlaType, "HANDLE_T");
  EXPECT_EQ(hkey->description, "handle of a registry key");
  EXPECT_EQ(parse.table.Find("INDENTED"), nullptr);
  EXPECT_NE(parse.table.Find("AB"), nullptr);  // EQUATE( right after the third character
  ASSERT_EQ(parse.rejected.size(), 2u);
  EXPECT_EQ(parse.rejected[0].lineNumber, 11);  // "A EQUATE(": too early
  EXPECT_EQ(parse.rejected[1].line, "NOEQUATE    LONG");
}

TEST(TypeTable, BuildsEachTTypeOnceWithItsThirtyTwoBitType) {
  const TypeTable table = ParseTypeTable(kTable).table;
  ASSERT_EQ(table.tTypes.size(), 2u);
  EXPECT_EQ(table.tTypes[0].typeT, "HANDLE_T");
  EXPECT_EQ(table.tTypes[0].typeNot, "UNSIGNED");
  EXPECT_EQ(table.tTypes[1].typeT, "LONG_T");
  EXPECT_EQ(table.tTypes[1].typeNot, "SIGNED");
  EXPECT_EQ(TypeTEquatesText(table).substr(0, 34), "HANDLE_T          EQUATE(UNSIGNED)");
}

TEST(TypeTable, RefusesFieldsWiderThanTheColumnsInsteadOfCuttingThem) {
  const std::string longName(33, 'X');
  const TypeTableParse parse = ParseTypeTable(longName + " EQUATE(LONG)\n");
  EXPECT_TRUE(parse.table.entries.empty());
  ASSERT_EQ(parse.rejected.size(), 1u);
  EXPECT_EQ(parse.rejected[0].reason, "the Windows type is longer than 32");
}

TEST(TypeTable, PrefersTheUserFileAndReportsAMissingOne) {
  TempDir dir;
  TypeTableLoad missing = LoadTypeTable(dir.path());
  EXPECT_EQ(missing.file, dir.path() / "WinTypes.VLW");
  EXPECT_EQ(missing.error.rfind("Open \"" + missing.file.string() + "\" Error: 302 ", 0), 0u)
      << missing.error;
  dir.Write("WinTypes.VLW", "DWORD   EQUATE(ULONG)\n");
  dir.Write("WinTypesUser.VLW", "DWORD   EQUATE(LONG)\n");
  TypeTableLoad load = LoadTypeTable(dir.path());
  EXPECT_TRUE(load.error.empty());
  EXPECT_EQ(load.file, dir.path() / "WinTypesUser.VLW");
  EXPECT_EQ(load.parse.table.Find("DWORD")->vlaType, "LONG");
}

TEST(TypeTable, ShippedFileParsesWithoutRejectedLines) {
  std::ifstream in(std::filesystem::path(TRAWLEX_SOURCE_DIR) / "share/WinTypes.vlw.Shipped",
                   std::ios::binary);
  ASSERT_TRUE(in);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const TypeTableParse parse = ParseTypeTable(text);
  for (const auto& r : parse.rejected) ADD_FAILURE() << r.lineNumber << ": " << r.reason;
  EXPECT_GE(parse.table.entries.size(), 300u);
  EXPECT_EQ(parse.table.tTypes.size(), 4u);  // HANDLE_T, ULONG_T, LONG_T, POINTER_T
  EXPECT_EQ(parse.table.Find("lpdword")->vlaType, "*DWORD");
}

TEST(ProtoOptions, DefaultsAndRoundTripThroughTheIniFile) {
  TempDir dir;
  const auto ini = dir.path() / "Trawlex.INI";
  ProtoOptions options = LoadProtoOptions(ini);
  EXPECT_TRUE(options.sal);
  EXPECT_FALSE(options.cvtT);
  options.sal = false;
  options.cvtT = true;
  ASSERT_TRUE(SaveProtoOptions(ini, options));
  const ProtoOptions loaded = LoadProtoOptions(ini);
  EXPECT_FALSE(loaded.sal);
  EXPECT_TRUE(loaded.cvtT);
}

}  // namespace
}  // namespace trawlex::utilities
