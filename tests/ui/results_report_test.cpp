// The printed results report: its bands from the results, its pages (header on each, bands
// never split, nothing running off the page), the PDF, the preview and the printer setup.

#include "ui/results_report.h"

#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QTest>
#include <fstream>
#include <iterator>

#include "results/export_texts.h"
#include "runtime/pictures.h"
#include "support/temp_tree.h"
#include "ui/dialog_driver.h"

namespace trawlex::ui {
namespace {

using results::ReportBandKind;

// Keeps what each page shows, and checks as it goes that every text fits its place.
class RecordingCanvas final : public ReportCanvas {
 public:
  QSizeF PageSize() const override { return {7500, 10000}; }  // letter, half-inch margins
  void SetFont(const QFont& font) override { font_ = font; }
  void DrawText(const QRectF& rect, int, const QString& text) override {
    EXPECT_GE(rect.left(), 0) << text.toStdString();
    EXPECT_LE(rect.right(), PageSize().width() + 0.5) << text.toStdString();
    EXPECT_LE(rect.bottom(), PageSize().height() + 0.5) << text.toStdString();
    EXPECT_LE(QFontMetricsF(font_).horizontalAdvance(text), rect.width() + 0.5)
        << "runs out of its place: " << text.toStdString();
    pages.back().push_back(text);
  }
  void DrawLine(const QLineF&) override {}
  bool NewPage() override {
    pages.emplace_back();
    return true;
  }

  bool PageShows(std::size_t page, const QString& text) const {
    return pages[page].contains(text);
  }
  // The page a text is on, or -1.
  int PageOf(const QString& text) const {
    for (std::size_t page = 0; page < pages.size(); ++page) {
      if (PageShows(page, text)) return static_cast<int>(page);
    }
    return -1;
  }

  std::vector<QStringList> pages{1};

 private:
  QFont font_;
};

// Page objects of a PDF: "/Type /Page", but not the "/Type /Pages" of the page tree.
int PageObjects(const std::string& pdf) {
  const std::string key = "/Type /Page";
  int pages = 0;
  for (auto at = pdf.find(key); at != std::string::npos; at = pdf.find(key, at + 1)) {
    if (pdf.compare(at, key.size() + 1, key + "s") != 0) ++pages;
  }
  return pages;
}

engine::ResultLine Hit(std::string file, std::string location, std::uint32_t lineNo,
                       std::string text, std::uint32_t subdirNum) {
  engine::ResultLine hit;
  hit.file = runtime::SharedText(std::move(file));
  hit.location = runtime::SharedText(std::move(location));
  hit.lineNo = lineNo;
  hit.text = std::move(text);
  hit.subdirNum = subdirNum;
  return hit;
}

class ResultsReportTest : public ::testing::Test {
 protected:
  ResultsReportTest() {
    request.text = "PROCEDURE";
    request.path = "/home/dev/veldar/" + std::string(80, 'p');
    request.spec = "*.vld;~*.bak";
    dirs.resize(2);
    dirs[0].fPathBs = "/home/dev/veldar/";
    dirs[1].fPathBs = "/home/dev/veldar/lib/";
    counts.findCnt = 7;
    counts.searchTime = 0.5;
    counts.scanBytes = 123456;
  }

  // Two directories: a standard hit, one without location, one with a long name, and a
  // text too long for one row.
  void SmallQueue() {
    results.push_back(Hit("main.vld", "  Start PROCEDURE", 12, "   Start PROCEDURE()", 1));
    results.push_back(Hit("notes.txt", "", 3, "  a PROCEDURE in prose", 1));
    results.push_back(
        Hit("a_rather_long_module_name.vld", "Loader.Run", 65535, "Run PROCEDURE", 2));
    results.push_back(Hit("util.vld", "Helper", 7, std::string(199, 'x'), 2));
  }

  void LongQueue(int hits) {
    for (int i = 1; i <= hits; ++i) {
      results.push_back(Hit("file" + std::to_string(i / 50) + ".vld", "Proc" + std::to_string(i),
                            i, "text of hit " + std::to_string(i), i <= hits / 2 ? 1 : 2));
    }
  }

  results::ExportSource Source() const {
    return {results, dirs, request, counts,
            {runtime::DayNumber(2024, 3, 7), runtime::TimeOf(13, 7, 0, 0)}};
  }

  engine::ResultsQueue results;
  engine::ScanDirQueue dirs;
  engine::SearchSpec request;
  engine::SearchCounts counts;
};

TEST_F(ResultsReportTest, ContentHoldsTheHeaderAndABandPerHitInQueueOrder) {
  SmallQueue();
  const results::ReportContent report = results::MakeReportContent(Source());

  EXPECT_EQ(report.header.date, "03/07/2024");
  EXPECT_EQ(report.header.time, " 1:07PM");
  EXPECT_EQ(report.header.path, "/home/dev/veldar/" + std::string(53, 'p'));
  EXPECT_EQ(report.header.spec, "*.vld;~*.bak");
  EXPECT_EQ(report.header.options, results::OptionsLine(request));
  EXPECT_EQ(report.header.find, "Find: PROCEDURE");

  struct Band {
    ReportBandKind kind;
    std::string file, location, lineNo, text;
  };
  const std::vector<Band> expected = {
      {ReportBandKind::Directory, "", "", "", "/home/dev/veldar/"},
      {ReportBandKind::Standard, "main.vld", "Start PROCEDURE", "    12", "Start PROCEDURE()"},
      {ReportBandKind::NoLocation, "notes.txt", "", "     3", "a PROCEDURE in prose"},
      {ReportBandKind::Directory, "", "", "", "/home/dev/veldar/lib/"},
      {ReportBandKind::LongName, "a_rather_long_module_name.vld", "Loader.Run", "65,535",
       "Run PROCEDURE"},
      {ReportBandKind::Standard, "util.vld", "Helper", "     7", std::string(199, 'x')},
      {ReportBandKind::Standard, "", "", "      ", results::SummaryLine(Source())},
  };
  ASSERT_EQ(report.bands.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(report.bands[i].kind, expected[i].kind);
    EXPECT_EQ(report.bands[i].file.view(), expected[i].file);
    EXPECT_EQ(report.bands[i].location.view(), expected[i].location);
    EXPECT_EQ(report.bands[i].lineNo, expected[i].lineNo);
    EXPECT_EQ(report.bands[i].text, expected[i].text);
  }
}

TEST_F(ResultsReportTest, FileNameOfFourteenCharactersStillGetsTheStandardBand) {
  results.push_back(Hit("fourteen_c.vld", "Main", 1, "x", 1));
  results.push_back(Hit("fifteen_ch.vld2", "Main", 2, "x", 1));
  const results::ReportContent report = results::MakeReportContent(Source());
  EXPECT_EQ(report.bands[1].kind, ReportBandKind::Standard);
  EXPECT_EQ(report.bands[2].kind, ReportBandKind::LongName);
}

TEST_F(ResultsReportTest, SmallQueueFitsOnePageWithHeaderAndEveryBand) {
  SmallQueue();
  RecordingCanvas canvas;
  EXPECT_EQ(PaintReport(results::MakeReportContent(Source()), canvas), 1);
  ASSERT_EQ(canvas.pages.size(), 1u);
  for (const char* text :
       {"Trawlex", "03/07/2024", " 1:07PM", "Page:  1", "*.vld;~*.bak", "Find: PROCEDURE",
        "File Name", "Line#", "Location", "Text Found", "Path:", "/home/dev/veldar/lib/",
        "main.vld", "Start PROCEDURE", "    12", "Start PROCEDURE()", "notes.txt",
        "a_rather_long_module_name.vld", "65,535", "Loader.Run"}) {
    EXPECT_TRUE(canvas.PageShows(0, text)) << text;
  }
  EXPECT_TRUE(canvas.PageShows(0, QString::fromStdString(results::SummaryLine(Source()))));
  // The 199-character text wraps onto rows of its own rather than running off the page.
  EXPECT_EQ(canvas.pages[0].filter(QRegularExpression("^x+$")).join("").size(), 199);
}

TEST_F(ResultsReportTest, LongQueueRepeatsTheHeaderOnEveryPageAndKeepsBandsWhole) {
  LongQueue(300);
  RecordingCanvas canvas;
  const int pages = PaintReport(results::MakeReportContent(Source()), canvas);
  ASSERT_GT(pages, 1);
  ASSERT_EQ(canvas.pages.size(), static_cast<std::size_t>(pages));
  for (int page = 0; page < pages; ++page) {
    SCOPED_TRACE(page);
    EXPECT_EQ(canvas.pages[page].first(), "Trawlex");
    EXPECT_TRUE(canvas.PageShows(page, QString::fromStdString(results::ReportPageText(page + 1))));
    EXPECT_TRUE(canvas.PageShows(page, "Text Found"));
  }
  for (int i = 1; i <= 300; ++i) {
    const QString text = QString("text of hit %1").arg(i);
    ASSERT_NE(canvas.PageOf(text), -1) << i;
    EXPECT_EQ(canvas.PageOf(QString("Proc%1").arg(i)), canvas.PageOf(text)) << i;
  }
  EXPECT_EQ(canvas.PageOf(QString::fromStdString(results::SummaryLine(Source()))), pages - 1);
}

TEST_F(ResultsReportTest, WritesAOnePagePdf) {
  SmallQueue();
  testing::TempTree tree;
  const std::string path = (tree.root() / "report.pdf").string();
  ASSERT_TRUE(WriteResultsReportPdf(Source(), QString::fromStdString(path)));
  std::ifstream file(path, std::ios::binary);
  const std::string pdf{std::istreambuf_iterator<char>(file), {}};
  ASSERT_EQ(pdf.substr(0, 5), "%PDF-");
  EXPECT_EQ(PageObjects(pdf), 1);
}

TEST_F(ResultsReportTest, EmptyQueueGivesNoReport) {
  testing::TempTree tree;
  const auto path = tree.root() / "report.pdf";
  EXPECT_FALSE(WriteResultsReportPdf(Source(), QString::fromStdString(path.string())));
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_EQ(OpenResultsReportPreview(nullptr, Source()), nullptr);
}

TEST_F(ResultsReportTest, PreviewShowsTheReportPages) {
  LongQueue(300);
  QPrintPreviewDialog* preview = OpenResultsReportPreview(nullptr, Source());
  ASSERT_NE(preview, nullptr);
  results.clear();  // the preview keeps its own copy of the report
  preview->show();
  auto* pages = preview->findChild<QPrintPreviewWidget*>();
  ASSERT_NE(pages, nullptr);
  QTRY_VERIFY(pages->pageCount() > 1);
  preview->close();
}

// "Print Setup" opens a dialogue that Qt does not warn about, with or without printers.
TEST_F(ResultsReportTest, PrintSetupShowsADialogueWithoutWarnings) {
  static QStringList warnings;
  warnings.clear();
  const QtMessageHandler previous = qInstallMessageHandler(
      [](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type != QtDebugMsg && type != QtInfoMsg) warnings.append(message);
      });
  test::DialogDriver driver;
  driver.WhenModal<QDialog>([](QDialog& dialog) { dialog.reject(); });
  RunPrintSetup(nullptr);
  qInstallMessageHandler(previous);
  EXPECT_TRUE(driver.AllActed());
  EXPECT_TRUE(warnings.filter("non-native").isEmpty()) << warnings.join("\n").toStdString();
}

}  // namespace
}  // namespace trawlex::ui
