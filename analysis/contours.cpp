#include "analysis/contours.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace orniva::analysis {

namespace {

// The part [t0, t1] of the segment P + t (Q - P), t in [0, 1], within the
// circle |X - C| <= R: the roots of |P - C + t (Q - P)|^2 = R^2. Empty when
// t0 > t1. An end within the circle bounds the part exactly.
struct Span {
  double t0 = 1, t1 = 0;
  bool empty() const { return !(t0 <= t1); }
};

class Disc {
 public:
  explicit Disc(const NetFrame& f) : c_{f.centreX, f.centreY}, r2_(f.radius * f.radius) {}

  double Excess(NetPoint p) const {
    const double dx = p.x - c_.x, dy = p.y - c_.y;
    return dx * dx + dy * dy - r2_;
  }

  Span Within(NetPoint p, NetPoint q) const {
    const double dx = q.x - p.x, dy = q.y - p.y, px = p.x - c_.x, py = p.y - c_.y;
    const double a = dx * dx + dy * dy, b = px * dx + py * dy, cp = Excess(p), cq = Excess(q);
    if (a == 0) return cp <= 0 ? Span{0, 1} : Span{};
    const double disc = b * b - a * cp;
    if (!(disc >= 0)) return {};
    const double root = std::sqrt(disc);
    Span s{cp <= 0 ? 0 : (-b - root) / a, cq <= 0 ? 1 : (-b + root) / a};
    s.t0 = std::max(s.t0, 0.0);
    s.t1 = std::min(s.t1, 1.0);
    return s;
  }

  // Whether the rectangle [x0, x1] x [y0, y1] reaches into the circle.
  bool Touches(NetPoint low, NetPoint high) const {
    return Excess({std::clamp(c_.x, low.x, high.x), std::clamp(c_.y, low.y, high.y)}) <= 0;
  }

 private:
  NetPoint c_;
  double r2_;
};

NetPoint At(NetPoint p, NetPoint q, double t) {
  if (t == 0) return p;
  if (t == 1) return q;
  return {p.x + t * (q.x - p.x), p.y + t * (q.y - p.y)};
}

// A convex polygon cut at the circle; the arcs become chords.
std::vector<NetPoint> ClipPolygon(const Disc& disc, const std::vector<NetPoint>& polygon) {
  std::vector<NetPoint> out;
  for (std::size_t k = 0; k < polygon.size(); ++k) {
    const NetPoint p = polygon[k], q = polygon[(k + 1) % polygon.size()];
    const Span s = disc.Within(p, q);
    if (s.empty()) continue;
    if (s.t0 > 0) out.push_back(At(p, q, s.t0));
    out.push_back(At(p, q, s.t1));
  }
  return out;
}

// The pieces of a polyline within the circle. A closed line that leaves
// the circle is first turned to start outside it.
void ClipLine(const Disc& disc, std::vector<NetPoint> points, bool closed, int level,
              std::vector<ContourLine>& out) {
  if (closed) {
    const auto outside = std::find_if(points.begin(), points.end() - 1,
                                      [&](NetPoint p) { return disc.Excess(p) > 0; });
    if (outside == points.end() - 1) {
      out.push_back({level, true, std::move(points)});
      return;
    }
    std::rotate(points.begin(), outside, points.end() - 1);
    points.back() = points.front();
  }
  ContourLine piece{level, false, {}};
  const auto flush = [&] {
    if (piece.points.size() >= 2) out.push_back(piece);
    piece.points.clear();
  };
  if (disc.Excess(points[0]) <= 0) piece.points.push_back(points[0]);
  for (std::size_t k = 0; k + 1 < points.size(); ++k) {
    const Span s = disc.Within(points[k], points[k + 1]);
    if (s.empty()) continue;
    if (s.t0 > 0 || piece.points.empty()) {
      flush();
      piece.points.push_back(At(points[k], points[k + 1], s.t0));
    }
    piece.points.push_back(At(points[k], points[k + 1], s.t1));
    if (s.t1 < 1) flush();
  }
  flush();
}

// Marching squares for one level. Cell (i, j) has corners 0 (i, j),
// 1 (i + 1, j), 2 (i + 1, j + 1), 3 (i, j + 1) and edges k from corner k
// to corner k + 1 (mod 4). Edges are numbered over the grid: horizontal
// ones j (G - 1) + i, vertical ones G (G - 1) + j G + i.
class LevelTracer {
 public:
  LevelTracer(const DrawingGrid& grid, const std::vector<double>& values, double level)
      : grid_(grid), values_(values), level_(level), g_(grid.size), horizontal_(g_ * (g_ - 1)) {}

  void Lines(int index, const Disc& disc, std::vector<ContourLine>& out) const;
  void Fills(int index, const Disc& disc, std::vector<FillPolygon>& out) const;

 private:
  struct Cell {
    int corners = 0;  // bit k: corner k above
    std::array<int, 4> edges{};
    std::array<NetPoint, 4> points{};
  };

  double Value(int i, int j) const { return values_[std::size_t(j) * g_ + i]; }
  bool Above(int i, int j) const { return Value(i, j) >= level_; }
  bool WithinCircle(int i, int j) const {
    const auto at = [&](int a, int b) { return grid_.inside[std::size_t(b) * g_ + a] != 0; };
    return at(i, j) && at(i + 1, j) && at(i, j + 1) && at(i + 1, j + 1);
  }

  Cell CellAt(int i, int j) const {
    Cell c;
    c.corners =
        Above(i, j) | Above(i + 1, j) << 1 | Above(i + 1, j + 1) << 2 | Above(i, j + 1) << 3;
    c.edges = {j * (g_ - 1) + i, horizontal_ + j * g_ + i + 1, (j + 1) * (g_ - 1) + i,
               horizontal_ + j * g_ + i};
    c.points = {grid_.Node(i, j), grid_.Node(i + 1, j), grid_.Node(i + 1, j + 1),
                grid_.Node(i, j + 1)};
    return c;
  }

  // Case 5 or 10 and the mean below the level: the above corners stay apart.
  bool SplitSaddle(const Cell& c, int i, int j) const {
    if (c.corners != 5 && c.corners != 10) return false;
    return !((Value(i, j) + Value(i + 1, j) + Value(i + 1, j + 1) + Value(i, j + 1)) / 4 >= level_);
  }

  static bool Crossed(const Cell& c, int k) {
    return ((c.corners >> k) & 1) != ((c.corners >> ((k + 1) % 4)) & 1);
  }

  NetPoint EdgePoint(int edge) const {
    const bool across = edge < horizontal_;
    const int e = across ? edge : edge - horizontal_, w = across ? g_ - 1 : g_;
    const int i = e % w, j = e / w, i1 = across ? i + 1 : i, j1 = across ? j : j + 1;
    const double v0 = Value(i, j), v1 = Value(i1, j1);
    double t = (level_ - v0) / (v1 - v0);
    if (!(t >= 0 && t <= 1)) t = 0.5;
    return At(grid_.Node(i, j), grid_.Node(i1, j1), t);
  }

  // The segments of a cell as pairs of its edge indices k.
  static int CellSegments(const Cell& c, bool split, std::array<std::array<int, 2>, 2>& out) {
    if (c.corners == 5 || c.corners == 10) {
      // Corners 1 and 3 are cut off when they are the lone ones.
      const bool cutOdd = (c.corners == 5) != split;
      out = cutOdd ? std::array<std::array<int, 2>, 2>{{{0, 1}, {2, 3}}}
                   : std::array<std::array<int, 2>, 2>{{{3, 0}, {1, 2}}};
      return 2;
    }
    int n = 0;
    for (int k = 0; k < 4; ++k)
      if (Crossed(c, k)) out[0][n++] = k;
    return n == 2 ? 1 : 0;
  }

  std::vector<NetPoint> CellPolygon(const Cell& c) const;
  void Chain(std::vector<std::array<int, 2>>& segments, int index, const Disc& disc,
             std::vector<ContourLine>& out) const;

  const DrawingGrid& grid_;
  const std::vector<double>& values_;
  double level_;
  int g_, horizontal_;
};

void LevelTracer::Lines(int index, const Disc& disc, std::vector<ContourLine>& out) const {
  std::vector<std::array<int, 2>> segments;  // pairs of grid edge numbers
  for (int j = 0; j + 1 < g_; ++j) {
    for (int i = 0; i + 1 < g_; ++i) {
      const Cell c = CellAt(i, j);
      if (c.corners == 0 || c.corners == 15) continue;
      std::array<std::array<int, 2>, 2> pairs{};
      const int n = CellSegments(c, SplitSaddle(c, i, j), pairs);
      for (int s = 0; s < n; ++s) segments.push_back({c.edges[pairs[s][0]], c.edges[pairs[s][1]]});
    }
  }
  Chain(segments, index, disc, out);
}

// Joins the segments through their shared edges (each crossed edge is
// shared by at most two cells) into polylines.
void LevelTracer::Chain(std::vector<std::array<int, 2>>& segments, int index, const Disc& disc,
                        std::vector<ContourLine>& out) const {
  std::vector<std::array<int, 2>> atEdge(std::size_t(2 * horizontal_), {-1, -1});
  for (int s = 0; s < int(segments.size()); ++s)
    for (int e : segments[std::size_t(s)])
      atEdge[std::size_t(e)][atEdge[std::size_t(e)][0] >= 0] = s;
  std::vector<char> used(segments.size(), 0);
  const auto walk = [&](int s, int edge, std::vector<int>& edges) {
    for (;;) {
      const auto& both = atEdge[std::size_t(edge)];
      const int next = both[0] == s ? both[1] : both[0];
      if (next < 0 || used[std::size_t(next)]) return next >= 0;
      used[std::size_t(next)] = 1;
      const auto& seg = segments[std::size_t(next)];
      edge = seg[0] == edge ? seg[1] : seg[0];
      edges.push_back(edge);
      s = next;
    }
  };
  for (int s = 0; s < int(segments.size()); ++s) {
    if (used[std::size_t(s)]) continue;
    used[std::size_t(s)] = 1;
    std::vector<int> forward{segments[std::size_t(s)][0], segments[std::size_t(s)][1]}, backward;
    const bool closed = walk(s, forward[1], forward);
    if (!closed) walk(s, forward[0], backward);
    std::vector<NetPoint> points;
    for (auto e = backward.rbegin(); e != backward.rend(); ++e) points.push_back(EdgePoint(*e));
    for (int e : forward) points.push_back(EdgePoint(e));
    if (closed) points.push_back(points.front());
    ClipLine(disc, std::move(points), closed, index, out);
  }
}

// The above corners of a cell with the crossings between them, walking
// 0 1 2 3: the whole region above the level when the cell is no split saddle.
std::vector<NetPoint> LevelTracer::CellPolygon(const Cell& c) const {
  std::vector<NetPoint> polygon;
  for (int k = 0; k < 4; ++k) {
    if ((c.corners >> k) & 1) polygon.push_back(c.points[std::size_t(k)]);
    if (Crossed(c, k)) polygon.push_back(EdgePoint(c.edges[std::size_t(k)]));
  }
  return polygon;
}

void LevelTracer::Fills(int index, const Disc& disc, std::vector<FillPolygon>& out) const {
  const auto emit = [&](const std::vector<NetPoint>& polygon, NetPoint low, NetPoint high) {
    if (!disc.Touches(low, high)) return;
    std::vector<NetPoint> clipped = ClipPolygon(disc, polygon);
    if (clipped.size() >= 3) out.push_back({index, std::move(clipped)});
  };
  for (int j = 0; j + 1 < g_; ++j) {
    int runStart = -1;
    for (int i = 0; i + 1 < g_ + 1; ++i) {
      const Cell c = i + 1 < g_ ? CellAt(i, j) : Cell{};
      if (c.corners == 15 && WithinCircle(i, j)) {
        if (runStart < 0) runStart = i;
        continue;
      }
      if (runStart >= 0) {
        const NetPoint a = grid_.Node(runStart, j), b = grid_.Node(i, j + 1);
        emit({a, {b.x, a.y}, b, {a.x, b.y}}, a, b);
        runStart = -1;
      }
      if (c.corners == 0) continue;
      const NetPoint low = c.points[0], high = c.points[2];
      if (!SplitSaddle(c, i, j)) {
        emit(CellPolygon(c), low, high);
        continue;
      }
      for (int k = 0; k < 4; ++k)  // the lone above corner k and the crossings beside it
        if ((c.corners >> k) & 1)
          emit({EdgePoint(c.edges[std::size_t((k + 3) % 4)]), c.points[std::size_t(k)],
                EdgePoint(c.edges[std::size_t(k)])},
               low, high);
    }
  }
}

}  // namespace

Contours ContourGrid(const DrawingGrid& grid, const std::vector<double>& values,
                     const std::vector<double>& levels) {
  Contours contours;
  if (grid.size < 2 || values.size() != std::size_t(grid.size) * grid.size) return contours;
  const Disc disc(grid.frame);
  for (int k = 0; k < int(levels.size()); ++k) {
    const LevelTracer tracer(grid, values, levels[std::size_t(k)]);
    tracer.Lines(k, disc, contours.lines);
    tracer.Fills(k, disc, contours.fills);
  }
  return contours;
}

std::vector<double> DensityLevels(DensityMethod method, double maximum) {
  std::vector<double> levels;
  if (method == DensityMethod::Kamb) {
    for (int k = 1; 2.0 * k <= maximum; ++k) levels.push_back(2.0 * k);
  } else {
    for (double level = 1; level <= maximum; level *= 2) levels.push_back(level);
  }
  return levels;
}

std::vector<double> DihedraLevels() { return {0, 25, 50, 75, 100}; }

}  // namespace orniva::analysis
