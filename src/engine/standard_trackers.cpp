#include "engine/standard_trackers.h"

#include "engine/other_kind_locations.h"
#include "engine/veldar_locations.h"

namespace trawlex::engine {
namespace {

// Dispatches each line to the handler of its file kind.
class StandardLocationTrackers final : public LocationTrackers {
 public:
  void Structure(const LineContext& line, LocationState& state) override {
    VeldarStructureStep(line, state);
  }

  void LabelLine(FileKind kind, const LineContext& line, LocationState& state) override {
    switch (kind) {
      case FileKind::Veldar:
        VeldarLabelStep(line, state);
        break;
      case FileKind::Template:
        TemplateSectionLine(line, state);
        break;
      case FileKind::TextExport:
        TextExportLine(line, state);
        break;
      case FileKind::Style:
        StylePropertyLine(line, state);
        break;
      default:
        break;
    }
  }

  void CodeLine(FileKind kind, const LineContext& line, LocationState& state) override {
    switch (kind) {
      case FileKind::C:
        CFunctionLine(line, state);
        break;
      case FileKind::Asp:
      case FileKind::Php:
      case FileKind::Vb:
        VbStyleLine(line, state);
        break;
      case FileKind::VbNet:
        VbNetLine(line, state);
        break;
      default:
        break;
    }
  }

  bool MayMove(FileKind kind, const LocationState& state,
               std::string_view rawLine) const override {
    return kind == FileKind::Veldar ? VeldarLineMayMove(state, rawLine)
                                    : OtherKindLineMayMove(kind, rawLine);
  }

  const LineSieve& LinesThatMayMove(FileKind kind, const LocationState& state) const override {
    switch (kind) {
      case FileKind::Veldar:
        return VeldarLineSieve(state);
      case FileKind::PlainText:
        return LineSieve::kNoLine;
      default:
        return OtherKindLineSieve(kind);
    }
  }
};

}  // namespace

LocationTrackers& StandardTrackers() {
  static StandardLocationTrackers trackers;
  return trackers;
}

}  // namespace trawlex::engine
