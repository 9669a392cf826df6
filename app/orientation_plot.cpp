#include "app/orientation_plot.h"

#include "analysis/orientation_statistics.h"
#include "plot/fabric_diagrams.h"
#include "plot/figure_layout.h"
#include "plot/orientation_net.h"

namespace orniva::cli {

namespace {

using analysis::OrientationOf;

OrientationOf OfOption(const Arguments& arguments) {
  const std::optional<std::string> of = arguments.Value("--of");
  return of ? analysis::OrientationOfNamed(*of).value_or(OrientationOf::Poles)
            : OrientationOf::Poles;
}

// The records in use, alone, in their order.
std::vector<OrientationRecord> InUse(const OrientationInput& input) {
  std::vector<OrientationRecord> used;
  for (std::size_t k = 0; k < input.table.records.size(); ++k)
    if (input.use[k]) used.push_back(input.table.records[k]);
  return used;
}

// The mean and the girdle the options ask for, over `figure`; the
// refusal of one that cannot be made, else "".
std::string AddStatistics(const Arguments& arguments, const std::vector<OrientationRecord>& used,
                          OrientationNetFigure& figure) {
  if (arguments.Has("--mean")) {
    const analysis::FisherResult fisher =
        analysis::FisherStatistics(analysis::OrientationDirections(used, OfOption(arguments)));
    if (!fisher.error.empty()) return "--mean: " + fisher.error;
    figure.fisher = OrientationNetFigure::Mean{fisher.mean, fisher.alpha, 0.95};
  }
  if (arguments.Has("--girdle")) {
    const analysis::FoldAxisResult fold =
        analysis::FoldAxis(analysis::OrientationDirections(used, OrientationOf::Poles));
    if (!fold.error.empty()) return "--girdle: " + fold.error;
    figure.girdleAxis = fold.axis;
  }
  return {};
}

std::optional<Picture> DrawNet(const Arguments& arguments, const OrientationLook& look,
                               const std::vector<OrientationRecord>& used,
                               const std::vector<analysis::PhaseInfo>& setList,
                               std::string& error) {
  OrientationNetFigure figure;
  figure.records = &used;
  const SetColouring sets = SetColours(used, setList);
  figure.colours = sets.colours;
  if (arguments.Value("--planes") == std::optional<std::string>("poles"))
    figure.planes = PlaneSymbol::Poles;
  error = AddStatistics(arguments, used, figure);
  if (!error.empty()) return std::nullopt;
  Picture picture;
  PlotTarget target;
  target.picture = &picture;
  target.geometry = look.geometry;
  target.symbolSize = look.symbolSize;
  target.smoothCurves = true;
  PlotOrientationNet(figure, target);
  if (!look.layout) return picture;
  FigureCaption caption;
  caption.title = look.title;
  caption.count = used.size();
  caption.net = look.geometry.kind;
  caption.hemisphere = look.geometry.hemisphere;
  caption.north = NorthTickEnd(look.geometry);
  return LayoutFigure(
      picture, caption,
      OrientationNetLegend(figure, sets, SymbolRadius(look.geometry, look.symbolSize)));
}

}  // namespace

bool IsOrientationDiagram(const std::string& diagram) {
  return diagram == "orientations" || diagram == "vollmer" || diagram == "woodcock";
}

std::optional<Picture> DrawOrientationDiagram(const Arguments& arguments,
                                              const OrientationLook& look,
                                              const OrientationInput& input, std::string& error) {
  const std::vector<OrientationRecord> used = InUse(input);
  if (arguments.command == "orientations") return DrawNet(arguments, look, used, input.sets, error);
  const std::vector<FabricPoint> points = FabricPointsBySet(used, input.sets, OfOption(arguments));
  if (points.empty()) {
    error = analysis::kNoOrientations;
    return std::nullopt;
  }
  return arguments.command == "vollmer" ? DrawVollmerTriangle(points, look.title)
                                        : DrawWoodcockDiagram(points, look.title);
}

}  // namespace orniva::cli
