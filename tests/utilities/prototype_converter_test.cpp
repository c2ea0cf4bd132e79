#include "utilities/prototype_converter.h"

#include <gtest/gtest.h>

#include <string>

#include "utilities/prototype_types.h"

namespace trawlex::utilities {
namespace {

// The one table of these tests: handles are pointer-sized, pointers chain through DWORD.
TypeTable Table() {
  return ParseTypeTable(
             "HKEY        EQUATE(HANDLE_T)   ! registry key\n"
             "LONG        EQUATE(LONG)\n"
             "DWORD       EQUATE(ULONG)\n"
             "LPDWORD     EQUATE(*DWORD)\n"
             "LPBYTE      EQUATE(*BYTE)\n"
             "LPCTSTR     EQUATE(*CSTRING)\n"
             "PVOID       EQUATE(POINTER_T)\n")
      .table;
}

std::string Convert(std::string_view text, ProtoOptions options = {}) {
  const PrototypeConversion result = ConvertPrototypes(text, options, Table());
  EXPECT_EQ(result.error, "");
  return result.output;
}

TEST(PrototypeConverter, ConvertsTheOpeningExample) {
  EXPECT_EQ(Convert(kPrototypeExample),
            "RegQueryValueEx    PROCEDURE( |\r\n"
            "    UNSIGNED            hKey                      , |\r\n"
            "    <*CSTRING           lpValueName>              , |\r\n"
            "    <*ULONG             lpReserved>               , |\r\n"
            "    <*ULONG             lpType>                   , |\r\n"
            "    <*BYTE              lpData>                   , |\r\n"
            "    <*ULONG             lpcbData>                   |\r\n"
            "    ),PASCAL,DLL(1),RAW,LONG ?,name('RegQueryValueExA')\r\n");
}

TEST(PrototypeConverter, KeepsTTypesWithCvtTAndAnnotationsWithoutSal) {
  ProtoOptions cvtT;
  cvtT.cvtT = true;
  EXPECT_NE(Convert(kPrototypeExample, cvtT).find("    HANDLE_T            hKey "),
            std::string::npos);
  ProtoOptions noSal;
  noSal.sal = false;
  const std::string out = Convert("BOOL WINAPI Beep(\n  __in_opt HKEY hKey\n);\n", noSal);
  EXPECT_NE(out.find("    __in_opt HKEY       hKey   "), std::string::npos) << out;
  EXPECT_EQ(out.find('<'), std::string::npos);
}

TEST(PrototypeConverter, MarksOmittableParameters) {
  const TypeTable table = Table();
  const ProtoOptions options;
  EXPECT_EQ(ConvertType("_In_opt_ LPDWORD", options, table).text, "<*ULONG");
  EXPECT_EQ(ConvertType("[in, optional] HKEY", options, table).text, "<UNSIGNED");
  EXPECT_EQ(ConvertType("OPTIONAL CONST DWORD", options, table).text, "<ULONG");
  EXPECT_EQ(ConvertType("_FILETIME", options, table).text, "_FILETIME");  // not an annotation
  EXPECT_EQ(ConvertType("DWORD *", options, table).text, "*ULONG");
}

TEST(PrototypeConverter, ConvertsAStructureToAGroupType) {
  EXPECT_EQ(Convert("typedef struct {\n"
                    "  DWORD cbSize;   // bytes\n"
                    "  HKEY  keys[4];\n"
                    "  LPBYTE data;\n"
                    "} KEYSET, *PKEYSET;\n"),
            "KEYSET    GROUP,TYPE !,PRE()    !\r\n"
            "cbSize                    ULONG                                 !// bytes\r\n"
            "keys,DIM(4)               UNSIGNED\r\n"
            "data                      UNSIGNED  !*BYTE\r\n"
            "    END !} KEYSET, *PKEYSET;\r\n");
}

TEST(PrototypeConverter, ReformsOneLinePrototypesAndKeepsWhatItCannotConvert) {
  const PrototypeConversion result =
      ConvertPrototypes("int f(\n#ifdef UNICODE\nDWORD WINAPI GetTick(PVOID p, DWORD n);\n",
                        ProtoOptions{}, Table());
  EXPECT_TRUE(result.hadConditionals);
  ASSERT_EQ(result.parseQueue.size(), 6u);
  EXPECT_EQ(result.parseQueue[3], "PVOID p,");
  EXPECT_EQ(result.output,
            "! int f(\r\n"
            "! #ifdef UNICODE  (not converted: #if is not supported, keep only the code the "
            "compiler would)\r\n"
            "GetTick    PROCEDURE( |\r\n"
            "    UNSIGNED            p                         , |\r\n"
            "    ULONG               n                           |\r\n"
            "    ),PASCAL,DLL(1),RAW,ULONG ?,name('GetTickA')\r\n");
}

TEST(PrototypeConverter, RefusesTextLongerThanTheField) {
  const PrototypeConversion result =
      ConvertPrototypes(std::string(kPrototypeTextLimit + 1, 'x'), ProtoOptions{}, Table());
  EXPECT_EQ(result.output, "");
  EXPECT_NE(result.error.find("longer than 12000"), std::string::npos);
}

TEST(PrototypeConverter, JoinsContinuedLinesIntoOne) {
  const std::string out = Convert("void WINAPI Sleep(\n DWORD ms // wait\n);\n");
  EXPECT_EQ(SmashOutput(JoinContinuedOutput(out)),
            "Sleep PROCEDURE(ULONG ms),PASCAL,DLL(1),RAW ?,name('SleepA')\r\n");
}

}  // namespace
}  // namespace trawlex::utilities
