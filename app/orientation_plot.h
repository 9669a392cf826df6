// orniva-plot on an orientation table (NAME.orient.csv): the net of its
// planes and lines by set (--diagram orientations), and the fabric
// diagrams of its sets (--diagram vollmer, woodcock).
#pragma once

#include <optional>
#include <string>

#include "app/options.h"
#include "app/orientation_input.h"
#include "picture/picture.h"
#include "plot/net.h"

namespace orniva::cli {

// Whether `diagram` draws an orientation table.
bool IsOrientationDiagram(const std::string& diagram);

// How the figure looks, as orniva-plot's options say.
struct OrientationLook {
  NetGeometry geometry;  // its kind, hemisphere and grid as chosen
  SymbolSize symbolSize = SymbolSize::Medium;
  bool layout = false;
  std::string title;  // the layout's or the diagram's
};

// The diagram of `arguments.command` of the records in use; none with
// `error` set when it cannot be drawn.
std::optional<Picture> DrawOrientationDiagram(const Arguments& arguments,
                                              const OrientationLook& look,
                                              const OrientationInput& input, std::string& error);

}  // namespace orniva::cli
