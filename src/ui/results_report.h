#pragma once
// The printed results report: its layout on pages, the print preview that shows it before it
// goes to a printer, a PDF of it, and the printer setup the report prints with.
//
// The layout works in thousandths of an inch and draws through a ReportCanvas, so the same
// pages go to a printer, a preview, a PDF or a recording in the tests.

#include <QFont>
#include <QRectF>
#include <QString>

#include "results/export_source.h"
#include "results/report_content.h"

class QPagedPaintDevice;
class QPainter;
class QPrintPreviewDialog;
class QWidget;

namespace trawlex::ui {

// Where the report's pages are drawn. Coordinates are thousandths of an inch from the top
// left of the printable area; a font's pixel size is in the same unit.
class ReportCanvas {
 public:
  virtual ~ReportCanvas() = default;
  virtual QSizeF PageSize() const = 0;  // the printable area
  virtual void SetFont(const QFont& font) = 0;
  // One line of text, placed in `rect` by the Qt::Align flags.
  virtual void DrawText(const QRectF& rect, int flags, const QString& text) = 0;
  virtual void DrawLine(const QLineF& line) = 0;
  virtual bool NewPage() = 0;
};

// Draws on a printer or other paged device through an active painter.
class PainterCanvas final : public ReportCanvas {
 public:
  PainterCanvas(QPainter& painter, QPagedPaintDevice& device);
  QSizeF PageSize() const override;
  void SetFont(const QFont& font) override;
  void DrawText(const QRectF& rect, int flags, const QString& text) override;
  void DrawLine(const QLineF& line) override;
  bool NewPage() override;

 private:
  QPainter& painter_;
  QPagedPaintDevice& device_;
};

// Lays the report out: the page header on every page, then the bands down the page, a band
// never split over two pages. Returns the number of pages drawn.
int PaintReport(const results::ReportContent& report, ReportCanvas& canvas);

// Shows the report in a print preview; printing from there sends it to the chosen printer
// (or file). An empty queue shows nothing.
void PrintResultsReport(QWidget* parent, const results::ExportSource& source);

// The preview of the report, not yet shown and deleted when closed; it keeps its own copy of
// the report, so the results may change while it is open. Null for an empty queue.
QPrintPreviewDialog* OpenResultsReportPreview(QWidget* parent,
                                              const results::ExportSource& source);

// Writes the report as a PDF. False for an empty queue or a file that cannot be written.
bool WriteResultsReportPdf(const results::ExportSource& source, const QString& path);

// "Print Setup": the page setup of the printer the report prints on, or, where no printer is
// installed, the print dialogue, whose file output and page setup work without one.
void RunPrintSetup(QWidget* parent);

}  // namespace trawlex::ui
