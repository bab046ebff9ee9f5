// The curve the import writes, made point by point and never stored: the
// records at their measured times, or one sample every 1/w s at a whole w
// by linear interpolation between the records around it.
#ifndef TALVIRONESKA_INSPECT_FIRING_UNIFORM_GRID_H_
#define TALVIRONESKA_INSPECT_FIRING_UNIFORM_GRID_H_

#include <cstddef>
#include <cstdint>
#include <span>

// Over records T, F (at least one, increasing times from 0): with W = 0 the
// records themselves; else t = k / w for k = 0, 1, ... up to the last
// record's time.
struct WrittenCurve {
  std::span<const double> t;
  std::span<const double> F;
  std::int32_t w = 0;

  std::size_t size() const;
  double time(std::size_t k) const;  // of point k < size()
};

// Walks the points of a curve in order, each made when it is reached.
class CurveCursor {
 public:
  explicit CurveCursor(const WrittenCurve& curve) : c_(curve), size_(curve.size()) {}
  // Starting at point FROM (at most size()).
  CurveCursor(const WrittenCurve& curve, std::size_t from);
  // The next point into *T, *F; false past the last one.
  bool next(double* t, double* F);

 private:
  const WrittenCurve& c_;
  std::size_t size_;
  std::size_t k_ = 0;  // the next point
  std::size_t j_ = 0;  // the record at or before it
};

#endif  // TALVIRONESKA_INSPECT_FIRING_UNIFORM_GRID_H_
