// The view of an image: a picture, or with an empty picture name a transparent hot spot.
//
// The picture is drawn by the window's artwork provider, asked once for the name the model
// gives; a null pixmap draws nothing. Without stretch the picture stands at its own size in
// the top-left corner; with stretch it fills the control. Presses and releases of a mouse
// button over the image reach the model's MouseDown and MouseUp with the button code (1 left,
// 2 right, 4 middle), the shift state (1 Shift, 2 Ctrl, 4 Alt) and the position in twips
// within the image; the release goes to the image that took the press. An image without
// mouse handlers lets presses through to the window beneath. The model must outlive the view.
#pragma once

#include <QPixmap>
#include <QWidget>
#include <functional>
#include <string>

#include "platform/forms/Controls.h"

namespace qtui {

// Draws the artwork of a picture name; a null pixmap for an unknown name.
using ArtworkProvider = std::function<QPixmap(const std::string& picture)>;

class ImageView : public QWidget {
  Q_OBJECT

 public:
  ImageView(forms::Image& model, const ArtworkProvider& artwork, QWidget* parent);

  const QPixmap& Picture() const { return picture_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  forms::Image& model_;
  QPixmap picture_;
};

}  // namespace qtui
