#include "ImageDifference.h"

#include <cstdlib>

namespace app_test {

namespace {
// Calls each(x, y) for every pixel that differs clearly.
template <class Each>
void ForEachDifference(const QImage& a, const QImage& b, Each each) {
  const QImage left = a.convertToFormat(QImage::Format_ARGB32);
  const QImage right = b.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < left.height(); ++y) {
    for (int x = 0; x < left.width(); ++x) {
      const QRgb p = left.pixel(x, y);
      const QRgb q = right.pixel(x, y);
      const int delta = std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
      if (delta > 60) each(x, y);
    }
  }
}
}  // namespace

QRect Difference(const QImage& a, const QImage& b) {
  QRect box;
  ForEachDifference(a, b, [&box](int x, int y) { box |= QRect(x, y, 1, 1); });
  return box;
}

int DifferingPixels(const QImage& a, const QImage& b) {
  int count = 0;
  ForEachDifference(a, b, [&count](int, int) { ++count; });
  return count;
}

}  // namespace app_test
