// Where two renders of one size differ clearly (more than anti-aliasing noise).
#pragma once

#include <QImage>
#include <QRect>

namespace app_test {

// The bounding box of the pixels that differ clearly; empty when none does.
QRect Difference(const QImage& a, const QImage& b);
// How many pixels differ clearly.
int DifferingPixels(const QImage& a, const QImage& b);

}  // namespace app_test
