#include "ui/results_report.h"

#include <QFontMetricsF>
#include <QLineF>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextLayout>
#include <algorithm>
#include <memory>

#include "ui/qt_text.h"

namespace trawlex::ui {

using results::ReportBand;
using results::ReportBandKind;
using results::ReportContent;

// ---- The canvas of a printer, preview or PDF ----

namespace {

constexpr double kUnitsPerInch = 1000;

// Draws in thousandths of an inch whatever the device's resolution.
void UseReportUnits(QPainter& painter, const QPagedPaintDevice& device) {
  painter.resetTransform();
  painter.scale(device.logicalDpiX() / kUnitsPerInch, device.logicalDpiY() / kUnitsPerInch);
}

}  // namespace

PainterCanvas::PainterCanvas(QPainter& painter, QPagedPaintDevice& device)
    : painter_(painter), device_(device) {
  UseReportUnits(painter_, device_);
}

QSizeF PainterCanvas::PageSize() const {
  return device_.pageLayout().paintRect(QPageLayout::Inch).size() * kUnitsPerInch;
}

void PainterCanvas::SetFont(const QFont& font) { painter_.setFont(font); }

void PainterCanvas::DrawText(const QRectF& rect, int flags, const QString& text) {
  painter_.drawText(rect, flags, text);
}

void PainterCanvas::DrawLine(const QLineF& line) { painter_.drawLine(line); }

bool PainterCanvas::NewPage() {
  const bool added = device_.newPage();
  UseReportUnits(painter_, device_);  // a new page may start with a fresh painter state
  return added;
}

// ---- The layout ----

namespace {

// Font sizes as pixel sizes in report units: 9 and 14 points.
constexpr int kBodySize = 125;
constexpr int kTitleSize = 194;

constexpr double kFileWidth = 1000;     // a short file name: about an inch
constexpr double kColumnGap = 100;
constexpr double kLocationLeft = kFileWidth + kColumnGap;
constexpr double kLineNoWidth = 600;    // six digits with a comma
constexpr double kBandGap = 40;         // between two hits
constexpr double kDirectoryGap = 80;    // above a directory band
constexpr double kHeaderGap = 60;

QFont ReportFont(int pixelSize, bool bold) {
  QFont font(QStringLiteral("Arial"));
  font.setStyleHint(QFont::SansSerif);  // where Arial is missing, the desktop's sans
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  return font;
}

constexpr int kLeft = Qt::AlignLeft | Qt::AlignVCenter;
constexpr int kRight = Qt::AlignRight | Qt::AlignVCenter;

// The report's columns on a page of a given width.
struct Columns {
  double width = 0;
  double lineNoLeft() const { return width - kLineNoWidth; }
  double locationWidth() const { return lineNoLeft() - kColumnGap - kLocationLeft; }
  double wideFileWidth() const { return lineNoLeft() - kColumnGap; }
  double textWidth() const { return width - kLocationLeft; }
};

class ReportLayout {
 public:
  ReportLayout(const ReportContent& report, ReportCanvas& canvas)
      : report_(report),
        canvas_(canvas),
        page_(canvas.PageSize()),
        columns_{page_.width()},
        body_(ReportFont(kBodySize, false)),
        bold_(ReportFont(kBodySize, true)),
        title_(ReportFont(kTitleSize, true)),
        bodyMetrics_(body_),
        row_(bodyMetrics_.lineSpacing()) {}

  int Paint() {
    StartPage();
    for (const ReportBand& band : report_.bands) PaintBand(band);
    return pageNumber_;
  }

 private:
  void StartPage() {
    ++pageNumber_;
    y_ = 0;
    PaintPageHeader();
  }

  void PaintBand(const ReportBand& band) {
    const QStringList textLines = band.kind == ReportBandKind::Directory
                                      ? QStringList()
                                      : WrapText(ToQString(band.text), columns_.textWidth());
    const double height = BandHeight(band, textLines.size());
    if (y_ + height > page_.height() && !pageIsEmpty()) {
      canvas_.NewPage();
      StartPage();
    }
    if (band.kind == ReportBandKind::Directory) {
      PaintDirectory(band);
    } else {
      PaintDetail(band, textLines);
    }
  }

  bool pageIsEmpty() const { return y_ <= headerBottom_; }

  // ---- Page header ----

  void PaintPageHeader() {
    const results::ReportHeader& header = report_.header;
    const double width = columns_.width;
    const double titleRow = QFontMetricsF(title_).lineSpacing();
    canvas_.SetFont(title_);
    Draw({0, y_, width / 3, titleRow}, kLeft, ToQString(results::kReportTitle));
    canvas_.SetFont(body_);
    Draw({width - 3000, y_, 1000, titleRow}, kRight, ToQString(header.date));
    Draw({width - 1950, y_, 850, titleRow}, kRight, ToQString(header.time));
    Draw({width - 1000, y_, 1000, titleRow}, kRight,
         ToQString(results::ReportPageText(pageNumber_)));
    y_ += titleRow;
    const double pathWidth = width * 0.6;
    Draw({0, y_, pathWidth, row_}, kLeft, Elided(header.path, pathWidth));
    Draw({pathWidth + kColumnGap, y_, width - pathWidth - kColumnGap, row_}, kLeft,
         Elided(header.spec, width - pathWidth - kColumnGap));
    y_ += row_;
    Draw({0, y_, width, row_}, kLeft, Elided(header.options, width));
    y_ += row_;
    Draw({0, y_, width, row_}, kLeft, Elided(header.find, width));
    y_ += row_ + kHeaderGap;
    PaintCaptions();
  }

  // Two caption rows, as a standard band reads: the text sits under the location.
  void PaintCaptions() {
    canvas_.SetFont(bold_);
    Draw({0, y_, kFileWidth, row_}, kLeft, ToQString(results::kReportFileCaption));
    Draw({kLocationLeft, y_, columns_.locationWidth(), row_}, kLeft,
         ToQString(results::kReportLocationCaption));
    Draw({columns_.lineNoLeft(), y_, kLineNoWidth, row_}, kRight,
         ToQString(results::kReportLineCaption));
    y_ += row_;
    Draw({kLocationLeft, y_, columns_.textWidth(), row_}, kLeft,
         ToQString(results::kReportTextCaption));
    y_ += row_;
    canvas_.DrawLine({0, y_ + kHeaderGap / 2, columns_.width, y_ + kHeaderGap / 2});
    y_ += kHeaderGap;
    headerBottom_ = y_;
    canvas_.SetFont(body_);
  }

  // ---- Bands ----

  double BandHeight(const ReportBand& band, qsizetype textRows) const {
    switch (band.kind) {
      case ReportBandKind::Directory:
        return kDirectoryGap + row_;
      case ReportBandKind::LongName:
        return (2 + textRows) * row_ + kBandGap;
      case ReportBandKind::Standard:
      case ReportBandKind::NoLocation:
        break;
    }
    return (1 + textRows) * row_ + kBandGap;
  }

  void PaintDirectory(const ReportBand& band) {
    y_ += kDirectoryGap;
    const double captionWidth = 500;
    canvas_.SetFont(bold_);
    Draw({0, y_, captionWidth, row_}, kLeft, ToQString(results::kReportDirectoryCaption));
    canvas_.SetFont(body_);
    const double pathWidth = columns_.width - captionWidth;
    Draw({captionWidth, y_, pathWidth, row_}, kLeft, Elided(band.text, pathWidth));
    y_ += row_;
  }

  void PaintDetail(const ReportBand& band, const QStringList& textLines) {
    const bool standard = band.kind == ReportBandKind::Standard;
    const double fileWidth = standard ? kFileWidth : columns_.wideFileWidth();
    Draw({0, y_, fileWidth, row_}, kLeft, Elided(band.file.view(), fileWidth));
    if (standard) {
      Draw({kLocationLeft, y_, columns_.locationWidth(), row_}, kLeft,
           Elided(band.location.view(), columns_.locationWidth()));
    }
    Draw({columns_.lineNoLeft(), y_, kLineNoWidth, row_}, kRight, ToQString(band.lineNo));
    y_ += row_;
    if (band.kind == ReportBandKind::LongName) {
      const double width = columns_.width - kLocationLeft;
      Draw({kLocationLeft, y_, width, row_}, kLeft, Elided(band.location.view(), width));
      y_ += row_;
    }
    for (const QString& line : textLines) {
      Draw({kLocationLeft, y_, columns_.textWidth(), row_}, kLeft, line);
      y_ += row_;
    }
    y_ += kBandGap;
  }

  // ---- Texts ----

  // Blank fields draw nothing, so a page holds only what it shows.
  void Draw(const QRectF& rect, int flags, const QString& text) {
    if (!text.trimmed().isEmpty()) canvas_.DrawText(rect, flags, text);
  }

  QString Elided(std::string_view text, double width) const {
    return bodyMetrics_.elidedText(ToQString(text), Qt::ElideRight, width);
  }

  // A hit's text runs over as many rows as it needs, broken between words where it can.
  QStringList WrapText(const QString& text, double width) const {
    QStringList lines;
    if (text.isEmpty()) return lines;
    QTextLayout layout(text, body_);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
      line.setLineWidth(width);
      lines.append(text.mid(line.textStart(), line.textLength()).trimmed());
    }
    layout.endLayout();
    return lines;
  }

  const ReportContent& report_;
  ReportCanvas& canvas_;
  QSizeF page_;
  Columns columns_;
  QFont body_, bold_, title_;
  QFontMetricsF bodyMetrics_;
  double row_;
  double y_ = 0;
  double headerBottom_ = 0;
  int pageNumber_ = 0;
};

// The printer every report and "Print Setup" share, so that a setup holds for later reports.
// Made once and never destroyed: it must not outlive the application's teardown order.
QPrinter& ReportPrinter() {
  static QPrinter* printer = [] {
    auto* made = new QPrinter(QPrinter::HighResolution);
    // Without a printer only file output works; the native format would leave the setup
    // dialogues with nothing to set up.
    if (QPrinterInfo::availablePrinters().isEmpty()) made->setOutputFormat(QPrinter::PdfFormat);
    return made;
  }();
  return *printer;
}

bool PaintOnPrinter(const ReportContent& report, QPrinter& printer) {
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  PainterCanvas canvas(painter, printer);
  PaintReport(report, canvas);
  return painter.end();
}

}  // namespace

int PaintReport(const ReportContent& report, ReportCanvas& canvas) {
  return ReportLayout(report, canvas).Paint();
}

QPrintPreviewDialog* OpenResultsReportPreview(QWidget* parent,
                                              const results::ExportSource& source) {
  if (source.results.empty()) return nullptr;
  auto report = std::make_shared<const ReportContent>(results::MakeReportContent(source));
  auto* preview = new QPrintPreviewDialog(&ReportPrinter(), parent);
  preview->setAttribute(Qt::WA_DeleteOnClose);
  QObject::connect(preview, &QPrintPreviewDialog::paintRequested, preview,
                   [report](QPrinter* printer) { PaintOnPrinter(*report, *printer); });
  return preview;
}

void PrintResultsReport(QWidget* parent, const results::ExportSource& source) {
  if (QPrintPreviewDialog* preview = OpenResultsReportPreview(parent, source)) preview->exec();
}

bool WriteResultsReportPdf(const results::ExportSource& source, const QString& path) {
  if (source.results.empty()) return false;
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path);
  return PaintOnPrinter(results::MakeReportContent(source), printer);
}

void RunPrintSetup(QWidget* parent) {
  QPrinter& printer = ReportPrinter();
  // The page setup dialogue serves native printers only; file output is set up, page and
  // all, in the print dialogue.
  if (printer.outputFormat() == QPrinter::NativeFormat) {
    QPageSetupDialog(&printer, parent).exec();
  } else {
    QPrintDialog(&printer, parent).exec();
  }
}

}  // namespace trawlex::ui
