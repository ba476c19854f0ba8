#pragma once
// Controls keep the positions and sizes of their window's design, which is measured in twips.

#include <QWidget>

#include "ui/Twips.h"

namespace vexorel {

inline void placeTwips(QWidget* widget, double left, double top, double width, double height) {
  widget->setGeometry(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

}  // namespace vexorel
