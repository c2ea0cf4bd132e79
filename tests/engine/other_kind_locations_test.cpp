// Locations in templates, text exports, style files, C, VB-style and VB.NET source: lines fed
// one by one to their handler, as the line stage feeds them, and the location they leave.

#include "engine/other_kind_locations.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/fake_line.h"

namespace trawlex::engine {
namespace {

using Handler = void (*)(const LineContext&, LocationState&);
using testing::FakeLine;

struct Expected {
  std::string procName;
  std::string method;
  std::string rout;
  int inClass = 0;
};

struct Case {
  const char* what;
  std::vector<std::string> lines;
  Expected expected;
};

// Every case starts inside an earlier location, so that a line that changes nothing shows.
constexpr const char* kProc = "EarlierProc";
constexpr const char* kMethod = "EarlierMethod";
constexpr const char* kRout = "EarlierRout";
const Expected kUnchanged{kProc, kMethod, kRout};

enum class CalledFor { LabelLines, EveryLine };

// Feeds the lines in order; a peek gives the following line, and a blank at the end.
LocationState Feed(Handler handler, CalledFor calledFor, const std::vector<std::string>& lines) {
  LocationState state;
  state.procName = kProc;
  state.method = kMethod;
  state.rout = kRout;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const FakeLine line(lines[i], i + 1 < lines.size() ? lines[i + 1] : std::string());
    if (calledFor == CalledFor::EveryLine || line.IsLabelLine()) handler(line, state);
  }
  return state;
}

void Check(Handler handler, CalledFor calledFor, const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const LocationState state = Feed(handler, calledFor, c.lines);
    EXPECT_EQ(state.procName, c.expected.procName);
    EXPECT_EQ(state.method, c.expected.method);
    EXPECT_EQ(state.rout, c.expected.rout);
    EXPECT_EQ(state.inClass, c.expected.inClass);
  }
}

TEST(OtherKindLocations, TemplateSections) {
  const std::string longName(244, 'N');
  Check(TemplateSectionLine, CalledFor::LabelLines,
        {
            {"procedure with description",
             {"#PROCEDURE(BrowseCustomers,'Browse'),WINDOW"},
             {"BrowseCustomers", "#PROCEDURE", ""}},
            {"blank before the parenthesis", {"#PROCEDURE (x)"}, {"x", "#PROCEDURE", ""}},
            {"AT is no section word", {"#AT(%MyEmbed)"}, kUnchanged},
            {"extension", {"#EXTENSION(SaveButton,'...')"}, {"SaveButton", "#EXTENSION", ""}},
            {"EMBED is no section word", {"#EMBED(%BeforeInit,'Before init')"}, kUnchanged},
            {"DISPLAY is no section word", {"#DISPLAY('Stock')"}, kUnchanged},
            {"template with family",
             {"#TEMPLATE(Inventory,'Inventory'),FAMILY('Veldar')"},
             {"Inventory", "#TEMPLATE", ""}},
            {"application", {"#APPLICATION(App)"}, {"App", "#APPLICATION", ""}},
            {"program", {"#PROGRAM(Prog)"}, {"Prog", "#PROGRAM", ""}},
            {"module", {"#MODULE(Mod,'m')"}, {"Mod", "#MODULE", ""}},
            {"control", {"#CONTROL(Ctl)"}, {"Ctl", "#CONTROL", ""}},
            {"code", {"#CODE (SetFilter,'Filter')"}, {"SetFilter", "#CODE", ""}},
            {"utility", {"#UTILITY(Util)"}, {"Util", "#UTILITY", ""}},
            {"group", {"#GROUP(%Fields),MULTI"}, {"%Fields", "#GROUP", ""}},
            {"word compared without case, kept as written",
             {"#Procedure(Lower)"},
             {"Lower", "#Procedure", ""}},
            {"name runs to the line end without ')'",
             {"#PROCEDURE(NoClose"},
             {"NoClose", "#PROCEDURE", ""}},
            {"a ',' ends it without ')'", {"#PROCEDURE(Name,'desc"}, {"Name", "#PROCEDURE", ""}},
            {"empty name", {"#PROCEDURE()"}, {"", "#PROCEDURE", ""}},
            {"longer word", {"#PROCEDURES(x)"}, kUnchanged},
            {"shorter word", {"#PROC(x)"}, kUnchanged},
            {"no parenthesis", {"#ENDAT"}, kUnchanged},
            {"short lines", {"#", "#(", "#A(", "#AB(x)", "(", "#  (x)"}, kUnchanged},
            {"blank before the word", {"# PROCEDURE(x)"}, kUnchanged},
            {"not a label line", {"  #PROCEDURE(x)"}, kUnchanged},
            {"later section wins",
             {"#PROCEDURE(First)", "  code", "#AT(%x)", "#ENDAT", "#PROCEDURE(Second)", "  x"},
             {"Second", "#PROCEDURE", ""}},
            {"255 characters",
             {"#PROCEDURE(" + longName},
             {longName.substr(0, 50), "#PROCEDURE", ""}},
        });
}

TEST(OtherKindLocations, TextExportSections) {
  const std::string hundred(100, 'x');
  Check(TextExportLine, CalledFor::LabelLines,
        {
            {"procedure named on the next line",
             {"[PROCEDURE]", "NAME UpdateCustomer", "PROTOTYPE '(LONG),LONG'", "[WINDOW]",
              "Window WINDOW('x')", "  END"},
             {"UpdateCustomer", "", ""}},
            {"module", {"[MODULE]", "NAME stock.clw"}, {"stock.clw", "", ""}},
            {"without NAME the next line names it",
             {"[PROCEDURE]", "[COMMON]"},
             {"[COMMON]", "", ""}},
            {"at the end of the file", {"[MODULE]"}, {"", "", ""}},
            {"NAME without a name", {"[PROCEDURE]", "NAME"}, {"", "", ""}},
            {"name cut to 50", {"[PROCEDURE]", "NAME " + hundred}, {hundred.substr(0, 50), "", ""}},
            {"header with trailing blanks", {"[PROCEDURE]   ", "NAME P"}, {"P", "", ""}},
            {"header compared without case", {"[Procedure]", "NAME P"}, {"P", "", ""}},
            {"application", {"[APPLICATION]", "VERSION 34"}, {"[APPLICATION]", "", ""}},
            {"program kept as written", {"[Program]", "NAME inventory"}, {"[Program]", "", ""}},
            {"project", {"[PROJECT]"}, {"[PROJECT]", "", ""}},
            {"addition",
             {"[ADDITION]", "NAME Veldar SaveButton", "[INSTANCE]"},
             {kProc, "TPL: Veldar SaveButton", kRout}},
            {"addition cut to 50",
             {"[ADDITION]", "NAME " + hundred},
             {kProc, "TPL: " + hundred.substr(0, 45), kRout}},
            {"addition without NAME", {"[ADDITION]", "PRIORITY 1"}, kUnchanged},
            {"calls", {"[CALLS]", "TakeOrder"}, {kProc, "", kRout}},
            {"window", {"[WINDOW]"}, {kProc, "", kRout}},
            {"embed point", {"EMBED %ProcedureSetup"}, {kProc, "EMBED %ProcedureSetup", kRout}},
            {"embed is case-sensitive", {"embed %x", "Embed %y"}, kUnchanged},
            {"embed needs its blank", {"EMBED%x", "EMBED"}, kUnchanged},
            {"other sections", {"[COMMON]", "[END]", "[INSTANCE]", "[PROCEDURE] x"}, kUnchanged},
            {"NAME alone", {"NAME Foo"}, kUnchanged},
            {"short lines", {"[", "]", "[]"}, kUnchanged},
            {"not a label line", {"  [PROCEDURE]", "NAME P"}, kUnchanged},
            {"sections in order",
             {"[PROCEDURE]", "NAME UpdateCustomer", "[ADDITION]", "NAME Veldar SaveButton",
              "[INSTANCE]", "EMBED %ProcedureSetup", "  ! check", "[END]", "[PROCEDURE]",
              "NAME BrowseStock", "[WINDOW]"},
             {"BrowseStock", "", ""}},
        });
}

TEST(OtherKindLocations, StylePropertyClasses) {
  const std::string eighty(80, 'c');
  Check(StylePropertyLine, CalledFor::LabelLines,
        {
            {"indented name",
             {"[PROPERTYCLASS]", "  Name: EntryFields", "  FontName: Tahoma"},
             {"EntryFields", kMethod, kRout}},
            {"compared without case",
             {"[PropertyClass]", "NAME:Buttons"},
             {"Buttons", kMethod, kRout}},
            {"blanks around the name",
             {"[PROPERTYCLASS]", "name:   Spaced  "},
             {"Spaced", kMethod, kRout}},
            {"no name line", {"[PROPERTYCLASS]", "  FontName: Tahoma"}, kUnchanged},
            {"at the end of the file", {"[PROPERTYCLASS]"}, kUnchanged},
            {"short next line", {"[PROPERTYCLASS]", "Nam"}, kUnchanged},
            {"other header", {"[PROPERTYCLASSES]", "Name: X", "[STYLE]", "Name: Y"}, kUnchanged},
            {"name line alone", {"Name: X"}, kUnchanged},
            {"cut to 50",
             {"[PROPERTYCLASS]", "Name: " + eighty},
             {eighty.substr(0, 50), kMethod, kRout}},
            {"later class wins",
             {"[PROPERTYCLASS]", "  Name: EntryFields", "  FontSize: 9", "[PROPERTYCLASS]",
              "  Name: Buttons", "  Height: 14"},
             {"Buttons", kMethod, kRout}},
        });
}

TEST(OtherKindLocations, CFunctionHeaders) {
  const std::string longName(60, 'f');
  const Expected mainFound{"main", kMethod, kRout};
  Check(
      CFunctionLine, CalledFor::EveryLine,
      {
          {"blank before '('", {"static int parse_line (char *s)"}, {"parse_line", kMethod, kRout}},
          {"if", {"if (x)"}, kUnchanged},
          {"while", {"while (y)"}, kUnchanged},
          {"call statement", {"foo(a);"}, kUnchanged},
          {"switch", {"switch(c) {"}, kUnchanged},
          {"else if", {"else if (z)"}, kUnchanged},
          {"printf over lines", {"printf(\"%d\","}, kUnchanged},
          {"upper-case keyword", {"IF(x)"}, kUnchanged},
          {"body on the next line", {"int main(void)", "{"}, mainFound},
          {"prototype", {"int main(void);"}, kUnchanged},
          {"body on the same line", {"int main(void) {"}, mainFound},
          {"statement after the '{'", {"int main(void) { return 0; }"}, mainFound},
          {"'//' comment", {"int main(void) // entry; point"}, mainFound},
          {"'/*' comment", {"int main(void) /* entry; point */"}, mainFound},
          {"'{' inside the comment", {"int main(void) /* a { b; */"}, mainFound},
          {"call in a '//' comment", {"// see helper(x)"}, kUnchanged},
          {"call in a '/*' comment", {"/* helper(x) */"}, kUnchanged},
          {"comment before the header", {"/* a */ int h(void)"}, kUnchanged},
          {"statement and comment", {"x = 1; // call foo(a)"}, kUnchanged},
          {"'(' after the '{'", {"{ int g(int a)"}, kUnchanged},
          {"'(' in column 1", {"(void)x"}, kUnchanged},
          {"pointer return type", {"char *strdup(const char *s)"}, {"strdup", kMethod, kRout}},
          {"pointer type on the line above",
           {"char", "*next_token(char *s)"},
           {"next_token", kMethod, kRout}},
          {"C++ qualified name", {"Foo::Bar(int x) const"}, {"Foo::Bar", kMethod, kRout}},
          {"blanks inside the type", {"long   total  (int n)"}, {"total", kMethod, kRout}},
          {"else if after '}'", {"  } else if (x) {"}, kUnchanged},
          {"while after '}'", {"} while (more)"}, kUnchanged},
          {"for over lines", {"for (i = 0"}, kUnchanged},
          {"return over lines", {"return (x"}, kUnchanged},
          {"preprocessor test", {"#if defined(FOO)"}, kUnchanged},
          {"macro definition", {"#define MAX(a, b) ((a) > (b) ? (a) : (b))"}, kUnchanged},
          {"block comment body", {" * calls parse_line(s) first", " ** more(x)", "*"}, kUnchanged},
          {"expression continued", {"    (a + b)", "x = (a"}, kUnchanged},
          {"short lines", {"(", "{", "", "/", "//("}, kUnchanged},
          {"name in column 1", {"a("}, {"a", kMethod, kRout}},
          {"name cut to 50",
           {"int " + longName + "(void)"},
           {longName.substr(0, 50), kMethod, kRout}},
          {"a file",
           {"#include <stdio.h>", "", "/* Stock arithmetic */", "static int clamp_stock (int qty)",
            "{", "    if (qty < 0) return 0;  // never below zero", "    return qty;", "}", "",
            "int total_stock(const int *qty, int n)", "{", "    for (int i = 0; i < n; i++)",
            "        total += clamp_stock(qty[i]);", "    printf(\"total %d\\n\", total);"},
           {"total_stock", kMethod, kRout}},
      });
}

TEST(OtherKindLocations, VbStyleProcedures) {
  const std::string longName(60, 'n');
  Check(
      VbStyleLine, CalledFor::EveryLine,
      {
          {"public function", {"Public Function GetName(id)"}, {"GetName", kMethod, kRout}},
          {"php function", {"function getName($id)"}, {"getName", kMethod, kRout}},
          {"private sub", {"Private Sub Form_Load()"}, {"Form_Load", kMethod, kRout}},
          {"sub without parentheses", {"Sub Init ' start"}, {"Init", kMethod, kRout}},
          {"public sub without parentheses", {"Public Sub Main"}, {"Main", kMethod, kRout}},
          {"upper case", {"PUBLIC SUB LOUD()"}, {"LOUD", kMethod, kRout}},
          {"php public method",
           {"    public function getName($id) {"},
           {"getName", kMethod, kRout}},
          {"blank before '('", {"  private function helper ( $x )"}, {"helper", kMethod, kRout}},
          {"blanks between the words",
           {"Public     Function  Spaced  (x)"},
           {"Spaced", kMethod, kRout}},
          {"property: the whole declaration",
           {"    Public Property Get Name() As String"},
           {"Public Property Get Name() As String", kMethod, kRout}},
          {"comment naming another keyword",
           {"Public Sub Save() ' a function of the form"},
           {"Save", kMethod, kRout}},
          {"word inside a name", {"Private Function Subtotal()"}, {"Subtotal", kMethod, kRout}},
          {"public variable", {"Public x As Integer", "Public Dim y"}, kUnchanged},
          {"public constant", {"Public Const FUNCTION_KEY = 1"}, kUnchanged},
          {"declare",
           {"Private Declare Function GetTickCount Lib \"kernel32\" () As Long"},
           kUnchanged},
          {"static", {"Public Static Function Count()"}, kUnchanged},
          {"ends", {"End Function", "Exit Sub", "End Sub"}, kUnchanged},
          {"word starting with function", {"FunctionCount = 1"}, kUnchanged},
          {"anonymous functions", {"function() {", "function ($x) use ($y) {"}, kUnchanged},
          {"short lines", {"P", "Public", "Public Sub", "Sub", "Function", ""}, kUnchanged},
          {"comment", {"' Public Sub Old()", "// function old()"}, kUnchanged},
          {"name cut to 50", {"Sub " + longName + "()"}, {longName.substr(0, 50), kMethod, kRout}},
          {"name stays to the next header",
           {"Public Function StockLevel(ByVal id As Long) As Long", "    StockLevel = 10",
            "End Function", "", "Private Sub Form_Load()", "    Debug.Print StockLevel(1)",
            "End Sub", "    x = 1"},
           {"Form_Load", kMethod, kRout}},
      });
}

TEST(OtherKindLocations, VbNetProceduresAndClasses) {
  Check(VbNetLine, CalledFor::EveryLine,
        {
            {"method in a class",
             {"Public Class Order", "    Public Sub Save()", "  x = 1"},
             {"Order", "Save", kRout, 1}},
            {"class line", {"Public Class Order"}, {"Order", "CLASS", kRout, 1}},
            {"end sub in a class",
             {"Public Class Order", "Public Sub Save()", "    End Sub"},
             {"Order", "", kRout, 1}},
            {"end sub outside a class", {"Sub Main()", "End Sub"}, {"", "", kRout, 0}},
            {"end function and end property in a class",
             {"Public Class C", "Public Function F()", "End Function", "Public Property P()",
              "End Property"},
             {"C", "", kRout, 1}},
            {"end written in lower case, with comment",
             {"Sub Main()", "end   sub ' done"},
             {"", "", kRout, 0}},
            {"end class", {"Public Class Order", "End Class"}, {"Order", "CLASS", kRout, 0}},
            {"procedure after the class",
             {"Public Class Order", "End Class", "Module Startup", "    Sub Main()"},
             {"Main", "", kRout, 0}},
            {"next method",
             {"Public Class Order", "Public Sub Save()", "End Sub",
              "Public Function Total(p As Integer) As Integer"},
             {"Order", "Total", kRout, 1}},
            {"friend", {"Friend Function Calc() As Integer"}, {"Calc", "", kRout, 0}},
            {"protected overrides",
             {"Protected Overrides Sub Dispose(disposing As Boolean)"},
             {"Dispose", "", kRout, 0}},
            {"attribute and class",
             {"<Serializable()> Public Class Order"},
             {"Order", "CLASS", kRout, 1}},
            {"attribute line", {"<TestMethod()>", "Public Sub Works()"}, {"Works", "", kRout, 0}},
            {"attribute alone", {"<TestMethod()>"}, kUnchanged},
            {"readonly property",
             {"Public ReadOnly Property Count() As Integer"},
             {"Count", "", kRout, 0}},
            {"plain function",
             {"Function Total(price As Integer) As Integer"},
             {"Total", "", kRout, 0}},
            {"plain property", {"Property Name As String"}, {"Name", "", kRout, 0}},
            {"plain class", {"Class Inner"}, {"Inner", "CLASS", kRout, 1}},
            {"generic class", {"Public Class List(Of T)"}, {"List", "CLASS", kRout, 1}},
            {"comment naming another keyword",
             {"Public Function F() ' called by the sub below"},
             {"F", "", kRout, 0}},
            {"comment naming a keyword looked for later",
             {"Public Sub Save() ' see the function below"},
             {"Save", "", kRout, 0}},
            {"declare",
             {"Public Declare Function GetTickCount Lib \"kernel32\" () As Long"},
             {"GetTickCount", "", kRout, 0}},
            {"skipped leads",
             {"' Public Sub Commented()", "''' <summary>Sub x</summary>", "#Region \"Sub x\"",
              "\"Sub x\"", "If ready Then Sub x", "If"},
             kUnchanged},
            {"other ends",
             {"End If", "End", "End Get", "End Module", "End Structure", "End  "},
             kUnchanged},
            {"no keyword",
             {"Public x As Integer", "Private mClass As String", "Dim s As String",
              "Public Event Changed As EventHandler", "Module Startup"},
             kUnchanged},
            {"short lines",
             {"E", "EN", "Public Sub", "Sub", "Class", "Public Class", ""},
             kUnchanged},
        });
}

// The location text of the handlers' results, for the worked examples.
TEST(OtherKindLocations, LocationTexts) {
  EXPECT_EQ(LocationText(Feed(TemplateSectionLine, CalledFor::LabelLines,
                              {"#PROCEDURE(BrowseCustomers,'Browse'),WINDOW"})),
            "BrowseCustomers  #PROCEDURE");
  LocationState state;
  const auto feed = [&state](const char* text) { VbNetLine(FakeLine(text), state); };
  feed("Public Class Order");
  EXPECT_EQ(LocationText(state), "Order  CLASS");
  feed("    Public Sub Save()");
  EXPECT_EQ(LocationText(state), "Order  Save");
  feed("    End Sub");
  EXPECT_EQ(LocationText(state), "Order");
  state = LocationState{};
  TextExportLine(FakeLine("[PROCEDURE]", "NAME UpdateCustomer"), state);
  EXPECT_EQ(LocationText(state), "UpdateCustomer");
}

// Every cut of a header line, down to nothing, with every cut of its next line: lines shorter
// than the words the handlers look for, and a long header after 200 blanks.
TEST(OtherKindLocations, CutHeadersAreSafe) {
  const Handler handlers[] = {TemplateSectionLine, TextExportLine, StylePropertyLine,
                              CFunctionLine,       VbStyleLine,    VbNetLine};
  const std::string headers[] = {
      "#PROCEDURE (Name,'x'),WINDOW",
      "[PROCEDURE]",
      "NAME UpdateCustomer",
      "EMBED %Setup",
      "[PROPERTYCLASS]",
      "  Name: Buttons",
      "int main(void) { // x",
      "  Private Sub  F(x)",
      "  End Sub",
      "<A()> Protected Class C(Of T)",
      "Function F",
      "    Public Property P",
      std::string(200, ' ') + "Public Function " + std::string(39, 'f') + "()",
  };
  for (const Handler handler : handlers) {
    for (const std::string& header : headers) {
      for (std::size_t n = 0; n <= header.size(); ++n) {
        LocationState state;
        handler(FakeLine(header.substr(0, n), header.substr(n)), state);
        handler(FakeLine(header, header.substr(0, n)), state);
        EXPECT_LE(state.procName.size(), kLocationPartWidth);
        EXPECT_LE(state.method.size(), kLocationPartWidth);
      }
    }
  }
}

// A LineContext that counts what the handlers ask for beyond the lead.
class CountingLine final : public LineContext {
 public:
  explicit CountingLine(std::string text) : line_(std::move(text)) {}
  std::string_view Line() const override { return line_.Line(); }
  std::size_t LineLen() const override { return line_.LineLen(); }
  std::string_view Upper() const override {
    ++upperCalls;
    return line_.Upper();
  }
  std::string_view Lead() const override { return line_.Lead(); }
  bool IsLabelLine() const override { return line_.IsLabelLine(); }
  std::string PeekNextLine() const override {
    ++peeks;
    return line_.PeekNextLine();
  }
  mutable int upperCalls = 0;
  mutable int peeks = 0;

 private:
  FakeLine line_;
};

// The code-line handlers run on every line: ordinary lines cost a look at the lead and the
// line, never an upper-cased copy; the label handlers peek only after a section header.
TEST(OtherKindLocations, OrdinaryLinesStayCheap) {
  const struct {
    Handler handler;
    const char* line;
  } cases[] = {
      {CFunctionLine, "    total += clamp_stock(qty[i]);"},
      {CFunctionLine, "    return qty;"},
      {VbStyleLine, "    StockLevel = 10"},
      {VbStyleLine, "End Function"},
      {VbNetLine, "        Console.WriteLine(\"saved \" & qty)"},
      {VbNetLine, "    End If"},
      {VbNetLine, "Dim s As String"},
      {TextExportLine, "PROTOTYPE '(LONG),LONG'"},
      {StylePropertyLine, "FontName: Tahoma"},
      {TemplateSectionLine, "  SET(StockQ)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    const CountingLine line(c.line);
    LocationState state;
    c.handler(line, state);
    EXPECT_EQ(line.upperCalls, 0);
    EXPECT_EQ(line.peeks, 0);
  }
}

}  // namespace
}  // namespace trawlex::engine
